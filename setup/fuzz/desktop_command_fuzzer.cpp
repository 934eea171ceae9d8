// Reads arbitrary bytes as a desktop entry and as an Exec value.
// Seed corpus: the entries an install writes (applications/**/*.desktop).

#include <cstddef>
#include <cstdint>
#include <string>

#include "setup/desktop_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)zentrix::setup::DesktopCommand::parse(text);
    (void)zentrix::setup::DesktopCommand::splitExec(text);
    return 0;
}
