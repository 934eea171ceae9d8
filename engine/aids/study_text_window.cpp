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

ui::RtfReadSummary StudyTextWindow::LoadText(std::string_view stored) {
    return viewer_->setStudyText(CleanStudyText(stored));
}

void StudyTextWindow::Clear() { viewer_->clear(); }

bool StudyTextWindow::IsEmpty() const { return viewer_->document()->isEmpty(); }

void StudyTextWindow::ToggleVisible() {
    if (isVisible()) {
        hide();
    } else {
        show();
        raise();
    }
}

void StudyTextWindow::FitHeightToText(int minimum, int maximum) {
    if (fitted_.isValid() && size() != fitted_) sizedByLearner_ = true;
    if (sizedByLearner_) return;
    // The viewer fills the window inside the layout's margins. (Measured from
    // the window: a hidden window's viewer follows its size only when shown.)
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * viewer_->frameWidth();
    const int wanted = viewer_->textHeightForWidth(width() - margins.left() - margins.right()) +
                       frame + margins.top() + margins.bottom();
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
