#pragma once

// The feedback picture after an open-book answer ("correct" or "incorrect",
// from the skin): borderless, centred over the main window, closed after
// two seconds or by a click, a key or Escape. The picture does not animate.

#include <QDialog>
#include <QRect>
#include <memory>

#include "engine/aids/close_timer.h"
#include "engine/dialog_service.h"

class QLabel;

namespace zentrix::engine::aids {

class TInfoForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCloseAfterMs = 2000;

    // Modal showing goes through `dialogs`; `timer` defaults to a QtCloseTimer.
    explicit TInfoForm(DialogService& dialogs, QWidget* owner = nullptr,
                       std::unique_ptr<CloseTimer> timer = nullptr);

    // Loads the picture from the stream (its first frame), sizes the window
    // to it, centres it over `mainFrame` (offsets halved toward zero), starts
    // the timer and shows the window modally. A stream without a picture
    // shows nothing and gives false.
    bool ShowImage(const QByteArray& stream, const QRect& mainFrame);

    CloseTimer& Timer1() { return *timer_; }
    QLabel* GIFImage1() const { return picture_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void closeNow();

    DialogService& dialogs_;
    std::unique_ptr<CloseTimer> timer_;
    QLabel* picture_;
};

}  // namespace zentrix::engine::aids
