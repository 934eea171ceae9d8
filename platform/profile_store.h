#pragma once

// The initialization-file service: keys of sections of a named file, with
// the profile semantics of Windows (profile_document.h). Values are handed
// over whole, however long. Reads of a missing or unreadable file behave as
// reads of an empty one; lookup() tells the difference when it matters.

#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace zentrix::platform {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // The key's value; nullopt when the file, section or key is missing.
    // Fails only when the file exists but cannot be read.
    virtual Result<std::optional<std::string>> lookup(const std::string& file,
                                                      const std::string& section,
                                                      const std::string& key) = 0;

    // Key names of the section in file order; empty when it is missing.
    virtual Result<std::vector<std::string>> keyNames(const std::string& file,
                                                      const std::string& section) = 0;

    // Writes the key, keeping the rest of the file; creates the file when
    // missing. Atomic: the file is never left half written.
    virtual Status writeString(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& value) = 0;

    // A missing key gives `fallback`; a key present with the empty value
    // gives the empty text.
    std::string readString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback);

    // A missing or empty key gives `fallback`; otherwise the leading decimal
    // number of the value (optional sign), 0 when it does not start with one.
    int readInteger(const std::string& file, const std::string& section, const std::string& key,
                    int fallback);
};

// Profile files read and written as text through ProfileDocument.
class TextProfileStore : public ProfileStore {
public:
    Result<std::optional<std::string>> lookup(const std::string& file, const std::string& section,
                                              const std::string& key) override;
    Result<std::vector<std::string>> keyNames(const std::string& file,
                                              const std::string& section) override;
    Status writeString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) override;
};

}  // namespace zentrix::platform
