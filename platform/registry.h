#pragma once

// The registry service: keys below the predefined root keys, addressed by a
// path of names separated by backslashes ("\software\Brenlo\Quaylo\Test
// Engine"; a leading backslash is optional), matched without regard to case.
// Values hold a text or a 32-bit integer; the empty value name is the key's
// unnamed default value.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/root_key.h"
#include "platform/status.h"

namespace zentrix::platform {

using RegistryValue = std::variant<std::string, uint32_t>;

class Registry {
public:
    virtual ~Registry() = default;

    // True when the key exists (opening it for reading would succeed).
    virtual bool keyExists(RootKey root, const std::string& path) = 0;

    // Opens or creates the key and every missing key above it.
    virtual Status createKey(RootKey root, const std::string& path) = 0;

    // The value, or nullopt when the key has no value of that name. Fails
    // when the key does not exist.
    virtual Result<std::optional<RegistryValue>> value(RootKey root, const std::string& path,
                                                       const std::string& name) = 0;

    // Writes a value into an existing key, replacing any value of that name.
    virtual Status setValue(RootKey root, const std::string& path, const std::string& name,
                            const RegistryValue& value) = 0;

    // Removes a value; a missing value is no error, a missing key is.
    virtual Status deleteValue(RootKey root, const std::string& path, const std::string& name) = 0;

    // Removes the key with every key and value below it. A missing key is
    // reported so that callers can tell; the store is unchanged then.
    virtual Status deleteKeyTree(RootKey root, const std::string& path) = 0;

    // Text value of an existing key; a missing or non-text value reads as
    // the empty text. Fails when the key does not exist.
    Result<std::string> readString(RootKey root, const std::string& path, const std::string& name);

    // Integer value of an existing key, nullopt when missing or not an integer.
    Result<std::optional<uint32_t>> readInteger(RootKey root, const std::string& path,
                                                const std::string& name);
};

// Well-known keys the setup program uses.
namespace registry_keys {
inline constexpr const char* kShellFolders =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell folders";
inline constexpr const char* kStartMenuValue = "Start Menu";
inline constexpr const char* kSharedLibraries =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
}  // namespace registry_keys

}  // namespace zentrix::platform
