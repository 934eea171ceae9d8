#include "platform/file_registry.h"

#include <QDir>
#include <QLockFile>

#include "platform/registry_store_format.h"
#include "base/ascii_text.h"
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
    Result<std::optional<std::string>> bytes = readWholeFile(file);
    if (!bytes) return bytes.status();
    if (!bytes.value()) return RegistryHive();
    return RegistryHive::parse(*bytes.value(), file);
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
            base::ascii::equalsIgnoringCase(std::string_view(fixed.path).substr(0, normalized.size()),
                               normalized)) {
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
    Result<std::string> normalized = RegistryHive::normalizedPath(path);
    if (!normalized) return normalized.status();
    Result<RegistryHive> hive = load(root);
    if (!hive) return hive.status();
    if (hive->hasKey(normalized.value())) return Status::ok();
    hive->createKey(normalized.value());
    return save(root, hive.value());
}

Result<std::optional<RegistryValue>> FileRegistry::value(RootKey root, const std::string& path,
                                                         const std::string& name) {
    Result<std::string> normalized = RegistryHive::normalizedPath(path);
    if (!normalized) return normalized.status();
    if (const FixedValue* fixed = fixedValue(root, normalized.value(), name)) {
        return std::optional<RegistryValue>(fixed->value);
    }
    Result<RegistryHive> hive = load(root);
    if (!hive) return hive.status();
    if (!hive->hasKey(normalized.value())) {
        if (isFixedKey(root, normalized.value())) return std::optional<RegistryValue>();
        return Status::error(keyName(root, normalized.value()) + ": no such registry key");
    }
    const RegistryValue* found = hive->value(normalized.value(), name);
    return found ? std::optional<RegistryValue>(*found) : std::optional<RegistryValue>();
}

Status FileRegistry::setValue(RootKey root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    Result<std::string> normalized = RegistryHive::normalizedPath(path);
    if (!normalized) return normalized.status();
    Result<RegistryHive> hive = load(root);
    if (!hive) return hive.status();
    if (!hive->hasKey(normalized.value())) {
        if (!isFixedKey(root, normalized.value())) {
            return Status::error(keyName(root, normalized.value()) + ": no such registry key");
        }
        hive->createKey(normalized.value());
    }
    hive->setValue(normalized.value(), name, value);
    return save(root, hive.value());
}

Status FileRegistry::deleteValue(RootKey root, const std::string& path, const std::string& name) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    Result<std::string> normalized = RegistryHive::normalizedPath(path);
    if (!normalized) return normalized.status();
    Result<RegistryHive> hive = load(root);
    if (!hive) return hive.status();
    if (!hive->hasKey(normalized.value())) {
        if (isFixedKey(root, normalized.value())) return Status::ok();
        return Status::error(keyName(root, normalized.value()) + ": no such registry key");
    }
    if (!hive->value(normalized.value(), name)) return Status::ok();
    hive->removeValue(normalized.value(), name);
    return save(root, hive.value());
}

Status FileRegistry::deleteKeyTree(RootKey root, const std::string& path) {
    ChangeLock lock(folder_);
    ZX_TRY(lock.status(folder_));
    Result<std::string> normalized = RegistryHive::normalizedPath(path);
    if (!normalized) return normalized.status();
    if (normalized.value().empty()) {
        return Status::error(std::string(rootKeyName(root)) + ": a root key cannot be deleted");
    }
    Result<RegistryHive> hive = load(root);
    if (!hive) return hive.status();
    if (!hive->removeKeyTree(normalized.value())) {
        return Status::error(keyName(root, normalized.value()) + ": no such registry key");
    }
    return save(root, hive.value());
}

}  // namespace zentrix::platform
