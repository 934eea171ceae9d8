#include "ui/rich_text_viewer.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

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

// The text is read into a document of its own, which then replaces the
// shown one: a viewer given a whole new document lays out what it shows
// first and the rest in steps while the program is idle, where text read
// into the shown document would be laid out whole before anything shows.
RtfReadSummary RichTextViewer::setStudyText(QByteArrayView text) {
    QTextDocument* shown = document();
    auto* fresh = new QTextDocument(this);
    fresh->setDefaultFont(shown->defaultFont());
    fresh->setDocumentMargin(shown->documentMargin());
    fresh->setDefaultTextOption(shown->defaultTextOption());
    fresh->setIndentWidth(shown->indentWidth());
    fresh->setUndoRedoEnabled(false);
    const RtfReadSummary summary = ui::setStudyText(*fresh, text);
    fitStudyTextToWidth(*fresh, viewport()->width() - 2 * fresh->documentMargin() - 2);
    // Its width set before it has a layout, the document is laid out once,
    // in steps, from its top.
    fresh->setTextWidth(viewport()->width());
    // The viewer would delete a document it parents at once; an old text is
    // let go of when the program is idle instead.
    if (shown->parent() == this) {
        shown->setParent(nullptr);
        shown->deleteLater();
    }
    setDocument(fresh);
    setCursorWidth(0);  // kept by the document's layout: the new one draws a caret
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

int RichTextViewer::textHeight(int limit) const {
    const QTextDocument& text = *document();
    QAbstractTextDocumentLayout& layout = *text.documentLayout();
    qreal bottom = 0;
    // The layout runs only as far as the blocks asked for.
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        bottom = layout.blockBoundingRect(block).bottom();
        if (bottom > limit) return limit + 1;
    }
    // All of it is laid out now: the document's own size counts its frames
    // and margins.
    return std::min(limit + 1, static_cast<int>(std::ceil(layout.documentSize().height())));
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
