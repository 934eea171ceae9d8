#pragma once

// The setup script (install.ini, or its copy as uninstall script): what the
// setup program installs, starts, registers and removes. Read through the
// platform's profile files, so sections and keys match without regard to
// case, a missing key gives its default and a present empty key the empty
// text. Values are handed over whole, however long.

#include <string>
#include <vector>

#include "platform/profile_store.h"
#include "platform/status.h"
#include "setup/script_records.h"

namespace zentrix::setup {

using platform::Result;
using platform::Status;

enum class ScriptCount { Groups, DllToReg, Inis, Links, RegKeys, PreInstalledTests };

class SetupScript {
public:
    static constexpr const char* kFileName = "install.ini";
    static constexpr const char* kMainSection = "Main";
    static constexpr const char* kDefaultValueName = "(Default)";
    static constexpr const char* kIntegerMarker = "integer:";

    // `store` must outlive the script. `programsFolder` begins the default
    // install folder; the program name follows it directly.
    SetupScript(platform::ProfileStore& store, std::string path,
                std::string programsFolder = "C:\\Program Files\\");

    const std::string& path() const { return path_; }

    // Reading and writing single keys.
    std::string readText(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
    int readInteger(const std::string& section, const std::string& key, int fallback) const;
    Result<std::vector<std::string>> keyNames(const std::string& section) const;
    Status writeText(const std::string& section, const std::string& key, const std::string& value);

    ScriptMain main() const;

    // A count of [Main] ("NumGroups" and the others), default "0". A value
    // that is not a decimal number is an error naming the key; a count below
    // 1 means none.
    Result<int> count(ScriptCount which) const;
    static const char* countKey(ScriptCount which);

    std::string preInstalledTest(int n) const;  // "Pre<n>", default "0"
    ScriptGroup group(int n) const;
    ScriptRegDll regDll(int n) const;
    std::string updatingDescription(int n) const;  // [Updating files<n>] Description
    ScriptIni ini(int n) const;
    ScriptLink link(int n) const;
    // Fails for a section of fewer than two lines and for an "integer:"
    // value whose digits are not a 32-bit number.
    Result<ScriptRegKey> regKey(int n) const;

private:
    std::string scriptError(const std::string& section, const std::string& what) const;

    platform::ProfileStore& store_;
    std::string path_;
    std::string programsFolder_;
};

}  // namespace zentrix::setup
