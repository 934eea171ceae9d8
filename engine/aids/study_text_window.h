#pragma once

// The hint and references windows: a resizable tool window filled by one
// read-only viewer. The main window loads the current question's text on
// every question (LoadText) and shows or hides the window with its button.
//
// A closed window only keeps the text it was given: it is read into the
// viewer when the window opens (or when someone asks for the viewer), so
// questions whose hint nobody opens cost nothing to read.

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
    void LoadText(std::string_view stored);
    void Clear();
    bool IsEmpty() const;
    // What reading the text shown met (pictures, damage).
    ui::RtfReadSummary ReadSummary() const;

    // Hides the window when it is shown and shows it otherwise (the test
    // screen's button).
    void ToggleVisible();

    // Gives the shown window the height its text needs at the window's
    // width, kept within [minimum, maximum], so a one-line hint does not
    // open a tall empty window. Once the learner has sized the window, it
    // keeps the learner's size. Nothing while the window is hidden.
    void FitHeightToText(int minimum, int maximum);

    // The viewer, holding the text last loaded.
    ui::RichTextViewer* viewer() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readPending() const;

    ui::RichTextViewer* viewer_;
    // The text loaded while the window was closed, not yet read.
    mutable QByteArray pending_;
    mutable bool hasPending_ = false;
    mutable ui::RtfReadSummary summary_;
    QSize fitted_;  // the size the last fit gave, while the learner has not changed it
    bool sizedByLearner_ = false;
};

}  // namespace zentrix::engine::aids
