#include "simulation/gif_encoder.h"

#include <gif_lib.h>

#include <memory>

namespace zentrix::simulation {

namespace {

int writeToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapDeleter>;

ColourMap makeColourMap(const QList<QRgb>& palette) {
    int size = 2;
    while (size < palette.size()) size *= 2;
    std::vector<GifColorType> colours(static_cast<size_t>(size), GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < palette.size(); ++i) {
        colours[static_cast<size_t>(i)] = GifColorType{static_cast<GifByteType>(qRed(palette[i])),
                                                       static_cast<GifByteType>(qGreen(palette[i])),
                                                       static_cast<GifByteType>(qBlue(palette[i]))};
    }
    return ColourMap(GifMakeMapObject(size, colours.data()));
}

// Row order of an interlaced image: every 8th row from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = starts[pass]; y < height; y += steps[pass]) rows.push_back(y);
    }
    return rows;
}

Status gifError(const char* what, int code) {
    const char* text = GifErrorString(code);
    return Status::error(std::string("GIF encoder: ") + what + ": " + (text ? text : "error"));
}

}  // namespace

Result<QByteArray> GifEncoder::encode(QSize screen, const std::vector<IndexedFrame>& frames,
                                      const QList<QRgb>& globalPalette) {
    if (screen.width() < 1 || screen.height() < 1 || screen.width() > 0xFFFF ||
        screen.height() > 0xFFFF) {
        return Status::error("GIF encoder: picture size out of range");
    }
    QByteArray output;
    int error = 0;
    GifFileType* gif = EGifOpen(&output, writeToBuffer, &error);
    if (gif == nullptr) return gifError("open", error);
    auto closer = [](GifFileType* file) {
        int code = 0;
        if (file) EGifCloseFile(file, &code);
    };
    std::unique_ptr<GifFileType, decltype(closer)> file(gif, closer);
    EGifSetGifVersion(gif, true);

    ColourMap global = globalPalette.isEmpty() ? nullptr : makeColourMap(globalPalette);
    if (EGifPutScreenDesc(gif, screen.width(), screen.height(), 8, 0, global.get()) != GIF_OK) {
        return gifError("screen descriptor", gif->Error);
    }
    for (const IndexedFrame& frame : frames) {
        const QRect& r = frame.rect;
        if (r.width() < 1 || r.height() < 1 || r.left() < 0 || r.top() < 0 || r.right() > 0xFFFF ||
            r.bottom() > 0xFFFF || frame.indices.size() != qsizetype(r.width()) * r.height() ||
            frame.palette.size() > 256 || (frame.palette.isEmpty() && !global)) {
            return Status::error("GIF encoder: malformed frame");
        }
        GraphicsControlBlock control{};
        control.DisposalMode = frame.disposal;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = frame.transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
            GIF_OK) {
            return gifError("graphic control", gif->Error);
        }
        ColourMap local = frame.palette.isEmpty() ? nullptr : makeColourMap(frame.palette);
        if (EGifPutImageDesc(gif, r.left(), r.top(), r.width(), r.height(), frame.interlaced,
                             local.get()) != GIF_OK) {
            return gifError("image descriptor", gif->Error);
        }
        QByteArray row(r.width(), '\0');
        for (int y : rowOrder(r.height(), frame.interlaced)) {
            std::copy_n(frame.indices.constData() + qsizetype(y) * r.width(), r.width(),
                        row.data());
            if (EGifPutLine(gif, reinterpret_cast<GifPixelType*>(row.data()), r.width()) !=
                GIF_OK) {
                return gifError("image data", gif->Error);
            }
        }
    }
    GifFileType* raw = file.release();
    if (EGifCloseFile(raw, &error) != GIF_OK) return gifError("close", error);
    return output;
}

}  // namespace zentrix::simulation
