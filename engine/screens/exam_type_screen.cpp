#include "engine/screens/exam_type_screen.h"

#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>

#include "engine/exam_type_texts.h"
#include "engine/screens/control_registry.h"
#include "engine/screens/screen_parts.h"
#include "ui/picture_button.h"

namespace zentrix::engine {

ExamTypeScreen::ExamTypeScreen(QWidget* window, ControlRegistry& registry) : QObject(window) {
    openBook_ = AddScreenButton(window, registry, "btnOpenBook", "Open Book",
                                "Open book: untimed, with hints", 142);
    closedBook_ = AddScreenButton(window, registry, "btnClosedBook", "Closed Book",
                                  "Closed book: timed, no hints", 142);
    main_ = AddScreenButton(window, registry, "btnExamTypeMain", "Main", "Back to the main screen");

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

    available_ = AddScreenLabel(window, registry, "lbNoQuestions", QString(), 300, 11);
    toTake_ = AddScreenLabel(window, registry, "lbExamTypeQtoTake",
                             QStringLiteral("Number of questions you wish to take."), 212, 11);
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
