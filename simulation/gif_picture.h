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
class GifPicture {
public:
    // Replaces the picture. On failure the picture is empty.
    Status loadFromMemory(QByteArrayView gif);
    void clear();

    int frameCount() const { return static_cast<int>(layout_.images.size()); }
    QSize size() const { return screen_; }

    // Shows frame n (1-based): steps forward from the frame shown, or starts
    // again at frame 1 when n lies behind it. False when n is out of range.
    bool showFrame(int n);
    int currentFrame() const { return shown_; }  // 0 before any frame is shown

    // The composed screen (ARGB32, transparent where nothing was drawn).
    const QImage& image() const { return canvas_; }

private:
    void restart();
    void disposeShownFrame();
    void drawNextFrame();

    QSize screen_;
    QByteArray gif_;
    GifLayout layout_;
    QImage canvas_;
    QImage beforeShown_;  // area under the shown frame, kept when it restores to previous
    int shown_ = 0;
};

}  // namespace zentrix::simulation
