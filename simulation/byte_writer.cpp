#include "simulation/byte_writer.h"

namespace zentrix::simulation {

void ByteWriter::writeU16(std::uint16_t value) {
    writeU8(static_cast<std::uint8_t>(value & 0xFF));
    writeU8(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::writeU32(std::uint32_t value) {
    writeU16(static_cast<std::uint16_t>(value & 0xFFFF));
    writeU16(static_cast<std::uint16_t>(value >> 16));
}

void ByteWriter::writeString(const QByteArray& value) {
    bytes_.append(value);
    bytes_.append('\0');
}

void ByteWriter::patchU16(qsizetype offset, std::uint16_t value) {
    bytes_[offset] = static_cast<char>(value & 0xFF);
    bytes_[offset + 1] = static_cast<char>(value >> 8);
}

}  // namespace zentrix::simulation
