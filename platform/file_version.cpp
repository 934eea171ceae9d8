#include "platform/file_version.h"

#include <QFile>
#include <climits>
#include <cstdio>
#include <tuple>

#include "platform/elf_version_note.h"
#include "platform/pe_version_resource.h"

namespace zentrix::platform {
namespace {

constexpr const char* kDefaultTranslation = "040904E4";

std::string peVersionText(const PeVersionResource& resource) {
    std::string table = kDefaultTranslation;
    if (!resource.translations.empty()) {
        uint16_t language = resource.translations.front().first;
        uint16_t codePage = resource.translations.front().second;
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.4x%.4x", language ? language : 1033,
                      codePage ? codePage : 1252);
        table = buffer;
    }
    std::string text = resource.stringValue(table, "FileVersion");
    if (!text.empty()) return text;
    const auto [high, low] = resource.fixedFileVersion.value_or(std::make_pair(0u, 0u));
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", int(high >> 16), int(high & 0xFFFF),
                  int(low >> 16), int(low & 0xFFFF));
    return buffer;
}

// A decimal number with leading blanks, nothing after it; else 0.
int decimalOrZero(const std::string& part) {
    size_t pos = part.find_first_not_of(' ');
    if (pos == std::string::npos) return 0;
    bool negative = false;
    if (part[pos] == '-' || part[pos] == '+') negative = part[pos++] == '-';
    if (pos == part.size()) return 0;
    long long value = 0;
    for (; pos < part.size(); ++pos) {
        if (part[pos] < '0' || part[pos] > '9') return 0;
        value = value * 10 + (part[pos] - '0');
        if (value > INT_MAX) return 0;
    }
    return int(negative ? -value : value);
}

}  // namespace

Result<std::string> readFileVersion(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return Status::error(path + ": cannot open: " + file.errorString().toStdString());
    }
    const qint64 size = file.size();
    QByteArray copy;
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (!mapped) copy = file.readAll();
    const std::string_view bytes =
        mapped ? std::string_view(reinterpret_cast<const char*>(mapped), size_t(size))
               : std::string_view(copy.constData(), size_t(copy.size()));

    Result<std::optional<PeVersionResource>> pe = readPeVersionResource(bytes);
    if (!pe) return pe.status().withContext(path);
    if (pe.value()) return peVersionText(*pe.value());
    Result<std::optional<std::string>> note = readElfVersionNote(bytes);
    if (!note) return note.status().withContext(path);
    return note.value().value_or(std::string());
}

std::string FileVersionText(const std::string& path) {
    Result<std::string> version = readFileVersion(path);
    return version ? version.value() : std::string();
}

VersionQuad ParseVersionText(const std::string& text) {
    std::string rest = text;
    for (char& c : rest) {
        if (c == ',') c = '.';
    }
    int parts[4] = {0, 0, 0, 0};
    for (int& part : parts) {
        const size_t stop = rest.find('.');
        if (stop == std::string::npos) {
            part = decimalOrZero(rest);
            rest.clear();
        } else {
            part = decimalOrZero(rest.substr(0, stop));
            rest.erase(0, stop + 1);
        }
    }
    return {parts[0], parts[1], parts[2], parts[3]};
}

bool IsNewerVersion(const VersionQuad& a, const VersionQuad& b) {
    return std::tie(a.major, a.minor, a.release, a.build) >
           std::tie(b.major, b.minor, b.release, b.build);
}

}  // namespace zentrix::platform
