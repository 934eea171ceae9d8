#include "demo/tools/skin_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "demo/tools/demo_palette.h"

namespace zentrix::demo {
namespace {

using P = DemoPalette;

constexpr int kTitleStrip = 26;

QImage blank(QSize size, const QColor& fill = Qt::white) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void paper(QPainter& p, const QRect& area) {
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, P::paperTop());
    fill.setColorAt(1, P::paperBottom());
    p.fillRect(area, fill);
}

void titleStrip(QPainter& p) {
    QLinearGradient band(0, 0, 0, kTitleStrip);
    band.setColorAt(0, P::slateLight());
    band.setColorAt(1, P::slate());
    p.fillRect(QRect(0, 0, SkinPainter::kWidth, kTitleStrip), band);
    p.setPen(QColor(255, 255, 255, 60));
    p.drawLine(0, kTitleStrip - 1, SkinPainter::kWidth, kTitleStrip - 1);
    p.setPen(Qt::white);
    p.setFont(P::font(13, true));
    p.drawText(QRect(120, 0, 400, kTitleStrip), Qt::AlignCenter,
               QStringLiteral("Zentrix  \u00b7  Practice Exams"));
}

// The screen's heading below the title strip, with a thin teal rule.
void heading(QPainter& p, const QString& title, const QString& subtitle) {
    p.setPen(P::ink());
    p.setFont(P::font(22, true));
    p.drawText(QRect(24, 38, 592, 30), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(P::muted());
    p.setFont(P::font(12));
    p.drawText(QRect(24, 68, 592, 20), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    p.fillRect(QRect(24, 92, 48, 3), P::teal());
}

void card(QPainter& p, const QRectF& area, const QColor& fill = P::panel()) {
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shadow;
    shadow.addRoundedRect(area.translated(0, 2), 8, 8);
    p.fillPath(shadow, QColor(31, 52, 74, 26));
    QPainterPath path;
    path.addRoundedRect(area, 8, 8);
    p.fillPath(path, fill);
    p.setPen(QPen(P::line(), 1));
    p.drawPath(path);
}

// The band along the bottom that carries a screen's buttons.
void footer(QPainter& p, int top) {
    QLinearGradient band(0, top, 0, SkinPainter::kHeight);
    band.setColorAt(0, QColor(206, 218, 230));
    band.setColorAt(1, QColor(192, 206, 220));
    p.fillRect(QRect(0, top, SkinPainter::kWidth, SkinPainter::kHeight - top), band);
    p.setPen(P::line());
    p.drawLine(0, top, SkinPainter::kWidth, top);
}

void label(QPainter& p, const QRect& area, const QString& text, int size = 11, bool bold = false,
           const QColor& colour = P::muted(), int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setPen(colour);
    p.setFont(P::font(size, bold));
    p.drawText(area, flags, text);
}

void drawMain(QPainter& p) {
    heading(p, QStringLiteral("Choose your exam"),
            QStringLiteral("Double-click an exam in the list, or select it and press Enter."));
    card(p, QRectF(8.5, 104.5, 623, 325));
    footer(p, 436);
    label(p, QRect(14, 437, 180, 12), QStringLiteral("YOUR NAME"), 9, true);
}

void drawExamType(QPainter& p) {
    heading(p, QStringLiteral("How would you like to practise?"),
            QStringLiteral("Pick a mode, set the number of questions, and start."));
    card(p, QRectF(37.5, 104.5, 271, 300));
    card(p, QRectF(334.5, 104.5, 271, 300));
    label(p, QRect(50, 110, 250, 22), QStringLiteral("Learn as you go"), 12, true, P::teal());
    label(p, QRect(347, 110, 250, 22), QStringLiteral("Test yourself under time"), 12, true,
          P::slate());
    footer(p, 420);
}

void drawConfirm(QPainter& p) {
    heading(p, QStringLiteral("Mixed practice exam"),
            QStringLiteral("Questions from every exam of the course, in one timed session."));
    card(p, QRectF(60.5, 120.5, 519, 250));
    const QStringList points = {
        QStringLiteral(
            "Questions are drawn from all exams of the course, in proportion to their size."),
        QStringLiteral("The exam is timed: the clock runs from the first question."),
        QStringLiteral("Hints, references and answer feedback are not offered."),
        QStringLiteral("Your answers are scored at the end and kept in your history."),
    };
    int y = 146;
    for (const QString& point : points) {
        p.setBrush(P::teal());
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(90, y + 10), 4, 4);
        label(p, QRect(104, y, 450, 40), point, 13, false, P::text(),
              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        y += 48;
    }
    label(p, QRect(80, 330, 480, 30), QStringLiteral("Press Begin when you are ready."), 13, true,
          P::ink());
    footer(p, 440);
}

void drawTest(QPainter& p) {
    card(p, QRectF(6.5, 30.5, 627, 378));
    // The strip below the buttons holds the question number, the mark and
    // the countdown: no text of the background there.
    footer(p, 410);
}

void drawReview(QPainter& p) {
    heading(p, QStringLiteral("Review your answers"),
            QStringLiteral("Select an item to revisit it, or see your results."));
    card(p, QRectF(38.5, 100.5, 413, 300));
    card(p, QRectF(462.5, 100.5, 160, 158));
    label(p, QRect(472, 88, 150, 12), QStringLiteral("SUMMARY"), 9, true);
    footer(p, 400);
}

void drawResults(QPainter& p) {
    heading(p, QStringLiteral("Your results"),
            QStringLiteral("Score, grade, and the reports of this attempt."));
    card(p, QRectF(36.5, 150.5, 572, 108));
    card(p, QRectF(426.5, 272.5, 182, 94));
    label(p, QRect(46, 120, 300, 24), QStringLiteral("Required and achieved score"), 12, true,
          P::ink());
    footer(p, 384);
    label(p, QRect(244, 387, 142, 14), QStringLiteral("STUDY GUIDE"), 9, true);
    label(p, QRect(394, 387, 142, 14), QStringLiteral("CERTIFICATE"), 9, true);
}

// The four corners of a small rounded button, filled by a gradient.
void buttonBody(QPainter& p, const QRectF& area, const QColor& top, const QColor& bottom,
                const QColor& border) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(area, 4, 4);
    p.fillPath(path, fill);
    p.setPen(QPen(border, 1));
    p.drawPath(path);
}

}  // namespace

QImage SkinPainter::background(Screen screen) {
    QImage image = blank(QSize(kWidth, kHeight));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paper(p, image.rect());
    switch (screen) {
        case Screen::Main:
            drawMain(p);
            break;
        case Screen::ExamType:
            drawExamType(p);
            break;
        case Screen::ConfirmMixed:
            drawConfirm(p);
            break;
        case Screen::Test:
            drawTest(p);
            break;
        case Screen::Review:
            drawReview(p);
            break;
        case Screen::Results:
            drawResults(p);
            break;
    }
    titleStrip(p);
    return image;
}

QImage SkinPainter::plainScreen(const QString& title, const QString& subtitle) {
    QImage image = blank(QSize(kWidth, kHeight));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paper(p, image.rect());
    heading(p, title, subtitle);
    card(p, QRectF(24.5, 110.5, 591, 310));
    footer(p, 440);
    titleStrip(p);
    return image;
}

QImage SkinPainter::quitPopup() {
    QImage image = blank(QSize(298, 100), P::panel());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, 298, 4), P::teal());
    label(p, QRect(16, 12, 266, 24), QStringLiteral("Leave this exam?"), 15, true, P::ink());
    label(p, QRect(16, 36, 266, 30),
          QStringLiteral("Your answers so far are kept in your history."), 11, false, P::muted(),
          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    p.setPen(P::line());
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 297, 99));
    return image;
}

QImage SkinPainter::button(const QString& caption, QSize size, bool primary) {
    // Buttons sit on the footer band; its colour fills the rounded corners.
    QImage image = blank(size, QColor(200, 213, 226));
    QPainter p(&image);
    const QRectF area = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (primary) {
        buttonBody(p, area, P::slateLight(), P::slate(), P::ink());
        p.setPen(Qt::white);
    } else {
        buttonBody(p, area, QColor(255, 255, 255), QColor(226, 234, 242), QColor(150, 170, 190));
        p.setPen(P::ink());
    }
    p.setFont(P::font(size.height() >= 22 ? 11 : 10, true));
    p.drawText(image.rect(), Qt::AlignCenter, caption);
    return image;
}

QImage SkinPainter::titleButton(Glyph glyph) {
    QImage image = blank(QSize(22, 20), P::slate());
    QPainter p(&image);
    const bool close = glyph == Glyph::Close;
    buttonBody(p, QRectF(0.5, 0.5, 21, 19), close ? QColor(206, 102, 92) : P::slateLight(),
               close ? QColor(176, 72, 66) : P::slate(), QColor(255, 255, 255, 90));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    switch (glyph) {
        case Glyph::Help:
            p.setFont(P::font(13, true));
            p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("?"));
            break;
        case Glyph::Minimize:
            p.drawLine(QPointF(7, 13.5), QPointF(15, 13.5));
            break;
        case Glyph::Close:
            p.drawLine(QPointF(7.5, 6.5), QPointF(14.5, 13.5));
            p.drawLine(QPointF(14.5, 6.5), QPointF(7.5, 13.5));
            break;
    }
    return image;
}

QImage SkinPainter::markHolder(bool marked) {
    QImage image = blank(QSize(22, 22), QColor(200, 213, 226));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath flag;
    flag.moveTo(7, 4);
    flag.lineTo(17, 7.5);
    flag.lineTo(7, 11);
    flag.closeSubpath();
    p.setPen(QPen(P::ink(), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 4), QPointF(7, 19));
    if (marked) {
        p.fillPath(flag, P::amber());
        p.setPen(QPen(P::amber().darker(130), 1));
    } else {
        p.setPen(QPen(P::muted(), 1.2));
    }
    p.drawPath(flag);
    return image;
}

QImage SkinPainter::feedback(bool correct) {
    QImage image = blank(QSize(240, 90), P::panel());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tone = correct ? P::good() : P::bad();
    p.fillRect(QRect(0, 0, 6, 90), tone);
    p.setBrush(tone);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(48, 45), 24, 24);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (correct) {
        p.drawPolyline(QPolygonF({QPointF(37, 46), QPointF(45, 54), QPointF(60, 36)}));
    } else {
        p.drawLine(QPointF(39, 36), QPointF(57, 54));
        p.drawLine(QPointF(57, 36), QPointF(39, 54));
    }
    p.setPen(tone.darker(115));
    p.setFont(P::font(22, true));
    p.drawText(QRect(84, 18, 150, 30), Qt::AlignLeft | Qt::AlignVCenter,
               correct ? QStringLiteral("Correct") : QStringLiteral("Incorrect"));
    p.setPen(P::muted());
    p.setFont(P::font(11));
    p.drawText(QRect(84, 48, 150, 24), Qt::AlignLeft | Qt::AlignVCenter,
               correct ? QStringLiteral("Well done.") : QStringLiteral("See the reference."));
    p.setPen(P::line());
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 239, 89));
    return image;
}

QImage SkinPainter::scorePopup() {
    QImage image = blank(QSize(220, 150), P::panel());
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 220, 26), P::slate());
    QFont heading = P::font(12, true);
    heading.setStyleStrategy(QFont::NoAntialias);
    p.setFont(heading);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 0, 200, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Running score"));
    p.fillRect(QRect(0, 26, 220, 2), P::teal());
    p.setPen(P::line());
    p.drawRect(0, 0, 219, 149);
    return image;
}

QImage SkinPainter::jumpToBackground() {
    // The size of the jump-to dialog, so the picture is shown as drawn.
    const QSize size(576, 309);
    QImage image = blank(size, P::panel());
    QPainter p(&image);
    p.fillRect(QRect(0, 0, size.width(), 30), P::slate());
    QFont heading = P::font(12, true);
    heading.setStyleStrategy(QFont::NoAntialias);
    p.setFont(heading);
    p.setPen(Qt::white);
    p.drawText(QRect(14, 0, 400, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Jump to question"));
    p.fillRect(QRect(0, 30, size.width(), 2), P::teal());
    p.fillRect(QRect(0, size.height() - 46, size.width(), 46), QColor(206, 218, 230));
    p.setPen(P::line());
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return image;
}

QImage SkinPainter::aboutSplash() {
    QImage image = blank(QSize(400, 250));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 400, 250);
    fill.setColorAt(0, P::slate());
    fill.setColorAt(1, P::ink());
    p.fillRect(image.rect(), fill);
    // A quiet motif: three overlapping rings in the accent colour.
    p.setPen(QPen(QColor(47, 143, 157, 110), 10));
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(318 + i * 26, 70 + i * 22), 54, 54);
    p.setPen(Qt::white);
    p.setFont(P::font(34, true));
    p.drawText(QRect(28, 52, 300, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zentrix"));
    p.setFont(P::font(13));
    p.setPen(QColor(214, 230, 240));
    p.drawText(QRect(30, 98, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Practice exams for certification"));
    p.fillRect(QRect(30, 126, 48, 3), P::teal());
    p.setFont(P::font(11));
    p.drawText(QRect(30, 140, 320, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Demo edition with the courses Networking Essentials and Linux "
                              "System Administration."));
    p.fillRect(QRect(0, 214, 400, 36), QColor(20, 36, 54, 200));
    p.setFont(P::font(10));
    p.setPen(QColor(170, 190, 208));
    p.drawText(QRect(14, 214, 220, 36), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Version 0.1"));
    return image;
}

}  // namespace zentrix::demo
