#include "setup/window/tfrm_install.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "setup/install_flow.h"
#include "setup/setup_session.h"
#include "setup/setup_texts.h"
#include "setup/uninstall_flow.h"
#include "setup/window/band_gradient.h"
#include "setup/window/setup_dialog_service.h"
#include "setup/window/status_panel.h"
#include "setup/window/tbz_browse_dirs.h"

namespace zentrix::setup {

namespace {

QFont pixelFont(QFont::StyleHint hint, int pixels, bool bold = false) {
    QFont font(hint == QFont::Serif ? QStringLiteral("DejaVu Serif")
                                    : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(hint);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString text(const std::string& value) { return QString::fromStdString(value); }

}  // namespace

TfrmInstall::TfrmInstall(platform::Platform& platform, SetupDialogService& dialogs,
                         SetupLocation& location, std::vector<std::string> arguments,
                         QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
    session_ =
        std::make_unique<SetupSession>(platform, dialogs, *this, location, std::move(arguments));
    createControls();
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    SetupStartup(*session_).create();
    showScreen(session_->screen);
}

TfrmInstall::~TfrmInstall() = default;

void TfrmInstall::createControls() {
    setAccessibleName(QString::fromLatin1(texts::kApplicationTitle));
    setWindowTitle(QString::fromLatin1(texts::kApplicationTitle));

    // Label1 is the black shadow, Label2 the white title two pixels above
    // and to the left of it, drawn over it.
    label1_ = new QLabel(this);
    label2_ = new QLabel(this);
    const struct {
        QLabel* label;
        QPoint at;
        QColor colour;
    } titles[] = {{label1_, {22, 18}, Qt::black}, {label2_, {20, 16}, Qt::white}};
    for (const auto& title : titles) {
        title.label->setGeometry(QRect(title.at, QSize(600, 79)));
        title.label->setFont(pixelFont(QFont::Serif, 27));
        title.label->setWordWrap(true);
        title.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        title.label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette palette = title.label->palette();
        palette.setColor(QPalette::WindowText, title.colour);
        title.label->setPalette(palette);
    }
    label1_->setAccessibleName(QStringLiteral("Welcome shadow"));
    label2_->setAccessibleName(QStringLiteral("Welcome"));
    label2_->raise();

    panel1_ = new StatusPanel(this);
    panel1_->resize(kPanelWidth, kPanelHeight);
    panel1_->setFont(pixelFont(QFont::SansSerif, 13, true));
    QPalette panelPalette = panel1_->palette();
    panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::Button));
    panel1_->setPalette(panelPalette);

    label3_ = new QLabel(panel1_);
    label3_->setGeometry(8, 16, 337, 18);
    label3_->setFont(pixelFont(QFont::Serif, 16));
    label3_->setAccessibleName(QStringLiteral("Heading"));

    edit1_ = new QLineEdit(panel1_);
    edit1_->setGeometry(8, 36, 338, 23);
    edit1_->setFont(pixelFont(QFont::SansSerif, 13));
    edit1_->setAccessibleName(QStringLiteral("Install folder"));
    label3_->setBuddy(edit1_);

    auto button = [this](const char* caption, int top, int height, int pixels, bool bold) {
        auto* b = new QPushButton(QString::fromLatin1(caption), panel1_);
        b->setGeometry(53, top, 247, height);
        b->setFont(pixelFont(QFont::SansSerif, pixels, bold));
        b->setAccessibleName(QString::fromLatin1(caption));
        return b;
    };
    button2_ = button(texts::kChangeDirectory, 69, 25, 13, true);
    button1_ = button(texts::kInstall, 106, 39, 21, true);
    btnExit_ = button(texts::kCancel, 157, 25, 13, true);
    btnStopWaiting_ = button(texts::kStopWaiting, 157, 25, 13, true);
    btnStopWaiting_->hide();
    button1_->setDefault(true);
    setTabOrder(edit1_, button2_);
    setTabOrder(button2_, button1_);
    setTabOrder(button1_, btnExit_);

    browser_ = new TBZBrowseDirs(dialogs_, this);
    browser_->setFlags(TBZBrowseDirs::bfFileSysDirsOnly | TBZBrowseDirs::bfStatusText);

    connect(edit1_, &QLineEdit::textEdited, this, [this](const QString& folder) {
        session_->screen.installFolder = folder.toStdString();
    });
    connect(edit1_, &QLineEdit::returnPressed, this, [this] {
        if (button1_->isVisible()) Button1Click();
    });
    connect(button1_, &QPushButton::clicked, this, &TfrmInstall::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &TfrmInstall::Button2Click);
    connect(btnExit_, &QPushButton::clicked, this, &TfrmInstall::btnExitClick);
    connect(btnStopWaiting_, &QPushButton::clicked, this, [this] { stopWaiting_ = true; });
    placePanel();
}

void TfrmInstall::placePanel() {
    panel1_->move((width() - kPanelWidth - 8) / 2, (height() - kPanelHeight - 27) / 2);
}

void TfrmInstall::showScreen(const InstallScreen& screen) {
    setWindowTitle(screen.caption.empty() ? QString::fromLatin1(texts::kApplicationTitle)
                                          : text(screen.caption));
    label1_->setText(text(screen.welcome));
    label2_->setText(text(screen.welcome));
    panel1_->setCaption(text(screen.status));
    panel1_->setVisible(screen.panelVisible);
    label3_->setText(text(screen.heading));
    label3_->setVisible(screen.headingVisible);
    if (edit1_->text() != text(screen.installFolder)) edit1_->setText(text(screen.installFolder));
    edit1_->setVisible(screen.folderVisible);
    button2_->setVisible(screen.changeFolderVisible);
    button1_->setVisible(screen.installVisible);
    btnExit_->setText(text(screen.exitCaption));
    btnExit_->setVisible(screen.exitVisible && !btnStopWaiting_->isVisible());
    btnExit_->setEnabled(screen.exitEnabled);
}

template <typename Flow>
void TfrmInstall::runFlow(Flow&& flow) {
    ++flowDepth_;
    flow();
    --flowDepth_;
    showScreen(session_->screen);
    if (flowDepth_ == 0 && closePending_) closeByProgram();
}

void TfrmInstall::FormActivate() {
    if (session_->state.activated) return;
    runFlow([this] { startupOutcome_ = SetupStartup(*session_).activate(); });
    if (startupOutcome_ == StartupOutcome::InstallPanel) {
        edit1_->setFocus();
    } else if (btnExit_->isVisible()) {
        btnExit_->setFocus();
    }
}

void TfrmInstall::Button1Click() {
    if (flowRunning()) return;
    runFlow([this] { InstallFlow(*session_).run(); });
}

void TfrmInstall::Button2Click() {
    if (browser_->BrowseForFolder() && !browser_->Directory().isEmpty()) {
        session_->screen.installFolder = browser_->Directory().toStdString();
        showScreen(session_->screen);
    }
}

void TfrmInstall::btnExitClick() {
    if (SetupStartup(*session_).confirmExit()) closeByProgram();
}

void TfrmInstall::closeByProgram() {
    closePending_ = false;
    closingByProgram_ = true;
    close();
}

void TfrmInstall::screenChanged() {
    showScreen(session_->screen);
    QCoreApplication::processEvents();
}

void TfrmInstall::postClose() { QCoreApplication::postEvent(this, new QEvent(WM_SETUP_CLOSE)); }

void TfrmInstall::postUninstall() {
    QCoreApplication::postEvent(this, new QEvent(WM_SETUP_UNINSTALL));
}

void TfrmInstall::closeWindow() {
    if (flowRunning()) {
        closePending_ = true;
    } else {
        closeByProgram();
    }
}

bool TfrmInstall::waitStep(std::chrono::milliseconds interval) {
    QEventLoop loop;
    QTimer::singleShot(interval, &loop, &QEventLoop::quit);
    loop.exec();
    return !stopWaiting_;
}

void TfrmInstall::offerStopWaiting(bool offered) {
    stopWaiting_ = false;
    btnStopWaiting_->setVisible(offered);
    showScreen(session_->screen);
    if (offered) btnStopWaiting_->setFocus();
}

bool TfrmInstall::event(QEvent* event) {
    if (event->type() == WM_SETUP_UNINSTALL) {
        runFlow([this] { UninstallFlow(*session_).RunUninstall(); });
        return true;
    }
    if (event->type() == WM_SETUP_CLOSE) {
        if (flowRunning()) {
            closePending_ = true;
        } else {
            closeByProgram();
        }
        return true;
    }
    // The start-up runs on the first activation, posted so that the
    // activation itself is handled first; also on the first showing, for
    // desktops without a window manager that never activate a window.
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) &&
        !session_->state.activated) {
        QTimer::singleShot(0, this, &TfrmInstall::FormActivate);
    }
    return QWidget::event(event);
}

void TfrmInstall::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    BandGradient::paint(painter, size());
}

void TfrmInstall::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placePanel();
}

void TfrmInstall::closeEvent(QCloseEvent* event) {
    if (closingByProgram_) {
        event->accept();
        return;
    }
    // A flow runs to its end; otherwise closing asks as the Cancel button does.
    if (flowRunning() || !btnExit_->isEnabled() || !SetupStartup(*session_).confirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfrmInstall::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && btnExit_->isVisible() && btnExit_->isEnabled()) {
        btnExitClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zentrix::setup
