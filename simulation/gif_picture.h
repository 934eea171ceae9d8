#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <vector>

#include "simulation/gif_decoder.h"
#include "simulation/status.h"

namespace zentrix::simulation {

// The picture a simulation plays: a multi-frame GIF whose frames are shown one
// at a time, never animated by itself. Frames are composed in sequence as
// browsers show them: each frame is drawn over what the frames before it left,
// with transparency, frame offsets and the disposal of the frame before
// (keep, clear to transparent, or restore what was there before it).
// Loading checks the picture's structure; a frame is decoded when it is drawn,
// and one whose compressed data turns out damaged is drawn as nothing.
//
// Going back would compose every frame from the first again. Instead the
// composed state after every kKeyFrameStep-th frame is kept the first time it
// is reached (about 1 MiB each for a 640x400 picture), and going back starts
// from the nearest kept state at or before the frame asked for: the picture
// is the same as if every frame had been drawn from frame 1.
class GifPicture {
public:
    static constexpr int kKeyFrameStep = 8;

    // Replaces the picture. On failure the picture is empty.
    Status loadFromMemory(QByteArrayView gif);
    void clear();

    int frameCount() const { return static_cast<int>(layout_.images.size()); }
    QSize size() const { return screen_; }

    // Shows frame n (1-based): steps forward from the frame shown, or, when n
    // lies behind it, from the nearest kept composed frame at or before n
    // (frame 1 when none is kept). False when n is out of range.
    bool showFrame(int n);
    // How many frames the last showFrame() drew.
    int framesDrawnLastTime() const { return drawnLastTime_; }
    int currentFrame() const { return shown_; }  // 0 before any frame is shown

    // The composed screen (ARGB32, transparent where nothing was drawn).
    const QImage& image() const { return canvas_; }

private:
    // The composed state after one frame: enough to go on drawing from there.
    struct KeyFrame {
        int frame = 0;
        QImage canvas;
        QImage beforeShown;
    };

    void restart();
    void restartFromKeyFrame(int n);
    void keepKeyFrame();
    void disposeShownFrame();
    void drawNextFrame();

    QSize screen_;
    QByteArray gif_;
    GifLayout layout_;
    QImage canvas_;
    QImage beforeShown_;  // area under the shown frame, kept when it restores to previous
    int shown_ = 0;
    int drawnLastTime_ = 0;
    std::vector<KeyFrame> keyFrames_;  // by frame number, ascending
};

}  // namespace zentrix::simulation
