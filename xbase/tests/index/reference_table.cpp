#include "reference_table.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zentrix::xbase::testing {

std::optional<ReferenceTable> ReferenceTable::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 32) return std::nullopt;
    auto u8 = [&](size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const uint32_t count = u8(4) | (u8(5) << 8) | (u8(6) << 16) | (uint32_t(u8(7)) << 24);
    const size_t headerLength = u8(8) | (u8(9) << 8);
    const size_t recordLength = u8(10) | (u8(11) << 8);
    ReferenceTable table;
    int offset = 1;
    for (size_t at = 32; at + 32 <= headerLength && u8(at) != 0x0D; at += 32) {
        FieldDescriptor field;
        field.name = std::string(bytes.data() + at, strnlen(bytes.data() + at, 11));
        field.type = static_cast<FieldType>(bytes[at + 11]);
        field.length = u8(at + 16);
        field.decimals = u8(at + 17);
        field.flags = u8(at + 18);
        field.offset = offset;
        offset += field.length;
        table.fields.push_back(field);
    }
    for (uint32_t i = 0; i < count; ++i) {
        const size_t at = headerLength + i * recordLength;
        if (at + recordLength > bytes.size()) return std::nullopt;
        table.records.push_back(bytes.substr(at, recordLength));
    }
    return table;
}

std::string interopDir() {
    const char* fromEnvironment = std::getenv("ZENTRIX_INTEROP_DIR");
    std::string dir = fromEnvironment && *fromEnvironment ? fromEnvironment : ZENTRIX_INTEROP_DIR;
    return std::filesystem::is_directory(dir) ? dir : std::string();
}

std::string findFile(const std::string& folder, const std::string& name) {
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (lower(entry.path().filename().string()) == lower(name)) return entry.path().string();
    }
    return std::string();
}

}  // namespace zentrix::xbase::testing
