#pragma once

// The hint and references windows: a resizable tool window filled by one
// read-only viewer. The main window loads the current question's text on
// every question (LoadText) and shows or hides the window with its button.

#include <QWidget>
#include <string_view>

#include "ui/rich_text_viewer.h"

namespace zentrix::engine::aids {

class StudyTextWindow : public QWidget {
    Q_OBJECT
public:
    // `owner` (usually the main window) keeps the tool window above it.
    StudyTextWindow(const QString& caption, const QString& viewerName, QWidget* owner);

    // Shows the field's text cleaned as CleanStudyText says: rich text
    // formatted, other text plain, scrolled to the top.
    ui::RtfReadSummary LoadText(std::string_view stored);
    void Clear();
    bool IsEmpty() const;

    // Hides the window when it is shown and shows it otherwise (the test
    // screen's button).
    void ToggleVisible();

    // Gives the window the height its text needs at the window's width,
    // kept within [minimum, maximum], so a one-line hint does not open a
    // tall empty window. Once the learner has sized the window, it keeps
    // the learner's size.
    void FitHeightToText(int minimum, int maximum);

    ui::RichTextViewer* viewer() const { return viewer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ui::RichTextViewer* viewer_;
    QSize fitted_;  // the size the last fit gave, while the learner has not changed it
    bool sizedByLearner_ = false;
};

}  // namespace zentrix::engine::aids
