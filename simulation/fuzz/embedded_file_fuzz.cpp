// libFuzzer harness: any bytes as a pointer file (.cur or .ani) and as a WAVE
// file, the two kinds of file a simulation embeds and the panel reads. Each
// parser must give a value or an error without reading out of bounds, and
// what it accepts must be within its stated limits.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "simulation/pointer_file.h"
#include "simulation/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrix::simulation;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (auto pointer = PointerFile::parse(bytes)) {
        if (pointer->Frames.empty() || pointer->Frames.size() > PointerFile::kMaxFrames ||
            pointer->Sequence.size() != pointer->StepJiffies.size()) {
            std::abort();
        }
        for (int frame : pointer->Sequence) {
            if (frame < 0 || frame >= static_cast<int>(pointer->Frames.size())) std::abort();
        }
        for (const PointerImage& image : pointer->Frames) {
            if (image.Image.isNull() || !image.Image.rect().contains(image.Hotspot)) std::abort();
        }
    }
    if (auto wave = WaveFormat::parse(bytes)) {
        if (wave->DataOffset < 0 || wave->DataLength < 0 ||
            wave->DataOffset + wave->DataLength > bytes.size() || wave->BytesPerFrame <= 0 ||
            wave->DataLength % wave->BytesPerFrame != 0) {
            std::abort();
        }
    }
    return 0;
}
