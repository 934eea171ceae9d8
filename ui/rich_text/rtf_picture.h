#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace zentrix::ui {

// One embedded picture as a \pict group describes it, and the image shown for
// it. PNG, JPEG, device-independent bitmaps and simple device-dependent
// bitmaps (1, 4, 8, 24 or 32 bits a pixel) are decoded. Windows and enhanced
// metafiles are not drawn: Word stores a PNG of every picture beside them
// (\shppict), so a metafile shows as a framed placeholder of its size.
struct RtfPicture {
    enum class Format {
        Unknown,
        Png,
        Jpeg,
        Dib,
        DeviceBitmap,
        WindowsMetafile,
        EnhancedMetafile,
        MacPict
    };

    Format format = Format::Unknown;
    QByteArray data;
    int width = 0;         // \picw: pixels for bitmaps, 0.01 mm for metafiles
    int height = 0;        // \pich
    int goalWidth = 0;     // \picwgoal, twips
    int goalHeight = 0;    // \pichgoal, twips
    int scaleX = 100;      // \picscalex, percent
    int scaleY = 100;      // \picscaley, percent
    int bitsPerPixel = 1;  // \wbmbitspixel
    int widthBytes = 0;    // \wbmwidthbytes

    // The size the picture takes in the document, in pixels at 96 dpi; never
    // empty and never larger than kMaxDisplayExtent on either side.
    QSize displaySize(QSize decoded) const;

    static constexpr int kMaxDisplayExtent = 4000;
    // Pictures with more pixels than this are not decoded.
    static constexpr qint64 kMaxPixels = 16'000'000;
};

// The decoded picture, or a null image when its bytes do not decode (or it
// is a metafile). Never allocates more than RtfPicture::kMaxPixels pixels.
QImage decodeRtfPicture(const RtfPicture& picture);

// The framed box shown in place of a picture that cannot be drawn.
QImage rtfPicturePlaceholder(QSize size);

}  // namespace zentrix::ui
