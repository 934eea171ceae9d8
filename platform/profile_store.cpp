#include "platform/profile_store.h"

#include <algorithm>
#include <climits>

#include "platform/profile_document.h"
#include "platform/text_file.h"

namespace zentrix::platform {
namespace {

Result<ProfileDocument> loadDocument(const std::string& file) {
    Result<std::optional<std::string>> bytes = readWholeFile(file);
    if (!bytes) return bytes.status();
    return ProfileDocument::parse(bytes.value() ? *bytes.value() : std::string());
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
    Result<ProfileDocument> document = loadDocument(file);
    if (!document) return document.status();
    return document->value(section, key);
}

Result<std::vector<std::string>> TextProfileStore::keyNames(const std::string& file,
                                                            const std::string& section) {
    Result<ProfileDocument> document = loadDocument(file);
    if (!document) return document.status();
    return document->keyNames(section);
}

Status TextProfileStore::writeString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& value) {
    Result<ProfileDocument> document = loadDocument(file);
    if (!document) return document.status();
    Status changed = document->setValue(section, key, value);
    if (!changed) return changed.withContext(file);
    return writeFileAtomically(file, document->serialize());
}

}  // namespace zentrix::platform
