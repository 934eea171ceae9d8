#pragma once

// The simulation panel reports through the engine's one dialog service, so
// that no test meets a modal box: the reader's Yes/No questions ("This is an
// unknown version of the QSF file. Continue On?") come after the default
// beep, in an error box titled "Error" with the buttons "&Yes" and "&No"
// (Escape answers No); a file that cannot be read goes to the error box,
// saying that this question's simulation cannot be played and why.

#include <QPointer>
#include <QWidget>

#include "simulation/error_reporter.h"
#include "simulation/question_service.h"

namespace zentrix::engine {

class DialogService;

class DialogSimulationServices final : public simulation::QuestionService,
                                       public simulation::ErrorReporter {
public:
    static constexpr const char* kCannotPlayMessage =
        "The simulation of this question cannot be played.";

    explicit DialogSimulationServices(DialogService& dialogs) : dialogs_(dialogs) {}

    // The boxes are centred over this window while it is shown.
    void setOwner(QWidget* owner) { owner_ = owner; }

    // True only when the Yes button was pressed.
    bool askYesNo(const QString& question) override;
    void reportError(const QString& text) override;

private:
    DialogService& dialogs_;
    QPointer<QWidget> owner_;
};

}  // namespace zentrix::engine
