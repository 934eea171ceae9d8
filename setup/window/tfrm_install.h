#pragma once

// TfrmInstall: the setup program's one window. It fills the screen with the
// blue-to-black band gradient, shows the shadowed welcome title and Panel1
// with the status line, the install folder and the buttons, and runs the
// flows of setup/ on its SetupSession: the start-up at its first
// activation, the install on "Install", the uninstall from the posted
// uninstall event. It is the flows' SetupHost: every screen change is drawn
// and pending events run; a close posted during a flow takes effect when
// the flow has returned.

#include <QEvent>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "setup/install_screen.h"
#include "setup/setup_host.h"
#include "setup/setup_startup.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zentrix::platform {
struct Platform;
}

namespace zentrix::setup {

class SetupDialogService;
class SetupLocation;
class SetupSession;
class StatusPanel;
class TBZBrowseDirs;

class TfrmInstall : public QWidget, public SetupHost {
    Q_OBJECT
public:
    // The window's own posted messages.
    static constexpr QEvent::Type WM_SETUP_UNINSTALL = QEvent::Type(QEvent::User + 0x710);
    static constexpr QEvent::Type WM_SETUP_CLOSE = QEvent::Type(QEvent::User + 0x711);

    // Layout in pixels.
    static constexpr int kPanelWidth = 353;
    static constexpr int kPanelHeight = 205;

    // Everything must outlive the window. FormCreate runs here.
    TfrmInstall(platform::Platform& platform, SetupDialogService& dialogs, SetupLocation& location,
                std::vector<std::string> arguments, QWidget* parent = nullptr);
    ~TfrmInstall() override;

    // Handlers, named as the window's events.
    void FormActivate();
    void Button1Click();  // Install
    void Button2Click();  // Change Directory
    void btnExitClick();

    SetupSession& session() { return *session_; }
    TBZBrowseDirs& BZBrowseDirs() { return *browser_; }
    StartupOutcome startupOutcome() const { return startupOutcome_; }
    bool flowRunning() const { return flowDepth_ > 0; }

    // The controls.
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    StatusPanel* Panel1() const { return panel1_; }
    QLabel* Label3() const { return label3_; }
    QLineEdit* Edit1() const { return edit1_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }
    QPushButton* btnExit() const { return btnExit_; }
    QPushButton* btnStopWaiting() const { return btnStopWaiting_; }

    // SetupHost.
    void screenChanged() override;
    void postClose() override;
    void postUninstall() override;
    void closeWindow() override;
    bool waitStep(std::chrono::milliseconds interval) override;
    void offerStopWaiting(bool offered) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void placePanel();
    void showScreen(const InstallScreen& screen);
    // Runs a flow; a close posted meanwhile follows when it has returned.
    template <typename Flow>
    void runFlow(Flow&& flow);
    void closeByProgram();

    std::unique_ptr<SetupSession> session_;
    SetupDialogService& dialogs_;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    StatusPanel* panel1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* btnExit_ = nullptr;
    QPushButton* btnStopWaiting_ = nullptr;
    TBZBrowseDirs* browser_ = nullptr;

    StartupOutcome startupOutcome_ = StartupOutcome::Stopped;
    int flowDepth_ = 0;
    bool closePending_ = false;
    bool closingByProgram_ = false;
    bool stopWaiting_ = false;
};

}  // namespace zentrix::setup
