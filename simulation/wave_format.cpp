#include "simulation/wave_format.h"

#include <algorithm>

#include "simulation/byte_reader.h"

namespace zentrix::simulation {

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kIeeeFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
constexpr int kFormatSize = 16;
constexpr int kExtensibleSubFormatOffset = 24;

}  // namespace

Result<WaveFormat> WaveFormat::parse(QByteArrayView bytes) {
    ByteReader reader(bytes);
    QByteArrayView riff, wave;
    std::uint32_t size = 0;
    if (!reader.readBytes(4, riff) || !reader.readU32(size) || !reader.readBytes(4, wave) ||
        riff != "RIFF" || wave != "WAVE") {
        return Status::error("not a WAVE file");
    }
    bool haveFormat = false;
    std::uint16_t tag = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0;
    WaveFormat format;
    bool haveData = false;
    while (reader.remaining() >= 8) {
        QByteArrayView id, data;
        std::uint32_t length = 0;
        reader.readBytes(4, id);
        reader.readU32(length);
        if (id == "data") {
            format.DataOffset = reader.position();
            format.DataLength = std::min<qint64>(length, reader.remaining());
            haveData = true;
            break;
        }
        if (length > static_cast<std::uint64_t>(reader.remaining())) {
            return Status::error("WAVE chunk \"" + id.toByteArray().toStdString() +
                                 "\" runs past the end of the file");
        }
        reader.readBytes(length, data);
        if ((length & 1) && reader.remaining() > 0) reader.skip(1);
        if (id != "fmt ") continue;
        ByteReader fmt(data);
        if (data.size() < kFormatSize) return Status::error("WAVE format chunk is too short");
        fmt.readU16(tag);
        fmt.readU16(channels);
        fmt.readU32(rate);
        fmt.skip(4);
        fmt.readU16(blockAlign);
        fmt.readU16(bits);
        if (tag == kExtensible) {
            std::uint16_t subFormat = 0;
            ByteReader sub(data);
            if (!sub.skip(kExtensibleSubFormatOffset) || !sub.readU16(subFormat)) {
                return Status::error("WAVE extensible format chunk is too short");
            }
            tag = subFormat;
        }
        haveFormat = true;
    }
    if (!haveFormat) return Status::error("WAVE file without a format chunk");
    if (!haveData) return Status::error("WAVE file without sound data");
    if (tag != kPcm && tag != kIeeeFloat) {
        return Status::error("WAVE sound of format " + std::to_string(tag) +
                             " is compressed; only uncompressed sound is played");
    }
    if (channels < 1 || channels > kMaxChannels || rate < 1 || rate > kMaxSampleRate) {
        return Status::error("WAVE sound of " + std::to_string(channels) + " channels at " +
                             std::to_string(rate) + " Hz");
    }
    if (tag == kIeeeFloat && bits == 32) {
        format.SampleType = Sample::Float32;
    } else if (tag == kPcm && bits == 8) {
        format.SampleType = Sample::UInt8;
    } else if (tag == kPcm && bits == 16) {
        format.SampleType = Sample::Int16;
    } else if (tag == kPcm && bits == 24) {
        format.SampleType = Sample::Int24;
    } else if (tag == kPcm && bits == 32) {
        format.SampleType = Sample::Int32;
    } else {
        return Status::error("WAVE sound of " + std::to_string(bits) + "-bit samples");
    }
    format.Channels = channels;
    format.SampleRate = static_cast<int>(rate);
    format.BytesPerFrame = channels * bits / 8;
    if (blockAlign != format.BytesPerFrame) {
        return Status::error("WAVE sound frames of " + std::to_string(blockAlign) +
                             " bytes where " + std::to_string(format.BytesPerFrame) +
                             " are expected");
    }
    format.DataLength -= format.DataLength % format.BytesPerFrame;
    return format;
}

}  // namespace zentrix::simulation
