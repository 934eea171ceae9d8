#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace zentrix::simulation {

// Little-endian appends, for writers.
class ByteWriter {
public:
    void writeU8(std::uint8_t value) { bytes_.append(static_cast<char>(value)); }
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);
    void writeI32(std::int32_t value) { writeU32(static_cast<std::uint32_t>(value)); }
    void writeString(const QByteArray& value);  // appends the ending zero
    void writeBytes(QByteArrayView value) { bytes_.append(value); }
    void writeZeros(qsizetype count) { bytes_.append(count, '\0'); }
    // Overwrites a 16-bit value written earlier, e.g. a length known only at the end.
    void patchU16(qsizetype offset, std::uint16_t value);

    qsizetype size() const { return bytes_.size(); }
    const QByteArray& bytes() const { return bytes_; }
    QByteArray take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

}  // namespace zentrix::simulation
