#pragma once

// Every message and question of the setup flows goes through one
// SetupDialogs. The window binds message boxes, the unattended run answers
// from its flags and prints, tests record, so no flow ever waits on a box.

#include <string>

namespace zentrix::setup {

class SetupDialogs {
public:
    virtual ~SetupDialogs() = default;

    virtual void beep() = 0;
    // A box with the text and an OK button.
    virtual void information(const std::string& text) = 0;
    virtual void error(const std::string& text) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool question(const std::string& text) = 0;
};

}  // namespace zentrix::setup
