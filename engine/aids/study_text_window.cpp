#include "engine/aids/study_text_window.h"

#include <QKeyEvent>
#include <QVBoxLayout>

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

void StudyTextWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zentrix::engine::aids
