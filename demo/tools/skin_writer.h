#pragma once

// Writes the demo skin into a graphics folder: every picture the engine's
// skin loader asks for, and scheme.ini naming them with the skin's colours.

#include <QString>

#include "simulation/status.h"

namespace zentrix::demo {

class SkinWriter {
public:
    // `folder` is created when missing.
    static simulation::Status write(const QString& folder);
};

}  // namespace zentrix::demo
