#include "platform/file_registry.h"

#include <QDir>
#include <QLockFile>

#include "base/ascii_text.h"
#include "platform/registry_store_format.h"
#include "platform/text_file.h"

namespace zentrix::platform {

FileRegistry::FileRegistry(std::string folder, std::vector<FixedValue> fixedValues)
    : folder_(std::move(folder)) {
    for (FixedValue& fixed : fixedValues) {
        Result<std::string> normalized = RegistryHive::normalizedPath(fixed.path);
        if (!normalized) continue;
        fixed.path = normalized.value();
        fixedValues_.push_back(std::move(fixed));
    }
}

std::string FileRegistry::storeFile(RootKey root) const {
    return folder_ + "/" + std::string(rootKeyName(root)) + registry_store::kFileExtension;
}

std::string FileRegistry::keyName(RootKey root, const std::string& path) {
    return std::string(rootKeyName(root)) + "\\" + path;
}

// Changes are read-modify-write of a whole store file; the lock keeps two
// programs changing the same registry at once from losing one another's
// change. A lock left by a crashed program is taken over (QLockFile).
class FileRegistry::ChangeLock {
public:
    explicit ChangeLock(const std::string& folder) : lock_(lockFile(folder)) {
        locked_ = lock_.tryLock(kWaitMs);
    }
    Status status(const std::string& folder) const {
        return locked_ ? Status::ok()
                       : Status::error(folder + ": registry is locked by another program");
    }

private:
    static constexpr int kWaitMs = 10000;
    static QString lockFile(const std::string& folder) {
        QDir().mkpath(QString::fromStdString(folder));
        return QString::fromStdString(folder + "/.lock");
    }
    QLockFile lock_;
    bool locked_ = false;
};

Result<RegistryHive> FileRegistry::load(RootKey root) const {
    const std::string file = storeFile(root);
    ZX_TRY_ASSIGN(auto bytes, readWholeFile(file));
    if (!bytes) return RegistryHive();
    return RegistryHive::parse(*bytes, file);
}

Status FileRegistry::save(RootKey root, const RegistryHive& hive) const {
    return writeFileAtomically(storeFile(root), hive.serialize());
}

const FileRegistry::FixedValue* FileRegistry::fixedValue(RootKey root,
                                                         const std::string& normalized,
                                                         const std::string& name) const {
    for (const FixedValue& fixed : fixedValues_) {
        if (fixed.root == root && base::ascii::equalsIgnoringCase(fixed.path, normalized) &&
            base::ascii::equalsIgnoringCase(fixed.name, name)) {
            return &fixed;
        }
    }
    return nullptr;
}

bool FileRegistry::isFixedKey(RootKey root, const std::string& normalized) const {
    for (const FixedValue& fixed : fixedValues_) {
        if (fixed.root != root) continue;
        if (base::ascii::equalsIgnoringCase(fixed.path, normalized)) return true;
        // Keys above a fixed value exist too.
        if (fixed.path.size() > normalized.size() && fixed.path[normalized.size()] == '\\' &&
            base::ascii::equalsIgnoringCase(
                std::string_view(fixed.path).substr(0, normalized.size()), normalized)) {
            return true;
        }
    }
    return false;
}

bool FileRegistry::keyExists(RootKey root, const std::string& path) {
    Result<std::string> normalized = RegistryHive::normalizedPath(path);
    if (!normalized) return false;
    if (isFixedKey(root, normalized.value())) return true;
    Result<RegistryHive> hive = load(root);
    return hive && hive->hasKey(normalized.value());
}

Status FileRegistry::createKey(RootKey root, const std::string& path) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    ZX_TRY_ASSIGN(auto normalized, RegistryHive::normalizedPath(path));
    ZX_TRY_ASSIGN(auto hive, load(root));
    if (hive.hasKey(normalized)) return Status::ok();
    hive.createKey(normalized);
    return save(root, hive);
}

Result<std::optional<RegistryValue>> FileRegistry::value(RootKey root, const std::string& path,
                                                         const std::string& name) {
    ZX_TRY_ASSIGN(auto normalized, RegistryHive::normalizedPath(path));
    if (const FixedValue* fixed = fixedValue(root, normalized, name)) {
        return std::optional<RegistryValue>(fixed->value);
    }
    ZX_TRY_ASSIGN(auto hive, load(root));
    if (!hive.hasKey(normalized)) {
        if (isFixedKey(root, normalized)) return std::optional<RegistryValue>();
        return Status::error(keyName(root, normalized) + ": no such registry key");
    }
    const RegistryValue* found = hive.value(normalized, name);
    return found ? std::optional<RegistryValue>(*found) : std::optional<RegistryValue>();
}

Status FileRegistry::setValue(RootKey root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    ZX_TRY_ASSIGN(auto normalized, RegistryHive::normalizedPath(path));
    ZX_TRY_ASSIGN(auto hive, load(root));
    if (!hive.hasKey(normalized)) {
        if (!isFixedKey(root, normalized)) {
            return Status::error(keyName(root, normalized) + ": no such registry key");
        }
        hive.createKey(normalized);
    }
    hive.setValue(normalized, name, value);
    return save(root, hive);
}

Status FileRegistry::deleteValue(RootKey root, const std::string& path, const std::string& name) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    ZX_TRY_ASSIGN(auto normalized, RegistryHive::normalizedPath(path));
    ZX_TRY_ASSIGN(auto hive, load(root));
    if (!hive.hasKey(normalized)) {
        if (isFixedKey(root, normalized)) return Status::ok();
        return Status::error(keyName(root, normalized) + ": no such registry key");
    }
    if (!hive.value(normalized, name)) return Status::ok();
    hive.removeValue(normalized, name);
    return save(root, hive);
}

Status FileRegistry::deleteKeyTree(RootKey root, const std::string& path) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    ZX_TRY_ASSIGN(auto normalized, RegistryHive::normalizedPath(path));
    if (normalized.empty()) {
        return Status::error(std::string(rootKeyName(root)) + ": a root key cannot be deleted");
    }
    ZX_TRY_ASSIGN(auto hive, load(root));
    if (!hive.removeKeyTree(normalized)) {
        return Status::error(keyName(root, normalized) + ": no such registry key");
    }
    return save(root, hive);
}

}  // namespace zentrix::platform
