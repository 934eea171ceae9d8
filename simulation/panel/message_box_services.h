#pragma once

#include <QPointer>
#include <QWidget>

#include "simulation/question_service.h"

namespace zentrix::simulation::panel {

// The reader's Yes/No questions in a modal message box titled "Error", for
// programs without a dialog service of their own (the authors' player). The
// engine binds its own dialog service instead.
class MessageBoxQuestions : public QuestionService {
public:
    explicit MessageBoxQuestions(QWidget* parent = nullptr) : parent_(parent) {}
    // Beeps, then asks with the buttons "&Yes" and "&No".
    bool askYesNo(const QString& question) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace zentrix::simulation::panel
