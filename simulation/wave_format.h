#pragma once

#include <QByteArrayView>

#include "simulation/status.h"

namespace zentrix::simulation {

// The format and sample data of a WAVE file held in memory: a RIFF "WAVE"
// block with a "fmt " chunk and a "data" chunk. Uncompressed samples only:
// integers of 8, 16, 24 or 32 bits, or 32-bit floats, also in the extensible
// form. A data chunk that claims more bytes than the file holds plays what is
// there, cut to whole sample frames.
struct WaveFormat {
    enum class Sample { UInt8, Int16, Int24, Int32, Float32 };

    Sample SampleType = Sample::Int16;
    int Channels = 0;
    int SampleRate = 0;
    int BytesPerFrame = 0;
    qsizetype DataOffset = 0;
    qsizetype DataLength = 0;

    static constexpr int kMaxChannels = 8;
    static constexpr int kMaxSampleRate = 384000;

    static Result<WaveFormat> parse(QByteArrayView bytes);
};

}  // namespace zentrix::simulation
