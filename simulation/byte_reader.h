#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace zentrix::simulation {

// Little-endian reads from a bounded block of bytes. A read that would pass
// the end fails, returns false and leaves the position where it was.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype position() const { return position_; }
    qsizetype remaining() const { return bytes_.size() - position_; }

    bool readU8(std::uint8_t& value);
    bool readU16(std::uint16_t& value);
    bool readU32(std::uint32_t& value);
    bool readI32(std::int32_t& value);
    // A string ended by a zero byte; the zero is consumed, not returned.
    bool readString(QByteArrayView& value);
    bool readBytes(qsizetype count, QByteArrayView& value);
    bool skip(qsizetype count);

private:
    QByteArrayView bytes_;
    qsizetype position_ = 0;
};

}  // namespace zentrix::simulation
