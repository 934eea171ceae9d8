#pragma once

#include <QString>

namespace zentrix::simulation {

// Reports a failure that ends an action, such as a simulation file that
// cannot be read. The application shows it in its general error box; tests
// record it.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void reportError(const QString& text) = 0;
};

}  // namespace zentrix::simulation
