#include "simulation/byte_reader.h"

namespace zentrix::simulation {

bool ByteReader::readU8(std::uint8_t& value) {
    if (remaining() < 1) return false;
    value = static_cast<std::uint8_t>(bytes_[position_]);
    position_ += 1;
    return true;
}

bool ByteReader::readU16(std::uint16_t& value) {
    if (remaining() < 2) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + position_);
    value = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    position_ += 2;
    return true;
}

bool ByteReader::readU32(std::uint32_t& value) {
    if (remaining() < 4) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + position_);
    value = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
            (std::uint32_t(p[3]) << 24);
    position_ += 4;
    return true;
}

bool ByteReader::readI32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!readU32(raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool ByteReader::readString(QByteArrayView& value) {
    const qsizetype end = bytes_.indexOf('\0', position_);
    if (end < 0) return false;
    value = bytes_.sliced(position_, end - position_);
    position_ = end + 1;
    return true;
}

bool ByteReader::readBytes(qsizetype count, QByteArrayView& value) {
    if (count < 0 || remaining() < count) return false;
    value = bytes_.sliced(position_, count);
    position_ += count;
    return true;
}

bool ByteReader::skip(qsizetype count) {
    if (count < 0 || remaining() < count) return false;
    position_ += count;
    return true;
}

}  // namespace zentrix::simulation
