#include "demo/tools/picture_files.h"

#include <QFile>
#include <QFileInfo>

#include "simulation/screenshot_encoder.h"

namespace zentrix::demo {

using simulation::Status;

Status PictureFiles::save(const QImage& image, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gif")) {
        // Qt reads GIF but cannot write it; the simulation encoder can.
        auto bytes =
            simulation::ScreenshotEncoder::encode({image.convertToFormat(QImage::Format_RGB32)});
        if (!bytes) return Status::error(path.toStdString() + ": " + bytes.message());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size())
            return Status::error(path.toStdString() +
                                 ": cannot be written: " + file.errorString().toStdString());
        return Status::ok();
    }
    const int quality = suffix == QLatin1String("jpg") ? 92 : -1;
    if (!image.save(path, nullptr, quality))
        return Status::error(path.toStdString() + ": cannot be written");
    return Status::ok();
}

}  // namespace zentrix::demo
