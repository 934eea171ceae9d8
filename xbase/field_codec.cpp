#include "xbase/field_codec.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/ascii_text.h"
#include "xbase/dbf_format.h"

namespace zentrix::xbase {
namespace {

double readDoubleLe(const char* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | uint8_t(p[i]);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

int64_t readI64Le(const char* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | uint8_t(p[i]);
    return int64_t(bits);
}

// Julian day number to a civil date.
void civilFromJulian(long jd, int& y, int& m, int& d) {
    long a = jd + 32044;
    long b = (4 * a + 3) / 146097;
    long c = a - 146097 * b / 4;
    long dd = (4 * c + 3) / 1461;
    long e = c - 1461 * dd / 4;
    long mm = (5 * e + 2) / 153;
    d = int(e - (153 * mm + 2) / 5 + 1);
    m = int(mm + 3 - 12 * (mm / 10));
    y = int(100 * b + dd - 4800 + mm / 10);
}

// Numbers in fields are blank-padded; some writers pad with NUL bytes.
constexpr std::string_view kNumberPadding(" \0", 2);

}  // namespace

double FieldCodec::parseNumber(std::string_view text) {
    char buf[64];
    const std::string t = base::ascii::trimmed(text, kNumberPadding);
    if (t.empty() || t.size() >= sizeof buf) return 0;
    std::memcpy(buf, t.data(), t.size());
    buf[t.size()] = '\0';
    char* end = nullptr;
    const double v = std::strtod(buf, &end);
    if (end == buf || !std::isfinite(v)) return 0;
    return v;
}

double FieldCodec::number(std::string_view record, const FieldDescriptor& f) {
    const auto b = bytes(record, f);
    switch (f.type) {
        case FieldType::Integer:
            return f.length == 4
                       ? double(int32_t(dbf::readU32le(reinterpret_cast<const uint8_t*>(b.data()))))
                       : 0;
        case FieldType::Double:
            return f.length == 8 ? readDoubleLe(b.data()) : 0;
        case FieldType::Currency:
            return f.length == 8 ? double(readI64Le(b.data())) / 10000.0 : 0;
        case FieldType::Logical:
            return (!b.empty() && (b[0] == 'T' || b[0] == 't' || b[0] == 'Y' || b[0] == 'y')) ? 1
                                                                                              : 0;
        default:
            return parseNumber(b);
    }
}

std::string FieldCodec::text(std::string_view record, const FieldDescriptor& f) {
    const auto b = bytes(record, f);
    char buf[64];
    switch (f.type) {
        case FieldType::Integer:
            if (f.length != 4) break;
            std::snprintf(buf, sizeof buf, "%d",
                          int32_t(dbf::readU32le(reinterpret_cast<const uint8_t*>(b.data()))));
            return buf;
        case FieldType::Double:
            if (f.length != 8) break;
            std::snprintf(buf, sizeof buf, "%.*f", f.decimals, readDoubleLe(b.data()));
            return buf;
        case FieldType::Currency:
            if (f.length != 8) break;
            std::snprintf(buf, sizeof buf, "%.4f", double(readI64Le(b.data())) / 10000.0);
            return buf;
        case FieldType::DateTime: {
            if (f.length != 8) break;
            const auto* p = reinterpret_cast<const uint8_t*>(b.data());
            const uint32_t day = dbf::readU32le(p), ms = dbf::readU32le(p + 4);
            if (day == 0) return "";
            int y, m, d;
            civilFromJulian(long(day), y, m, d);
            const uint32_t secs = ms / 1000;
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02u:%02u:%02u", y, m, d,
                          secs / 3600 % 100, secs / 60 % 60, secs % 60);
            return buf;
        }
        default:
            break;
    }
    return std::string(b);
}

Result<std::string> FieldCodec::formatNumber(double value, int width, int decimals) {
    if (!std::isfinite(value)) return Status::error("value is not a finite number");
    char buf[400];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
    std::string s(buf);
    if (int(s.size()) > width)
        return Status::error("value " + s.substr(s.find_first_not_of(' ')) +
                             " does not fit width " + std::to_string(width) + "." +
                             std::to_string(decimals));
    return s;
}

Result<std::string> FieldCodec::formatInteger(long long value, int width) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%*lld", width, value);
    std::string s(buf);
    if (int(s.size()) > width)
        return Status::error("value " + std::to_string(value) + " does not fit width " +
                             std::to_string(width));
    return s;
}

Result<uint32_t> FieldCodec::memoBlock(std::string_view record, const FieldDescriptor& f) {
    const auto b = bytes(record, f);
    if (f.length == dbf::kBinaryMemoPointerLength)
        return dbf::readU32le(reinterpret_cast<const uint8_t*>(b.data()));
    uint64_t block = 0;
    bool digits = false;
    for (char c : b) {
        if (c == ' ' || c == '\0') {
            if (digits) break;  // trailing blanks after the number
            continue;
        }
        if (c < '0' || c > '9')
            return Status::error("field " + f.name + ": memo pointer \"" + std::string(b) +
                                 "\" is not a number");
        digits = true;
        block = block * 10 + uint64_t(c - '0');
        if (block > 0xFFFFFFFFull)
            return Status::error("field " + f.name + ": memo pointer out of range");
    }
    return uint32_t(block);
}

std::string FieldCodec::encodeMemoBlock(uint32_t block, const FieldDescriptor& f) {
    if (f.length == dbf::kBinaryMemoPointerLength) {
        std::string s(4, '\0');
        dbf::writeU32le(reinterpret_cast<uint8_t*>(s.data()), block);
        return s;
    }
    if (block == 0) return std::string(size_t(f.length), ' ');
    char buf[24];
    std::snprintf(buf, sizeof buf, "%*u", f.length, block);
    return std::string(buf).substr(0, size_t(f.length));
}

}  // namespace zentrix::xbase
