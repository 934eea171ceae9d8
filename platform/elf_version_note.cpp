#include "platform/elf_version_note.h"

#include "platform/byte_reader.h"

namespace zentrix::platform {
namespace {

constexpr uint32_t kNoteSectionType = 7;  // SHT_NOTE

uint64_t alignedTo4(uint64_t value) { return (value + 3) & ~uint64_t(3); }

// The version text of the first matching note in [offset, offset + size).
std::optional<std::string> findNote(const ByteReader& file, uint64_t offset, uint64_t size) {
    const uint64_t end = offset + size;
    uint64_t pos = offset;
    while (pos + 12 <= end) {
        const uint64_t nameSize = *file.u32(pos);
        const uint64_t descSize = *file.u32(pos + 4);
        const uint32_t type = *file.u32(pos + 8);
        const uint64_t nameAt = pos + 12;
        const uint64_t descAt = nameAt + alignedTo4(nameSize);
        const uint64_t next = descAt + alignedTo4(descSize);
        if (next > end) return std::nullopt;  // a note that runs past its section
        auto name = file.slice(nameAt, nameSize);
        if (type == kVersionNoteType && name &&
            *name == std::string_view(kVersionNoteOwner,
                                      std::char_traits<char>::length(kVersionNoteOwner) + 1)) {
            std::string_view desc = *file.slice(descAt, descSize);
            return std::string(desc.substr(0, desc.find('\0')));
        }
        pos = next;
    }
    return std::nullopt;
}

}  // namespace

Result<std::optional<std::string>> readElfVersionNote(std::string_view bytes) {
    using None = std::optional<std::string>;
    if (bytes.size() < 16 || bytes.substr(0, 4) != std::string_view("\x7f"
                                                                    "ELF",
                                                                    4))
        return None();
    const uint8_t elfClass = uint8_t(bytes[4]);
    const uint8_t encoding = uint8_t(bytes[5]);
    if ((elfClass != 1 && elfClass != 2) || (encoding != 1 && encoding != 2)) {
        return Status::error("ELF header: unknown class or byte order");
    }
    const ByteReader file(bytes, encoding == 2);
    const bool wide = elfClass == 2;
    auto tableOffset = wide ? file.u64(0x28) : std::optional<uint64_t>(file.u32(0x20));
    auto entrySize = file.u16(wide ? 0x3A : 0x2E);
    auto entryCount = file.u16(wide ? 0x3C : 0x30);
    if (!tableOffset || !entrySize || !entryCount || (!wide && !file.u32(0x20))) {
        return Status::error("ELF header cut short");
    }
    if (*entryCount == 0) return None();
    const uint64_t minimumEntry = wide ? 0x28 : 0x18;
    if (*entrySize < minimumEntry || !file.has(*tableOffset, uint64_t(*entrySize) * *entryCount)) {
        return Status::error("ELF section table lies outside the file");
    }
    for (uint64_t i = 0; i < *entryCount; ++i) {
        const uint64_t at = *tableOffset + i * *entrySize;
        if (file.u32(at + 4) != kNoteSectionType) continue;
        auto offset = wide ? file.u64(at + 0x18) : std::optional<uint64_t>(*file.u32(at + 0x10));
        auto size = wide ? file.u64(at + 0x20) : std::optional<uint64_t>(*file.u32(at + 0x14));
        if (!offset || !size || !file.has(*offset, *size)) {
            return Status::error("ELF note section lies outside the file");
        }
        if (std::optional<std::string> version = findNote(file, *offset, *size)) return version;
    }
    return None();
}

}  // namespace zentrix::platform
