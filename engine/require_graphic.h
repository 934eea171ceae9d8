#pragma once

#include <string>

namespace zentrix::engine {

class DialogService;

// True when `path` names an existing file. Otherwise the missing-graphic
// window names the path, and the answer is false. A folder is not a file:
// an empty key value gives the bare folder path, which is reported.
bool RequireGraphic(const std::string& path, DialogService& dialogs);

bool IsExistingFile(const std::string& path);

}  // namespace zentrix::engine
