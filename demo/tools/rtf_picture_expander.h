#pragma once

// Formatted study texts are rich text; authors write a placeholder
// @RTF_PICTURE(name.png)@ where a figure belongs, and the build replaces it by
// the picture embedded as an RTF \pict group, so the sources stay text.

#include <QDir>
#include <QString>

#include "simulation/status.h"

namespace zentrix::demo {

class RtfPictureExpander {
public:
    explicit RtfPictureExpander(QDir pictures) : pictures_(std::move(pictures)) {}

    // Replaces every placeholder of `text`; `where` names the source in errors.
    simulation::Result<QByteArray> expand(const QByteArray& text, const QString& where) const;

    // The \pict group of one PNG or JPEG picture.
    simulation::Result<QByteArray> pictureGroup(const QString& fileName) const;

private:
    QDir pictures_;
};

}  // namespace zentrix::demo
