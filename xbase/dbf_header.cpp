#include "xbase/dbf_header.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

#include "base/ascii_text.h"
#include "xbase/dbf_format.h"

namespace zentrix::xbase {
namespace {

bool knownType(char t) {
    switch (t) {
        case 'C':
        case 'N':
        case 'F':
        case 'M':
        case 'G':
        case 'W':
        case 'I':
        case 'B':
        case 'Y':
        case 'D':
        case 'T':
        case 'L':
        case '0':
        case 'V':
        case 'Q':
        case 'P':
            return true;
        default:
            return false;
    }
}

}  // namespace

int DbfHeader::lengthFromPrefix(const uint8_t* prefix32) {
    return dbf::readU16le(prefix32 + dbf::kHeaderLengthAt);
}

Result<DbfHeader> DbfHeader::parse(const std::string& bytes, uint64_t fileSize) {
    if (bytes.size() < size_t(dbf::kHeaderSize))
        return Status::error("not a table: " + std::to_string(fileSize) +
                             " bytes, shorter than a table header");
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    DbfHeader h;
    h.version = p[dbf::kVersionAt];
    switch (h.version) {
        case dbf::kVersionDbase3:
        case dbf::kVersionDbase3Memo:
        case dbf::kVersionDbase4Memo:
        case dbf::kVersionFoxPro2Memo:
        case dbf::kVersionVfp:
        case dbf::kVersionVfpAutoinc:
        case dbf::kVersionVfpVarchar:
        case 0x04:
        case 0x7B:
        case 0xFB:
            break;
        default: {
            char buf[64];
            std::snprintf(buf, sizeof buf, "not a table: unknown version byte 0x%02X", h.version);
            return Status::error(buf);
        }
    }
    h.year = 1900 + p[dbf::kDateAt];
    h.month = p[dbf::kDateAt + 1];
    h.day = p[dbf::kDateAt + 2];
    h.recordCount = dbf::readU32le(p + dbf::kRecordCountAt);
    h.headerLength = dbf::readU16le(p + dbf::kHeaderLengthAt);
    h.recordLength = dbf::readU16le(p + dbf::kRecordLengthAt);
    h.tableFlags = p[dbf::kTableFlagsAt];
    h.codePage = p[dbf::kCodePageAt];

    if (h.headerLength < dbf::kHeaderSize + 1)
        return Status::error("damaged header: header length " + std::to_string(h.headerLength) +
                             " too small");
    if (uint64_t(h.headerLength) > fileSize || size_t(h.headerLength) > bytes.size())
        return Status::error("damaged header: header length " + std::to_string(h.headerLength) +
                             " beyond the end of the file (" + std::to_string(fileSize) +
                             " bytes)");
    if (h.recordLength < 1) return Status::error("damaged header: record length 0");

    // Field descriptors run up to the 0x0D terminator.
    int at = dbf::kHeaderSize;
    int offset = 1;  // byte 0 of a record is the deleted mark
    std::set<std::string> names;
    while (true) {
        if (at >= h.headerLength)
            return Status::error("damaged header: no field terminator within the header length " +
                                 std::to_string(h.headerLength));
        if (p[at] == dbf::kHeaderTerminator) break;
        if (at + dbf::kFieldDescriptorSize > h.headerLength)
            return Status::error("damaged header: field descriptor at " + std::to_string(at) +
                                 " runs past the header length " + std::to_string(h.headerLength));
        const uint8_t* d = p + at;
        FieldDescriptor f;
        size_t nameLen = 0;
        while (nameLen < size_t(dbf::kFieldNameLength) && d[nameLen] != 0) ++nameLen;
        f.name = base::ascii::upper(
            std::string_view(reinterpret_cast<const char*>(d), std::min<size_t>(nameLen, 10)));
        const char type = char(d[dbf::kFieldTypeAt]);
        if (!knownType(type))
            return Status::error("damaged header: field " + std::to_string(h.fields.size() + 1) +
                                 " has unknown type byte " + std::to_string(int(uint8_t(type))));
        f.type = static_cast<FieldType>(type);
        f.length = d[dbf::kFieldLengthAt];
        f.decimals = d[dbf::kFieldDecimalsAt];
        f.flags = d[dbf::kFieldFlagsAt];
        // Character fields of some writers use the decimals byte as the high
        // byte of the length.
        if (type == 'C' && !dbf::isVisualFoxPro(h.version)) {
            f.length += f.decimals * 256;
            f.decimals = 0;
        }
        if (f.length < 1) return Status::error("damaged header: field " + f.name + " has length 0");
        if (f.name.empty())
            return Status::error("damaged header: field " + std::to_string(h.fields.size() + 1) +
                                 " has no name");
        f.offset = offset;
        offset += f.length;
        f.nullable = (f.flags & dbf::kFieldFlagNullable) != 0;
        if (type == '0') {
            h.nullFlagsOffset = f.offset;
            h.nullFlagsLength = f.length;
        } else {
            if (!names.insert(f.name).second)
                return Status::error("damaged header: field name " + f.name + " appears twice");
            h.fields.push_back(std::move(f));
        }
        at += dbf::kFieldDescriptorSize;
        if (h.fields.size() > 2048) return Status::error("damaged header: too many fields");
    }
    // Stored field offsets are ignored: some writers leave them 0.
    if (h.fields.empty()) return Status::error("damaged header: no fields");
    if (offset != h.recordLength)
        return Status::error("damaged header: fields take " + std::to_string(offset) +
                             " bytes but the record length is " + std::to_string(h.recordLength));
    // VFP numbers the nullable fields' bits in field order.
    int bit = 0;
    for (auto& f : h.fields) {
        if (f.nullable) f.nullBit = bit++;
    }
    if (bit > 0 && (h.nullFlagsOffset < 0 || bit > h.nullFlagsLength * 8))
        return Status::error("damaged header: nullable fields without room in _NullFlags");
    // A header shorter than the records claim it holds means the file was cut.
    const uint64_t needed =
        uint64_t(h.headerLength) + uint64_t(h.recordCount) * uint64_t(h.recordLength);
    if (needed > fileSize) {
        const uint64_t whole = (fileSize - uint64_t(h.headerLength)) / uint64_t(h.recordLength);
        return Status::error("truncated: header claims " + std::to_string(h.recordCount) +
                             " records of " + std::to_string(h.recordLength) +
                             " bytes, the file holds " + std::to_string(whole));
    }
    return h;
}

Result<DbfHeader> DbfHeader::build(const std::vector<FieldSpec>& specs, bool hasIndex) {
    if (specs.empty()) return Status::error("a table needs at least one field");
    if (specs.size() > 255)
        return Status::error("too many fields: " + std::to_string(specs.size()));
    DbfHeader h;
    int offset = 1;
    std::set<std::string> names;
    for (const auto& s : specs) {
        FieldDescriptor f;
        f.name = base::ascii::upper(s.name);
        if (f.name.empty() || f.name.size() > 10 || !base::ascii::isAlpha(f.name[0]) ||
            !std::all_of(f.name.begin(), f.name.end(),
                         [](char c) { return base::ascii::isAlnum(c) || c == '_'; }))
            return Status::error("field name \"" + s.name +
                                 "\" is not 1 to 10 letters, digits or _ starting with a letter");
        if (!names.insert(f.name).second)
            return Status::error("field name " + f.name + " appears twice");
        const char type = base::ascii::toUpper(s.type);
        switch (type) {
            case 'C':
                if (s.length < 1 || s.length > 254)
                    return Status::error("field " + f.name + ": character width " +
                                         std::to_string(s.length) + " not within 1 to 254");
                f.length = s.length;
                break;
            case 'N':
                if (s.length < 1 || s.length > 20)
                    return Status::error("field " + f.name + ": numeric width " +
                                         std::to_string(s.length) + " not within 1 to 20");
                if (s.decimals < 0 || (s.decimals > 0 && s.decimals > s.length - 2))
                    return Status::error("field " + f.name + ": " + std::to_string(s.decimals) +
                                         " decimals do not fit width " + std::to_string(s.length));
                f.length = s.length;
                f.decimals = s.decimals;
                break;
            case 'M':
                f.length = dbf::kTextMemoPointerLength;
                break;
            default:
                return Status::error("field " + f.name + ": type " + std::string(1, s.type) +
                                     " cannot be written (only C, N and M)");
        }
        f.type = static_cast<FieldType>(type);
        f.offset = offset;
        offset += f.length;
        h.fields.push_back(std::move(f));
    }
    if (offset > 65535)
        return Status::error("record length " + std::to_string(offset) + " exceeds 65535");
    h.version = h.hasMemoFields() ? dbf::kVersionFoxPro2Memo : dbf::kVersionDbase3;
    // FoxPro follows the terminator with one NUL byte; other FoxPro-compatible
    // writers do the same, and records then start at the same offset.
    h.headerLength = dbf::kHeaderSize + dbf::kFieldDescriptorSize * int(h.fields.size()) + 2;
    h.recordLength = offset;
    h.tableFlags = hasIndex ? dbf::kFlagProductionIndex : 0;
    h.touchDate();
    return h;
}

bool DbfHeader::hasMemoFields() const {
    return std::any_of(fields.begin(), fields.end(), [](const FieldDescriptor& f) {
        return f.type == FieldType::Memo || f.type == FieldType::General ||
               f.type == FieldType::Blob;
    });
}

void DbfHeader::touchDate() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    year = 1900 + tm.tm_year;
    month = tm.tm_mon + 1;
    day = tm.tm_mday;
}

void DbfHeader::encodePrefix(uint8_t out[12]) const {
    out[dbf::kVersionAt] = version;
    out[dbf::kDateAt] = uint8_t(std::clamp(year - 1900, 0, 255));
    out[dbf::kDateAt + 1] = uint8_t(month);
    out[dbf::kDateAt + 2] = uint8_t(day);
    dbf::writeU32le(out + dbf::kRecordCountAt, recordCount);
    dbf::writeU16le(out + dbf::kHeaderLengthAt, uint16_t(headerLength));
    dbf::writeU16le(out + dbf::kRecordLengthAt, uint16_t(recordLength));
}

std::string DbfHeader::serialize() const {
    std::string out(size_t(headerLength), '\0');
    auto* p = reinterpret_cast<uint8_t*>(out.data());
    encodePrefix(p);
    p[dbf::kTableFlagsAt] = tableFlags;
    p[dbf::kCodePageAt] = codePage;
    int at = dbf::kHeaderSize;
    for (const auto& f : fields) {
        uint8_t* d = p + at;
        std::memcpy(d, f.name.data(), std::min<size_t>(f.name.size(), 10));
        d[dbf::kFieldTypeAt] = uint8_t(static_cast<char>(f.type));
        dbf::writeU32le(d + dbf::kFieldOffsetAt, uint32_t(f.offset));
        d[dbf::kFieldLengthAt] = uint8_t(f.length);
        d[dbf::kFieldDecimalsAt] = uint8_t(f.decimals);
        at += dbf::kFieldDescriptorSize;
    }
    p[at] = dbf::kHeaderTerminator;
    return out;
}

}  // namespace zentrix::xbase
