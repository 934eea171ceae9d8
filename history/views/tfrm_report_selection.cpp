#include "history/views/tfrm_report_selection.h"

#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/report/report_files.h"

namespace zentrix::history::views {
namespace {

int HalfToEven(int value) {
    const int half = value / 2;
    return (value % 2 != 0 && half % 2 != 0) ? half + (value > 0 ? 1 : -1) : half;
}

}  // namespace

QPoint ReportSelectionPlacement(const QRect& mainWindow, const QSize& own) {
    return QPoint(mainWindow.left() + HalfToEven(own.width()),
                  mainWindow.top() + HalfToEven(own.height()));
}

TfrmReportSelection::TfrmReportSelection(ReportSelectionContext context)
    : QDialog(context.mainWindow), context_(std::move(context)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setAccessibleName(windowTitle());
    // A fixed border with the system menu only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    userReports_ = new QPushButton(QStringLiteral("Open previously saved reports"), this);
    userReports_->setObjectName(QStringLiteral("btnUserRpts"));
    history_ = new QPushButton(QStringLiteral("Open Exam History Window"), this);
    history_->setObjectName(QStringLiteral("btHistory"));
    cancel_ = new QPushButton(QStringLiteral("Return to Main Window"), this);
    cancel_->setObjectName(QStringLiteral("btCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(24, 20, 24, 20);
    for (QPushButton* b : {userReports_, history_, cancel_}) {
        b->setAccessibleName(b->text());
        b->setMinimumHeight(32);
        b->setMinimumWidth(260);
        layout->addWidget(b);
    }
    history_->setDefault(true);
    connect(userReports_, &QPushButton::clicked, this, &TfrmReportSelection::btnUserRptsClick);
    connect(history_, &QPushButton::clicked, this, &TfrmReportSelection::btHistoryClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

void TfrmReportSelection::showEvent(QShowEvent* event) {
    if (!activated_) {
        activated_ = true;
        if (context_.mainWindow)
            move(ReportSelectionPlacement(context_.mainWindow->geometry(), size()));
    }
    QDialog::showEvent(event);
}

void TfrmReportSelection::btnUserRptsClick() {
    report::OpenSavedReport(context_.services, this, context_.programFolder);
}

void TfrmReportSelection::btHistoryClick() {
    if (!context_.store || !context_.catalogue) return;
    TfrmShowHistory window(context_.history, *context_.store, *context_.catalogue,
                           context_.services, this);
    if (context_.services.runModal) context_.services.runModal(window);
}

int RunReportSelection(const ReportSelectionContext& context) {
    TfrmReportSelection dialog(context);
    return context.services.runModal ? context.services.runModal(dialog) : QDialog::Rejected;
}

}  // namespace zentrix::history::views
