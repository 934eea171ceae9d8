#pragma once

#include <QString>

namespace zentrix::simulation {

// Asks the user a Yes/No question. The application shows it after the default
// beep in an error box titled "Error" with the buttons "&Yes" and "&No"; tests
// answer from a script.
class QuestionService {
public:
    virtual ~QuestionService() = default;
    // True for Yes.
    virtual bool askYesNo(const QString& question) = 0;
};

}  // namespace zentrix::simulation
