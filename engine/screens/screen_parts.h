#pragma once

// Small parts every screen builds the same way: a picture button or a label
// registered under its layout-table name and hidden until its screen is
// entered, the hourglass around long work, the look of a small window until
// the skin gives its picture, and a picture of the skin.

#include <QPixmap>
#include <QString>

#include "engine/skin.h"

class QLabel;
class QWidget;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class ControlRegistry;

// A picture button with its caption and the name a screen reader says.
ui::PictureButton* AddScreenButton(QWidget* window, ControlRegistry& registry, const char* name,
                                   const char* caption, const char* accessible, int width = 72);
// A label in a font of `pixelSize` pixels.
QLabel* AddScreenLabel(QWidget* window, ControlRegistry& registry, const char* name,
                       const QString& text, int width, int pixelSize, bool bold = false);

// The normal cursor comes back however the work ends.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

// A panel with a title strip and a border, for windows whose skin picture is missing.
QPixmap BuiltInPanel(QSize size, const QString& title, int stripHeight);

// The skin's picture, or a null picture when the skin has none.
QPixmap SkinPixmap(const Skin& skin, SkinPicture picture);

}  // namespace zentrix::engine
