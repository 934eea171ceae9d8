#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <vector>

#include "simulation/status.h"

namespace zentrix::simulation {

// One picture of a mouse pointer and the point of it that clicks.
struct PointerImage {
    QImage Image;
    QPoint Hotspot;
};

// A Windows pointer file embedded in a simulation: a static cursor (.cur, or
// an icon, whose hotspot is its centre) or an animated cursor (.ani: a RIFF
// "ACON" file of cursor frames with a rate and an optional sequence). The
// directory, chunk and bitmap headers are checked here against the bytes
// there are; Qt's icon reader then decodes the one picture of each frame.
struct PointerFile {
    static constexpr int kMaxFrames = 256;
    static constexpr int kMaxSteps = 1024;
    static constexpr int kJiffiesPerSecond = 60;

    std::vector<PointerImage> Frames;
    std::vector<int> Sequence;     // frame index shown at each step
    std::vector<int> StepJiffies;  // how long each step lasts, 1/60 s

    bool animated() const { return Sequence.size() > 1; }

    static Result<PointerFile> parse(QByteArrayView bytes);
    // The picture of a static cursor or icon file.
    static Result<PointerImage> parseCursor(QByteArrayView bytes);

private:
    static Result<PointerFile> parseAnimated(QByteArrayView bytes);
};

}  // namespace zentrix::simulation
