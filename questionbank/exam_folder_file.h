#pragma once

// Writes a question's picture or simulation file, or the exam's default
// picture, out of its stored copy into the exam's folder. Names come from the
// tables, so they are checked first: only a plain name or a relative path
// that stays inside the folder is written; anything else is refused and
// nothing is written.

#include <string>
#include <string_view>

#include "xbase/status.h"

namespace zentrix::questionbank {

class ExamFolderFile {
public:
    // The path `name` stands for inside `folder`, or the reason it is refused.
    static xbase::Result<std::string> pathFor(const std::string& folder, const std::string& name);

    // Writes `bytes` as `name` inside `folder` when no such file exists yet (a
    // file present is used unchanged). Gives the file's path.
    static xbase::Result<std::string> writeIfMissing(const std::string& folder,
                                                     const std::string& name,
                                                     std::string_view bytes);

    // Writes `bytes` as `name` inside `folder`, replacing a file there.
    static xbase::Result<std::string> write(const std::string& folder, const std::string& name,
                                            std::string_view bytes);
};

}  // namespace zentrix::questionbank
