#include "platform/profile_store.h"

#include <algorithm>
#include <climits>

#include "platform/profile_document.h"
#include "platform/text_file.h"

namespace zentrix::platform {
namespace {

Result<ProfileDocument> loadDocument(const std::string& file) {
    ZX_TRY_ASSIGN(auto bytes, readWholeFile(file));
    return ProfileDocument::parse(bytes ? *bytes : std::string());
}

int leadingInteger(const std::string& text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    long long magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = std::min<long long>(magnitude * 10 + (text[pos] - '0'), 1LL << 32);
    }
    long long value = negative ? -magnitude : magnitude;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

std::string ProfileStore::readString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& fallback) {
    Result<std::optional<std::string>> found = lookup(file, section, key);
    if (!found || !found.value()) return fallback;
    return *found.value();
}

int ProfileStore::readInteger(const std::string& file, const std::string& section,
                              const std::string& key, int fallback) {
    Result<std::optional<std::string>> found = lookup(file, section, key);
    if (!found || !found.value() || found.value()->empty()) return fallback;
    return leadingInteger(*found.value());
}

Result<std::optional<std::string>> TextProfileStore::lookup(const std::string& file,
                                                            const std::string& section,
                                                            const std::string& key) {
    ZX_TRY_ASSIGN(auto document, loadDocument(file));
    return document.value(section, key);
}

Result<std::vector<std::string>> TextProfileStore::keyNames(const std::string& file,
                                                            const std::string& section) {
    ZX_TRY_ASSIGN(auto document, loadDocument(file));
    return document.keyNames(section);
}

Status TextProfileStore::writeString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& value) {
    ZX_TRY_ASSIGN(auto document, loadDocument(file));
    Status changed = document.setValue(section, key, value);
    if (!changed) return changed.withContext(file);
    return writeFileAtomically(file, document.serialize());
}

}  // namespace zentrix::platform
