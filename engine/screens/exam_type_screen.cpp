#include "engine/screens/exam_type_screen.h"

#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>

#include "engine/exam_type_texts.h"
#include "engine/screens/control_registry.h"
#include "ui/picture_button.h"

namespace zentrix::engine {

ExamTypeScreen::ExamTypeScreen(QWidget* window, ControlRegistry& registry) : QObject(window) {
    auto button = [&](const char* name, const char* caption, const char* accessible, int width) {
        auto* b = new ui::PictureButton(QString::fromLatin1(caption), window);
        b->resize(width, 22);
        b->setAccessibleName(QString::fromLatin1(accessible));
        b->hide();
        registry.add(name, b);
        return b;
    };
    openBook_ = button("btnOpenBook", "Open Book", "Open book: untimed, with hints", 142);
    closedBook_ = button("btnClosedBook", "Closed Book", "Closed book: timed, no hints", 142);
    main_ = button("btnExamTypeMain", "Main", "Back to the main screen", 72);

    auto explanation = [&](const char* name, const QString& text, const char* accessible) {
        auto* box = new QTextEdit(window);
        box->setReadOnly(true);
        box->setPlainText(text);
        box->setFrameShape(QFrame::Box);
        box->setAccessibleName(QString::fromLatin1(accessible));
        box->hide();
        registry.add(name, box);
        return box;
    };
    openExplanation_ = explanation("preexplain", OpenBookExplanation(), "About open book");
    closedExplanation_ = explanation("PostExplain", ClosedBookExplanation(), "About closed book");

    QFont small;
    small.setPixelSize(11);
    available_ = new QLabel(window);
    available_->setFont(small);
    available_->resize(300, 18);
    available_->hide();
    registry.add("lbNoQuestions", available_);
    toTake_ = new QLabel(QStringLiteral("Number of questions you wish to take."), window);
    toTake_->setFont(small);
    toTake_->resize(212, 18);
    toTake_->hide();
    registry.add("lbExamTypeQtoTake", toTake_);
    count_ = new QSpinBox(window);
    count_->resize(64, 24);
    count_->setRange(1, 1);
    count_->setAccessibleName(QStringLiteral("Number of questions you wish to take"));
    count_->hide();
    toTake_->setBuddy(count_);
    registry.add("edtNumQuestions", count_);

    QWidget::setTabOrder(openBook_, closedBook_);
    QWidget::setTabOrder(closedBook_, count_);
    QWidget::setTabOrder(count_, main_);
}

QWidget* ExamTypeScreen::FocusOnEntry() const { return openBook_; }

void ExamTypeScreen::SetQuestionCount(int count) {
    // Never a minimum of 0, whatever an earlier exam held.
    count_->setMinimum(1);
    count_->setMaximum(1);
    count_->setValue(1);
    count_->setMaximum(std::max(count, 1));
    count_->setValue(std::max(count, 1));
    available_->setText(QStringLiteral("Total number of questions available: ") +
                        QString::number(count));
}

}  // namespace zentrix::engine
