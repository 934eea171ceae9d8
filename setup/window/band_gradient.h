#pragma once

// The setup window's background: 256 horizontal bands from top to bottom,
// band i covering the rows from i*h/256 to (i+1)*h/256 and filled with blue
// 255-i, pure blue at the top fading to black at the bottom.

#include <QColor>
#include <QRect>

class QPainter;

namespace zentrix::setup {

class BandGradient {
public:
    static constexpr int kBands = 256;

    // The rows of band i (0 to 255) in an area of the given size.
    static QRect band(int i, const QSize& area);
    static QColor colour(int i) { return QColor(0, 0, 255 - i); }

    static void paint(QPainter& painter, const QSize& area);
};

}  // namespace zentrix::setup
