#pragma once

// A read-only, word-wrapping viewer of a study text that never gives its text
// away: no copy or cut shortcut (Ctrl+C, Ctrl+Insert, Ctrl+X, Shift+Delete),
// no context menu, no drag out of a selection, nothing on the X11 selection
// clipboard. The text can still be selected and scrolled with mouse and keys.

#include <QByteArrayView>
#include <QTextEdit>

#include "ui/rich_text/rtf_reader.h"

namespace zentrix::ui {

class RichTextViewer : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextViewer(QWidget* parent = nullptr);

    // Shows a study text (rich text formatted, other text plain) from its top.
    RtfReadSummary setStudyText(QByteArrayView text);

    // The height of the text as the viewer lays it out now, counted no
    // further than `limit` (a longer text gives limit + 1); for a window that
    // sizes itself to its text. Lays out no more than that.
    int textHeight(int limit) const;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static bool isCopyKey(const QKeyEvent* event);
    void fitToViewport();
};

}  // namespace zentrix::ui
