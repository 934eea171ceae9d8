#pragma once

// Saves drawn pictures in the formats the demo ships: JPEG for photographs
// and screens, PNG for screenshots and diagrams, GIF where a reader expects
// one. Failures name the file.

#include <QImage>
#include <QString>

#include "simulation/status.h"

namespace zentrix::demo {

class PictureFiles {
public:
    // The format follows the extension (.jpg, .png, .gif, any case).
    static simulation::Status save(const QImage& image, const QString& path);
};

}  // namespace zentrix::demo
