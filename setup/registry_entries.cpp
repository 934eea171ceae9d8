#include "setup/registry_entries.h"

#include <vector>

#include "base/ascii_text.h"
#include "platform/registry.h"

namespace zentrix::setup {

namespace {

std::vector<std::string> keyNames(const std::string& path) {
    std::vector<std::string> names;
    std::string name;
    for (char c : path + "\\") {
        if (c == '\\' || c == '/') {
            if (!name.empty()) names.push_back(base::ascii::lower(name));
            name.clear();
        } else {
            name += c;
        }
    }
    return names;
}

// True when `candidate` is `key` or a key above it.
bool isSameOrAbove(const std::vector<std::string>& candidate, const std::vector<std::string>& key) {
    if (candidate.size() > key.size()) return false;
    for (size_t i = 0; i < candidate.size(); ++i) {
        if (candidate[i] != key[i]) return false;
    }
    return true;
}

std::string sectionName(int section) { return "[RegKey" + std::to_string(section) + "]"; }

}  // namespace

platform::Status RegistryEntries::checkRemovable(const std::string& keyPath) {
    const std::vector<std::string> names = keyNames(keyPath);
    if (names.size() < 2) {
        return platform::Status::error("the key \"" + keyPath +
                                       "\" holds other products' entries and is kept");
    }
    for (const char* kept :
         {platform::registry_keys::kSharedLibraries, platform::registry_keys::kShellFolders}) {
        if (isSameOrAbove(names, keyNames(kept))) {
            return platform::Status::error("the key \"" + keyPath +
                                           "\" holds system entries and is kept");
        }
    }
    return platform::Status::ok();
}

bool RegistryEntries::forEachSection(void (RegistryEntries::*action)(const ScriptRegKey&, int)) {
    const std::optional<int> keys = session_.count(ScriptCount::RegKeys);
    if (!keys) return false;
    for (int n = 1; n <= *keys; ++n) {
        Result<ScriptRegKey> key = session_.script().regKey(n);
        if (!key) {
            session_.report(key.status());
            return false;
        }
        (this->*action)(key.value(), n);
    }
    return true;
}

bool RegistryEntries::writeAll() { return forEachSection(&RegistryEntries::write); }

bool RegistryEntries::removeAll() { return forEachSection(&RegistryEntries::removeSection); }

void RegistryEntries::write(const ScriptRegKey& key, int section) {
    platform::Registry& registry = *session_.platform.registry;
    if (!key.root) {
        session_.dialogs.error(sectionName(section) + ": \"" + key.rootName +
                               "\" is not a registry root key");
        return;
    }
    const platform::Status created = registry.createKey(*key.root, key.keyPath);
    if (!created) {
        session_.report(created);
        return;
    }
    for (const ScriptRegistryValue& value : key.values) {
        platform::RegistryValue data;
        if (value.integer) {
            data = *value.integer;
        } else {
            const std::string expanded = ExpandPlaceholders(value.text, session_.placeholders());
            data = expanded == value.text ? value.text : session_.expandedPath(value.text);
        }
        session_.report(registry.setValue(*key.root, key.keyPath, value.name, data));
    }
}

bool RegistryEntries::remove(const ScriptRegKey& key, int section) {
    if (!key.root) return false;
    const platform::Status removable = checkRemovable(key.keyPath);
    if (!removable) {
        session_.setStatus(sectionName(section) + " not removed: " + removable.message());
        return false;
    }
    // A key that is gone already is no failure of the uninstall.
    (void)session_.platform.registry->deleteKeyTree(*key.root, key.keyPath);
    return true;
}

}  // namespace zentrix::setup
