#pragma once

// Asks whether the learner really leaves the running exam: a borderless
// 298 by 100 window with a yes and a no button. Yes accepts the dialog.

#include <QDialog>

namespace zentrix::engine {

class TfrmConfirmExitExam : public QDialog {
    Q_OBJECT
public:
    explicit TfrmConfirmExitExam(QWidget* parent = nullptr);
};

}  // namespace zentrix::engine
