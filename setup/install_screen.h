#pragma once

// What the setup window shows, as plain data: the flows write it and tell
// the host, the window draws it, tests and the unattended run read it.

#include <string>

namespace zentrix::setup {

struct InstallScreen {
    std::string caption;        // the window title
    std::string welcome;        // Label1 and its shadow Label2
    std::string status;         // Panel1's own caption: the status line
    std::string heading;        // Label3
    std::string installFolder;  // Edit1
    std::string exitCaption;    // btnExit

    bool panelVisible = true;
    bool headingVisible = false;
    bool folderVisible = false;        // Edit1
    bool changeFolderVisible = false;  // Button2
    bool installVisible = false;       // Button1
    bool exitVisible = true;
    bool exitEnabled = true;
};

}  // namespace zentrix::setup
