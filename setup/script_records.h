#pragma once

// The sections of a setup script as plain records, each key with the
// default it has when missing. Paths are kept as written in the script;
// the flows expand placeholders and make native paths.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/root_key.h"

namespace zentrix::setup {

// A flag is compared with case: "true" is true, "True" is not. Some flows
// ask "is it true", others "is it anything but false".
struct ScriptFlag {
    std::string text;
    bool isTrue() const { return text == "true"; }
    bool isNotFalse() const { return text != "false"; }
};

// [Main] apart from the counts, which SetupScript::count() reads.
struct ScriptMain {
    std::string version;                                  // "Version", empty
    std::string programName = "Undefined";                // "Program Name"
    std::string setupName = "Undefined";                  // "Setup Name"
    std::string uninstallExeName = "bzQVUnInst.exe";      // "UninstallExe Name"
    std::string uninstallIniName = "Undefined";           // "UninstallIni Name"
    std::string defaultInstallDir;                        // programs folder + program name
    std::string installDirRoot = "HKEY_LOCAL_MACHINE";    // "InstallDirRoot"
    std::string uninstallDirRoot = "HKEY_LOCAL_MACHINE";  // "Install Dir Root" (with blanks)
    std::string key;                                      // "Key"
    std::string exeName;                                  // "ExeName"
    std::string databaseRoot = "HKEY_LOCAL_MACHINE";      // "DatabaseRoot"
    std::string databaseKey;                              // "DatabaseKey"
    std::string databaseString;                           // "DatabaseString"
    std::string installedTo;                              // "InstalledTo", uninstall script only
};

// [Group<n>]: a file group copies files, a setup-only group starts a program.
struct ScriptGroup {
    std::string description;
    ScriptFlag setupOnly{"false"};
    ScriptFlag filesOnly{"false"};
    std::optional<std::string> source;  // default depends on the kind of group
    std::string dest = "\\";
    ScriptFlag dontDelete{"false"};
    std::string setupExe = "blah";
    ScriptFlag waitTillFinished{"false"};
    std::string windowClassName = "blah";
    int pauseAfterFinish = 0;  // milliseconds; a text that is not a number gives 0
    std::string alternateWindowClassName;
    std::string alternateDescription;
    ScriptFlag runBeforeExit{"false"};

    // What a file group copies, relative to the setup folder.
    std::string fileSource() const { return source.value_or("\\"); }
    // The folder of a setup-only group's program.
    std::string programFolder() const { return source.value_or("blah"); }
};

// [RegDll<n>]: a library that is copied, counted and registered.
struct ScriptRegDll {
    std::string description;
    std::string source = "\\";
    std::string dest = "\\";
    ScriptFlag shared{"false"};
    ScriptFlag checkVersion{"false"};
    ScriptFlag changeDir{"false"};
    std::string dir = "\\";
    ScriptFlag regFile{"false"};
    ScriptFlag noDelete{"false"};
};

// [Ini<n>]: one entry written into another initialization file.
struct ScriptIni {
    std::string fileName;
    std::string group;
    std::string string;
    std::string value;
};

// [Link<n>]: one shortcut below the Start Menu folder.
struct ScriptLink {
    std::string descr;
    std::string dest;
    std::string linkName;
    std::string fileName;
    std::string workingDir;
    std::string description;
    std::string params;
};

// One value line of a [RegKey<n>] section.
struct ScriptRegistryValue {
    std::string name;                 // the line's key name; empty for "(Default)"
    std::string text;                 // the line's value as written
    std::optional<uint32_t> integer;  // set for "integer:" values
    bool isDefault() const { return name.empty(); }
};

// [RegKey<n>]: positional; line 1 names the root key, line 2 the key path,
// every further line one value.
struct ScriptRegKey {
    std::string rootName;
    std::optional<platform::RootKey> root;  // none for a name outside the table
    std::string keyPath;                    // verbatim, no placeholders
    std::vector<ScriptRegistryValue> values;
};

}  // namespace zentrix::setup
