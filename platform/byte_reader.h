#pragma once

// Bounds-checked reads of little- or big-endian integers from a byte range.
// Every read states its offset; one outside the range gives nullopt, so
// parsers of untrusted files never read past the end.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentrix::platform {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes, bool bigEndian = false)
        : bytes_(bytes), bigEndian_(bigEndian) {}

    size_t size() const { return bytes_.size(); }
    bool has(uint64_t offset, uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::optional<uint16_t> u16(uint64_t offset) const { return read<uint16_t>(offset); }
    std::optional<uint32_t> u32(uint64_t offset) const { return read<uint32_t>(offset); }
    std::optional<uint64_t> u64(uint64_t offset) const { return read<uint64_t>(offset); }
    std::optional<uint8_t> u8(uint64_t offset) const { return read<uint8_t>(offset); }

    // The bytes [offset, offset + count), or nullopt when out of range.
    std::optional<std::string_view> slice(uint64_t offset, uint64_t count) const {
        if (!has(offset, count)) return std::nullopt;
        return bytes_.substr(size_t(offset), size_t(count));
    }

private:
    template <typename T>
    std::optional<T> read(uint64_t offset) const {
        if (!has(offset, sizeof(T))) return std::nullopt;
        T value = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            const size_t index = bigEndian_ ? i : sizeof(T) - 1 - i;
            value = T((uint64_t(value) << 8) | uint8_t(bytes_[size_t(offset) + index]));
        }
        return value;
    }

    std::string_view bytes_;
    bool bigEndian_;
};

}  // namespace zentrix::platform
