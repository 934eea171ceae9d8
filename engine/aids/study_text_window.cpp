#include "engine/aids/study_text_window.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/aids/study_text.h"

namespace zentrix::engine::aids {

StudyTextWindow::StudyTextWindow(const QString& caption, const QString& viewerName, QWidget* owner)
    : QWidget(owner, Qt::Tool), viewer_(new ui::RichTextViewer(this)) {
    setWindowTitle(caption);
    setAccessibleName(caption);
    viewer_->setObjectName(viewerName);
    viewer_->setAccessibleName(caption);
    viewer_->document()->setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    viewer_->document()->setDocumentMargin(8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewer_);
    setFocusProxy(viewer_);
    resize(480, 360);
}

void StudyTextWindow::LoadText(std::string_view stored) {
    pending_ = CleanStudyText(stored);
    hasPending_ = true;
    if (isVisible()) readPending();
}

void StudyTextWindow::readPending() const {
    if (!hasPending_) return;
    hasPending_ = false;
    summary_ = viewer_->setStudyText(pending_);
    pending_.clear();
}

ui::RichTextViewer* StudyTextWindow::viewer() const {
    readPending();
    return viewer_;
}

void StudyTextWindow::Clear() {
    pending_.clear();
    hasPending_ = false;
    summary_ = {};
    viewer_->clear();
}

bool StudyTextWindow::IsEmpty() const { return viewer()->document()->isEmpty(); }

ui::RtfReadSummary StudyTextWindow::ReadSummary() const {
    readPending();
    return summary_;
}

void StudyTextWindow::showEvent(QShowEvent* event) {
    readPending();
    QWidget::showEvent(event);
}

void StudyTextWindow::ToggleVisible() {
    if (isVisible()) {
        hide();
    } else {
        show();
        raise();
    }
}

void StudyTextWindow::FitHeightToText(int minimum, int maximum) {
    if (!isVisible()) return;
    if (fitted_.isValid() && size() != fitted_) sizedByLearner_ = true;
    if (sizedByLearner_) return;
    // The viewer fills the window inside the layout's margins.
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.top() + margins.bottom() + 2 * viewer_->frameWidth();
    const int wanted = viewer()->textHeight(maximum - chrome) + chrome;
    resize(width(), std::clamp(wanted, minimum, maximum));
    fitted_ = size();
}

void StudyTextWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zentrix::engine::aids
