#include "platform/pe_version_resource.h"

#include <QString>
#include <algorithm>

#include "base/ascii_text.h"
#include "platform/byte_reader.h"
#include "platform/pe_format.h"

namespace zentrix::platform {
namespace {

using namespace pe_format;

uint64_t alignedTo4(uint64_t offset) { return (offset + 3) & ~uint64_t(3); }

// One block of the version tree: a length, a value and children.
struct Block {
    uint64_t end = 0;
    uint16_t valueLength = 0;
    uint16_t type = 0;
    std::u16string key;
    uint64_t valueOffset = 0;
    uint64_t childrenOffset = 0;
};

Result<Block> readBlock(const ByteReader& data, uint64_t offset, uint64_t limit) {
    auto length = data.u16(offset);
    auto valueLength = data.u16(offset + 2);
    auto type = data.u16(offset + 4);
    if (!length || !valueLength || !type)
        return Status::error("version block header outside the resource");
    if (*length < kBlockHeaderSize || offset + *length > limit) {
        return Status::error("version block at " + std::to_string(offset) + " claims " +
                             std::to_string(*length) + " bytes, beyond its parent");
    }
    Block block;
    block.end = offset + *length;
    block.valueLength = *valueLength;
    block.type = *type;
    uint64_t pos = offset + kBlockHeaderSize;
    while (true) {
        auto unit = pos + 2 <= block.end ? data.u16(pos) : std::nullopt;
        if (!unit) return Status::error("version block key runs past its block");
        pos += 2;
        if (*unit == 0) break;
        block.key += char16_t(*unit);
    }
    block.valueOffset = std::min(alignedTo4(pos), block.end);
    // Text values count UTF-16 units, binary values bytes.
    const uint64_t valueBytes =
        block.type == 1 ? uint64_t(block.valueLength) * 2 : block.valueLength;
    block.childrenOffset = std::min(alignedTo4(block.valueOffset + valueBytes), block.end);
    return block;
}

// Calls visit(child) for every child of `parent`.
template <typename Visit>
Status forEachChild(const ByteReader& data, const Block& parent, Visit visit) {
    uint64_t offset = parent.childrenOffset;
    while (offset + kBlockHeaderSize <= parent.end) {
        ZX_TRY_ASSIGN(auto child, readBlock(data, offset, parent.end));
        ZX_TRY(visit(child));
        offset = alignedTo4(child.end);
    }
    return Status::ok();
}

std::string utf8(const std::u16string& text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

// A text value: UTF-16 units up to the terminator or the block's end.
std::string textValue(const ByteReader& data, const Block& block) {
    std::u16string text;
    for (uint64_t pos = block.valueOffset; pos + 2 <= block.end; pos += 2) {
        auto unit = data.u16(pos);
        if (!unit || *unit == 0) break;
        text += char16_t(*unit);
    }
    return utf8(text);
}

bool keyIs(const Block& block, std::string_view name) {
    return base::ascii::equalsIgnoringCase(utf8(block.key), name);
}

// Maps a relative virtual address to a file offset through the section table.
struct SectionMap {
    struct Section {
        uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
    };
    std::vector<Section> sections;

    std::optional<uint64_t> fileOffset(uint32_t rva, uint64_t count) const {
        for (const Section& s : sections) {
            const uint64_t span = std::max(s.virtualSize, s.rawSize);
            if (rva < s.virtualAddress || uint64_t(rva) - s.virtualAddress >= span) continue;
            const uint64_t delta = uint64_t(rva) - s.virtualAddress;
            if (delta + count > s.rawSize) return std::nullopt;  // not backed by file data
            return uint64_t(s.rawOffset) + delta;
        }
        return std::nullopt;
    }
};

struct DirectoryEntry {
    uint32_t name;
    uint32_t target;
};

Result<std::vector<DirectoryEntry>> readDirectory(const ByteReader& file, uint64_t offset) {
    auto named = file.u16(offset + 12);
    auto ids = file.u16(offset + 14);
    if (!named || !ids) return Status::error("resource directory outside the file");
    const uint64_t count = uint64_t(*named) + *ids;
    if (!file.has(offset + kResourceDirectorySize, count * kResourceEntrySize)) {
        return Status::error("resource directory claims " + std::to_string(count) +
                             " entries beyond the end of the file");
    }
    std::vector<DirectoryEntry> entries;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t at = offset + kResourceDirectorySize + i * kResourceEntrySize;
        entries.push_back({*file.u32(at), *file.u32(at + 4)});
    }
    return entries;
}

}  // namespace

std::string PeVersionResource::stringValue(const std::string& tableKey,
                                           const std::string& name) const {
    for (const StringTable& table : stringTables) {
        if (!base::ascii::equalsIgnoringCase(table.key, tableKey)) continue;
        for (const auto& [stringName, value] : table.strings) {
            if (base::ascii::equalsIgnoringCase(stringName, name)) return value;
        }
    }
    return {};
}

Result<PeVersionResource> parseVersionInfoBlock(std::string_view bytes) {
    const ByteReader data(bytes);
    Result<Block> root = readBlock(data, 0, bytes.size());
    if (!root) return root.status().withContext("version resource");
    PeVersionResource resource;
    if (root->valueLength >= kFixedFileInfoSize &&
        data.u32(root->valueOffset) == kFixedFileInfoSignature) {
        auto high = data.u32(root->valueOffset + 8);
        auto low = data.u32(root->valueOffset + 12);
        if (high && low && root->valueOffset + kFixedFileInfoSize <= root->end) {
            resource.fixedFileVersion = std::make_pair(*high, *low);
        }
    }
    Status walked = forEachChild(data, root.value(), [&](const Block& child) -> Status {
        if (keyIs(child, "StringFileInfo")) {
            return forEachChild(data, child, [&](const Block& table) -> Status {
                PeVersionResource::StringTable strings{utf8(table.key), {}};
                ZX_TRY(forEachChild(data, table, [&](const Block& entry) -> Status {
                    strings.strings.emplace_back(utf8(entry.key), textValue(data, entry));
                    return Status::ok();
                }));
                resource.stringTables.push_back(std::move(strings));
                return Status::ok();
            });
        }
        if (keyIs(child, "VarFileInfo")) {
            return forEachChild(data, child, [&](const Block& var) -> Status {
                if (!keyIs(var, "Translation")) return Status::ok();
                const uint64_t end = std::min<uint64_t>(var.valueOffset + var.valueLength, var.end);
                for (uint64_t pos = var.valueOffset; pos + 4 <= end; pos += 4) {
                    resource.translations.emplace_back(*data.u16(pos), *data.u16(pos + 2));
                }
                return Status::ok();
            });
        }
        return Status::ok();
    });
    if (!walked) return walked.withContext("version resource");
    return resource;
}

Result<std::optional<PeVersionResource>> readPeVersionResource(std::string_view bytes) {
    using None = std::optional<PeVersionResource>;
    const ByteReader file(bytes);
    if (file.u16(0) != kDosMagic) return None();
    auto peOffset = file.u32(kPeOffsetField);
    if (!peOffset || file.u32(*peOffset) != kPeSignature) return None();

    const uint64_t coff = uint64_t(*peOffset) + 4;
    auto sectionCount = file.u16(coff + 2);
    auto optionalSize = file.u16(coff + 16);
    const uint64_t optional = coff + kCoffHeaderSize;
    auto magic = file.u16(optional);
    if (!sectionCount || !optionalSize || !magic) return Status::error("PE headers cut short");
    uint64_t directoryCountField, directories;
    if (*magic == kPe32Magic) {
        directoryCountField = optional + 92;
        directories = optional + 96;
    } else if (*magic == kPe32PlusMagic) {
        directoryCountField = optional + 108;
        directories = optional + 112;
    } else {
        return Status::error("unknown PE optional header magic " + std::to_string(*magic));
    }
    auto directoryCount = file.u32(directoryCountField);
    if (!directoryCount) return Status::error("PE optional header cut short");
    const uint64_t resourceField = directories + uint64_t(kResourceDirectoryIndex) * 8;
    if (*directoryCount <= kResourceDirectoryIndex ||
        resourceField + 8 > optional + *optionalSize) {
        return None();
    }
    auto resourceRva = file.u32(resourceField);
    if (!resourceRva) return Status::error("PE data directories cut short");
    if (*resourceRva == 0) return None();

    SectionMap map;
    const uint64_t sectionTable = optional + *optionalSize;
    if (!file.has(sectionTable, uint64_t(*sectionCount) * kSectionHeaderSize)) {
        return Status::error("PE section table claims " + std::to_string(*sectionCount) +
                             " sections beyond the end of the file");
    }
    for (uint64_t i = 0; i < *sectionCount; ++i) {
        const uint64_t at = sectionTable + i * kSectionHeaderSize;
        map.sections.push_back(
            {*file.u32(at + 12), *file.u32(at + 8), *file.u32(at + 16), *file.u32(at + 20)});
    }
    auto resourceBase = map.fileOffset(*resourceRva, kResourceDirectorySize);
    if (!resourceBase || !file.has(*resourceBase, kResourceDirectorySize)) {
        return Status::error("PE resource directory lies outside the file");
    }

    // Three levels: type, name, language. The version is type 16; the first
    // name and the first language are taken.
    uint64_t directory = *resourceBase;
    for (int level = 0; level < 3; ++level) {
        ZX_TRY_ASSIGN(auto entries, readDirectory(file, directory));
        const DirectoryEntry* chosen = nullptr;
        for (const DirectoryEntry& entry : entries) {
            if (level > 0 || entry.name == kVersionResourceType) {
                chosen = &entry;
                break;
            }
        }
        if (!chosen) return None();
        const bool isDirectory = (chosen->target & kSubdirectoryFlag) != 0;
        const uint64_t next = *resourceBase + (chosen->target & ~kSubdirectoryFlag);
        if (level < 2) {
            if (!isDirectory)
                return Status::error("PE resource tree: leaf where a directory belongs");
            directory = next;
            continue;
        }
        if (isDirectory) return Status::error("PE resource tree: directory where a leaf belongs");
        auto dataRva = file.u32(next);
        auto dataSize = file.u32(next + 4);
        if (!dataRva || !dataSize) return Status::error("PE resource data entry outside the file");
        auto dataOffset = map.fileOffset(*dataRva, *dataSize);
        auto data = dataOffset ? file.slice(*dataOffset, *dataSize) : std::nullopt;
        if (!data) return Status::error("PE version resource lies outside the file");
        ZX_TRY_ASSIGN(auto parsed, parseVersionInfoBlock(*data));
        return std::optional<PeVersionResource>(std::move(parsed));
    }
    return None();
}

}  // namespace zentrix::platform
