#include "setup/setup_script.h"

#include <climits>

namespace zentrix::setup {
namespace {

// A whole decimal number, optionally signed; nullopt for anything else.
std::optional<long long> decimalNumber(const std::string& text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    if (pos == text.size()) return std::nullopt;
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
        value = value * 10 + (text[pos] - '0');
        if (value > (1LL << 33)) return std::nullopt;
    }
    return negative ? -value : value;
}

std::string numbered(const char* section, int n) { return section + std::to_string(n); }

}  // namespace

SetupScript::SetupScript(platform::ProfileStore& store, std::string path,
                         std::string programsFolder)
    : store_(store), path_(std::move(path)), programsFolder_(std::move(programsFolder)) {}

std::string SetupScript::readText(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    return store_.readString(path_, section, key, fallback);
}

int SetupScript::readInteger(const std::string& section, const std::string& key,
                             int fallback) const {
    return store_.readInteger(path_, section, key, fallback);
}

Result<std::vector<std::string>> SetupScript::keyNames(const std::string& section) const {
    return store_.keyNames(path_, section);
}

Status SetupScript::writeText(const std::string& section, const std::string& key,
                              const std::string& value) {
    return store_.writeString(path_, section, key, value);
}

std::string SetupScript::scriptError(const std::string& section, const std::string& what) const {
    return path_ + ": [" + section + "] " + what;
}

ScriptMain SetupScript::main() const {
    ScriptMain m;
    auto text = [&](const char* key, std::string& field) {
        field = readText(kMainSection, key, field);
    };
    text("Version", m.version);
    text("Program Name", m.programName);
    text("Setup Name", m.setupName);
    text("UninstallExe Name", m.uninstallExeName);
    text("UninstallIni Name", m.uninstallIniName);
    m.defaultInstallDir = programsFolder_ + m.programName;
    text("DefaultInstallDir", m.defaultInstallDir);
    text("InstallDirRoot", m.installDirRoot);
    text("Install Dir Root", m.uninstallDirRoot);
    text("Key", m.key);
    text("ExeName", m.exeName);
    text("DatabaseRoot", m.databaseRoot);
    text("DatabaseKey", m.databaseKey);
    text("DatabaseString", m.databaseString);
    text("InstalledTo", m.installedTo);
    return m;
}

const char* SetupScript::countKey(ScriptCount which) {
    switch (which) {
        case ScriptCount::Groups:
            return "NumGroups";
        case ScriptCount::DllToReg:
            return "NumDllToReg";
        case ScriptCount::Inis:
            return "NumInis";
        case ScriptCount::Links:
            return "NumLinks";
        case ScriptCount::RegKeys:
            return "NumRegKeys";
        case ScriptCount::PreInstalledTests:
            return "NumPreInstalledTests";
    }
    return "";
}

Result<int> SetupScript::count(ScriptCount which) const {
    const char* key = countKey(which);
    const std::string text = readText(kMainSection, key, "0");
    std::optional<long long> number = decimalNumber(text);
    if (!number || *number > INT_MAX || *number < INT_MIN) {
        return Status::error(scriptError(
            kMainSection, std::string(key) + ": \"" + text + "\" is not a decimal number"));
    }
    return int(*number);
}

std::string SetupScript::preInstalledTest(int n) const {
    return readText(kMainSection, numbered("Pre", n), "0");
}

ScriptGroup SetupScript::group(int n) const {
    const std::string section = numbered("Group", n);
    ScriptGroup g;
    auto text = [&](const char* key, std::string& field) { field = readText(section, key, field); };
    auto flag = [&](const char* key, ScriptFlag& field) {
        field.text = readText(section, key, field.text);
    };
    text("Description", g.description);
    flag("SetupOnly", g.setupOnly);
    flag("FilesOnly", g.filesOnly);
    Result<std::optional<std::string>> source = store_.lookup(path_, section, "Source");
    if (source) g.source = source.value();
    text("Dest", g.dest);
    flag("DontDelete", g.dontDelete);
    text("SetupExe", g.setupExe);
    flag("WaitTillFinished", g.waitTillFinished);
    text("WindowClassName", g.windowClassName);
    g.pauseAfterFinish = readInteger(section, "PauseAfterFinish", 0);
    text("AlternateWindowClassName", g.alternateWindowClassName);
    text("AlternateDescription", g.alternateDescription);
    flag("RunBeforeExit", g.runBeforeExit);
    return g;
}

ScriptRegDll SetupScript::regDll(int n) const {
    const std::string section = numbered("RegDll", n);
    ScriptRegDll d;
    auto text = [&](const char* key, std::string& field) { field = readText(section, key, field); };
    auto flag = [&](const char* key, ScriptFlag& field) {
        field.text = readText(section, key, field.text);
    };
    text("Description", d.description);
    text("Source", d.source);
    text("Dest", d.dest);
    flag("Shared", d.shared);
    flag("CheckVersion", d.checkVersion);
    flag("ChangeDir", d.changeDir);
    text("Dir", d.dir);
    flag("RegFile", d.regFile);
    flag("NoDelete", d.noDelete);
    return d;
}

std::string SetupScript::updatingDescription(int n) const {
    return readText(numbered("Updating files", n), "Description", "");
}

ScriptIni SetupScript::ini(int n) const {
    const std::string section = numbered("Ini", n);
    return {readText(section, "FileName", ""), readText(section, "Group", ""),
            readText(section, "String", ""), readText(section, "Value", "")};
}

ScriptLink SetupScript::link(int n) const {
    const std::string section = numbered("Link", n);
    return {readText(section, "Descr", ""),      readText(section, "Dest", ""),
            readText(section, "LinkName", ""),   readText(section, "FileName", ""),
            readText(section, "WorkingDir", ""), readText(section, "Description", ""),
            readText(section, "Params", "")};
}

Result<ScriptRegKey> SetupScript::regKey(int n) const {
    const std::string section = numbered("RegKey", n);
    ZX_TRY_ASSIGN(const auto lines, keyNames(section));
    if (lines.size() < 2) {
        return Status::error(
            scriptError(section, "needs a root key line and a key path line, found " +
                                     std::to_string(lines.size()) + " line(s)"));
    }
    ScriptRegKey key;
    key.rootName = readText(section, lines[0], "");
    key.root = platform::RootKeyFromName(key.rootName);
    key.keyPath = readText(section, lines[1], "");
    for (size_t i = 2; i < lines.size(); ++i) {
        ScriptRegistryValue value;
        value.name = lines[i] == kDefaultValueName ? std::string() : lines[i];
        value.text = readText(section, lines[i], "");
        if (value.text.find(kIntegerMarker) != std::string::npos) {
            // The digits begin at the ninth character, right after the marker
            // when it stands at the start.
            const std::string digits = value.text.substr(std::string(kIntegerMarker).size());
            std::optional<long long> number = decimalNumber(digits);
            if (!number || *number < INT_MIN || *number > UINT32_MAX) {
                return Status::error(scriptError(
                    section, lines[i] + ": \"" + value.text + "\" is not a 32-bit integer"));
            }
            value.integer = uint32_t(int64_t(*number));
        }
        key.values.push_back(std::move(value));
    }
    return key;
}

}  // namespace zentrix::setup
