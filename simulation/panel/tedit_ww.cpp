#include "simulation/panel/tedit_ww.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextOption>

namespace zentrix::simulation::panel {

TEditWW::TEditWW(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setBorder(false);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!quiet_) emit textEdited();
    });
}

void TEditWW::setTextQuietly(const QString& text) {
    quiet_ = true;
    const Qt::Alignment alignment = document()->defaultTextOption().alignment();
    setPlainText(text);
    setAlignment(alignment);
    quiet_ = false;
}

void TEditWW::setAlignment(Qt::Alignment alignment) {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
    // Blocks already there keep their own format: align them too.
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    all.mergeBlockFormat(format);
}

void TEditWW::setWordWrap(bool wrap) {
    setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TEditWW::setBorder(bool border) {
    setFrameStyle(border ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(border ? 1 : 0);
}

void TEditWW::moveCaretToEnd() { moveCursor(QTextCursor::End); }

void TEditWW::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

}  // namespace zentrix::simulation::panel
