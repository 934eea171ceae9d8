#pragma once

// Draws the pictures of the demo skin: the six screen backgrounds, the
// buttons, the mark holder, the answer feedback, the score popup, the jump-to
// dialog and the about splash. Sizes follow the controls that show them.

#include <QImage>
#include <QSize>
#include <QString>

namespace zentrix::demo {

class SkinPainter {
public:
    enum class Screen { Main, ExamType, ConfirmMixed, Test, Review, Results };
    enum class Glyph { Help, Minimize, Close };

    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    static QImage background(Screen screen);
    // A screen with a heading only, for the backgrounds no screen shows yet.
    static QImage plainScreen(const QString& title, const QString& subtitle);
    // The confirm-exit window, 298 by 100.
    static QImage quitPopup();
    // A caption button: primary buttons are filled slate, the others light.
    static QImage button(const QString& caption, QSize size, bool primary = false);
    static QImage titleButton(Glyph glyph);
    static QImage markHolder(bool marked);
    static QImage feedback(bool correct);
    // Flat colours only: these two are stored as GIF pictures.
    static QImage scorePopup();
    static QImage jumpToBackground();
    static QImage aboutSplash();
};

}  // namespace zentrix::demo
