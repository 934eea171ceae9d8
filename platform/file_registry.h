#pragma once

// A registry kept as readable text files, one per predefined root key, in one
// folder (registry_store_format.h). Every change reads the store file, applies
// the change and writes the file atomically, so two programs that share the
// folder (the setup program writes, the engine reads) always see a whole store.
//
// Fixed values answer for keys the platform owns, such as the Start Menu
// folder of the shell-folders key: they are always present and win over
// anything stored under the same name.

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_hive.h"

namespace zentrix::platform {

class FileRegistry : public Registry {
public:
    struct FixedValue {
        RootKey root;
        std::string path;
        std::string name;
        RegistryValue value;
    };

    FileRegistry(std::string folder, std::vector<FixedValue> fixedValues);

    bool keyExists(RootKey root, const std::string& path) override;
    Status createKey(RootKey root, const std::string& path) override;
    Result<std::optional<RegistryValue>> value(RootKey root, const std::string& path,
                                               const std::string& name) override;
    Status setValue(RootKey root, const std::string& path, const std::string& name,
                    const RegistryValue& value) override;
    Status deleteValue(RootKey root, const std::string& path, const std::string& name) override;
    Status deleteKeyTree(RootKey root, const std::string& path) override;

    std::string storeFile(RootKey root) const;

private:
    class ChangeLock;
    Result<RegistryHive> load(RootKey root) const;
    Status save(RootKey root, const RegistryHive& hive) const;
    const FixedValue* fixedValue(RootKey root, const std::string& normalized,
                                 const std::string& name) const;
    bool isFixedKey(RootKey root, const std::string& normalized) const;
    static std::string keyName(RootKey root, const std::string& path);

    std::string folder_;
    std::vector<FixedValue> fixedValues_;  // paths normalized
};

}  // namespace zentrix::platform
