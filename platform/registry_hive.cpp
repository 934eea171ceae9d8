#include "platform/registry_hive.h"

#include <cstdio>

#include "base/ascii_text.h"
#include "platform/registry_store_format.h"

namespace zentrix::platform {
namespace {

// Reads a quoted text starting at line[pos] == '"'; leaves pos after the
// closing quote.
std::optional<std::string> unquote(const std::string& line, size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size()) return std::nullopt;
        switch (line[pos]) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                if (pos + 2 >= line.size()) return std::nullopt;
                int high = base::ascii::hexDigitValue(line[pos + 1]),
                    low = base::ascii::hexDigitValue(line[pos + 2]);
                if (high < 0 || low < 0) return std::nullopt;
                out += char(high * 16 + low);
                pos += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> parseDword(const std::string& digits) {
    if (digits.size() != 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        int digit = base::ascii::hexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + uint32_t(digit);
    }
    return value;
}

}  // namespace

Result<std::string> RegistryHive::normalizedPath(const std::string& path) {
    std::string result;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        std::string name = path.substr(start, end - start);
        for (unsigned char c : name) {
            if (c < 0x20)
                return Status::error("registry key \"" + path +
                                     "\": control character in a key name");
        }
        if (!name.empty()) {
            if (!result.empty()) result += '\\';
            result += name;
        }
        start = end + 1;
    }
    return result;
}

Result<RegistryHive> RegistryHive::parse(const std::string& text, const std::string& fileName) {
    RegistryHive hive;
    Key* current = nullptr;
    size_t lineStart = 0;
    int lineNumber = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        std::string line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto fault = [&](const std::string& what) {
            return Status::error(fileName + ": line " + std::to_string(lineNumber) + ": " + what);
        };
        if (lineNumber == 1) {
            if (line != registry_store::kHeader) return fault("not a registry store (bad header)");
            continue;
        }
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']') return fault("key line without closing bracket");
            Result<std::string> path = normalizedPath(line.substr(1, line.size() - 2));
            if (!path) return fault(path.message());
            hive.createKey(path.value());
            current = hive.find(path.value());
            continue;
        }
        if (!current) return fault("value before the first key");
        std::string name;
        size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else {
            std::optional<std::string> parsed = unquote(line, pos);
            if (!parsed) return fault("bad value name");
            name = *parsed;
        }
        if (pos >= line.size() || line[pos] != '=') return fault("value without '='");
        ++pos;
        std::string data = line.substr(pos);
        const std::string prefix = registry_store::kIntegerPrefix;
        if (data.compare(0, prefix.size(), prefix) == 0) {
            std::optional<uint32_t> number = parseDword(data.substr(prefix.size()));
            if (!number) return fault("bad integer value");
            hive.setValue(current->path, name, *number);
        } else {
            std::optional<std::string> textValue = unquote(line, pos);
            if (!textValue || pos != line.size()) return fault("bad text value");
            hive.setValue(current->path, name, *textValue);
        }
    }
    if (lineNumber == 0) return Status::error(fileName + ": empty registry store");
    return hive;
}

std::string RegistryHive::serialize() const {
    std::string out = std::string(registry_store::kHeader) + "\n";
    for (const auto& [lower, key] : keys_) {
        out += "\n[" + key.path + "]\n";
        for (const auto& [name, value] : key.values) {
            out += name.empty() ? std::string("@") : base::ascii::quotedWithEscapes(name);
            out += '=';
            if (const auto* number = std::get_if<uint32_t>(&value)) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "%08x", *number);
                out += std::string(registry_store::kIntegerPrefix) + buffer;
            } else {
                out += base::ascii::quotedWithEscapes(std::get<std::string>(value));
            }
            out += '\n';
        }
    }
    return out;
}

RegistryHive::Key* RegistryHive::find(const std::string& normalized) {
    auto it = keys_.find(base::ascii::lower(normalized));
    return it == keys_.end() ? nullptr : &it->second;
}

const RegistryHive::Key* RegistryHive::find(const std::string& normalized) const {
    auto it = keys_.find(base::ascii::lower(normalized));
    return it == keys_.end() ? nullptr : &it->second;
}

bool RegistryHive::hasKey(const std::string& normalized) const {
    return normalized.empty() || find(normalized) != nullptr;
}

void RegistryHive::createKey(const std::string& normalized) {
    if (normalized.empty()) return;
    // Every key above exists as an entry of its own, as on Windows.
    size_t pos = 0;
    while (true) {
        const size_t separator = normalized.find('\\', pos);
        const std::string prefix = normalized.substr(0, separator);
        const std::string lower = base::ascii::lower(prefix);
        if (!keys_.count(lower)) keys_[lower] = Key{prefix, {}};
        if (separator == std::string::npos) break;
        pos = separator + 1;
    }
}

bool RegistryHive::removeKeyTree(const std::string& normalized) {
    const std::string lower = base::ascii::lower(normalized);
    auto it = keys_.find(lower);
    if (it == keys_.end()) return false;
    keys_.erase(it);
    // Keys below share the prefix "path\" and sort together from there.
    const std::string below = lower + "\\";
    it = keys_.lower_bound(below);
    while (it != keys_.end() && it->first.compare(0, below.size(), below) == 0)
        it = keys_.erase(it);
    return true;
}

const RegistryValue* RegistryHive::value(const std::string& normalized,
                                         const std::string& name) const {
    const Key* key = find(normalized);
    if (!key) return nullptr;
    for (const auto& [valueName, data] : key->values) {
        if (base::ascii::equalsIgnoringCase(valueName, name)) return &data;
    }
    return nullptr;
}

void RegistryHive::setValue(const std::string& normalized, const std::string& name,
                            RegistryValue value) {
    Key* key = find(normalized);
    if (!key) return;
    for (auto& [valueName, data] : key->values) {
        if (base::ascii::equalsIgnoringCase(valueName, name)) {
            data = std::move(value);
            return;
        }
    }
    key->values.emplace_back(name, std::move(value));
}

void RegistryHive::removeValue(const std::string& normalized, const std::string& name) {
    Key* key = find(normalized);
    if (!key) return;
    std::erase_if(key->values, [&](const auto& entry) {
        return base::ascii::equalsIgnoringCase(entry.first, name);
    });
}

}  // namespace zentrix::platform
