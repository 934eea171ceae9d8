#pragma once

// The keys and values below one predefined root key, in memory, with the
// text form of registry_store_format.h. Key paths and value names match
// without regard to case and keep the case they were created with.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "platform/status.h"

namespace zentrix::platform {

class RegistryHive {
public:
    // Parses a store file's text; `fileName` names the file in messages.
    static Result<RegistryHive> parse(const std::string& text, const std::string& fileName);
    std::string serialize() const;

    // Splits "\a\\b\" into "a\b": empty names are dropped. Fails for names
    // with control characters, which a key line cannot hold.
    static Result<std::string> normalizedPath(const std::string& path);

    bool hasKey(const std::string& normalized) const;
    void createKey(const std::string& normalized);
    // Removes the key and everything below it; false when it did not exist.
    bool removeKeyTree(const std::string& normalized);

    const RegistryValue* value(const std::string& normalized, const std::string& name) const;
    // The key must exist.
    void setValue(const std::string& normalized, const std::string& name, RegistryValue value);
    void removeValue(const std::string& normalized, const std::string& name);

private:
    struct Key {
        std::string path;  // as first created
        std::vector<std::pair<std::string, RegistryValue>> values;
    };
    Key* find(const std::string& normalized);
    const Key* find(const std::string& normalized) const;

    std::map<std::string, Key> keys_;  // by lower-cased path
};

}  // namespace zentrix::platform
