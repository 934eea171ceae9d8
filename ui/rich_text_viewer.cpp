#include "ui/rich_text_viewer.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <memory>

#include "ui/rich_text/rich_text_document.h"

namespace zentrix::ui {

RichTextViewer::RichTextViewer(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setAcceptDrops(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setCursorWidth(0);  // a viewer, not an editor: no caret
}

RtfReadSummary RichTextViewer::setStudyText(QByteArrayView text) {
    const RtfReadSummary summary = ui::setStudyText(*document(), text);
    fitToViewport();
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    return summary;
}

// Pictures and tables wider than the viewer shrink to it instead of needing
// a sideways scroll bar.
void RichTextViewer::fitToViewport() {
    const qreal margin = document()->documentMargin();
    fitStudyTextToWidth(*document(), viewport()->width() - 2 * margin - 2);
}

void RichTextViewer::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) fitToViewport();
}

int RichTextViewer::textHeightForWidth(int width) const {
    // Measured on a copy: the viewer lays its own text out at its own width
    // and would undo the width given here.
    const std::unique_ptr<QTextDocument> copy(document()->clone());
    const qreal textWidth = width - 2 * frameWidth();
    fitStudyTextToWidth(*copy, textWidth - 2 * copy->documentMargin() - 2);
    copy->setTextWidth(textWidth);
    return static_cast<int>(std::ceil(copy->size().height()));
}

// Every way out of the viewer (copy, cut, drag, the X11 selection) asks for
// this: it carries nothing.
QMimeData* RichTextViewer::createMimeDataFromSelection() const { return new QMimeData; }

bool RichTextViewer::canInsertFromMimeData(const QMimeData*) const { return false; }

bool RichTextViewer::isCopyKey(const QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) return true;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Insert && modifiers == Qt::ControlModifier) return true;
    if (event->key() == Qt::Key_Delete && modifiers == Qt::ShiftModifier) return true;
    return false;
}

bool RichTextViewer::event(QEvent* event) {
    // Shortcuts of the window (an "Edit > Copy" elsewhere) must not act on
    // the viewer's selection either: claim the keys and then drop them.
    if (event->type() == QEvent::ShortcutOverride && isCopyKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTextEdit::event(event);
}

void RichTextViewer::keyPressEvent(QKeyEvent* event) {
    if (isCopyKey(event)) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichTextViewer::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

// A press inside the selection would start a drag of it: drop the selection
// first, so the press starts a new selection instead.
void RichTextViewer::mousePressEvent(QMouseEvent* event) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        const int position = cursorForPosition(event->position().toPoint()).position();
        if (position >= cursor.selectionStart() && position <= cursor.selectionEnd()) {
            cursor.clearSelection();
            setTextCursor(cursor);
        }
    }
    QTextEdit::mousePressEvent(event);
}

}  // namespace zentrix::ui
