#pragma once

// TfrmReportSelection, the dialog "Report Selection" behind the main
// screen's History button: open a report saved earlier, open the history
// window, or return to the main window. The main window's hook is one call:
//
//     void ShowReportSelection() override {
//         history::views::RunReportSelection(context);
//     }

#include <QDialog>

#include "history/views/tfrm_show_history.h"
#include "ui/report/report_services.h"

class QPushButton;

namespace zentrix::history::views {

struct ReportSelectionContext {
    QWidget* mainWindow = nullptr;  // placement and parent
    QString programFolder;          // where the open dialog starts
    HistoryWindowInput history;
    TTHistory* store = nullptr;
    HistoryCatalogue* catalogue = nullptr;
    report::ReportServices services;
};

// Where the dialog goes on its first showing: main window top + half its
// own height, left + half its own width (halves to even).
QPoint ReportSelectionPlacement(const QRect& mainWindow, const QSize& own);

class TfrmReportSelection : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Report Selection";

    explicit TfrmReportSelection(ReportSelectionContext context);

    QPushButton* btnUserRpts() const { return userReports_; }
    QPushButton* btHistory() const { return history_; }
    QPushButton* btCancel() const { return cancel_; }

public slots:
    void btnUserRptsClick();
    void btHistoryClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ReportSelectionContext context_;
    bool activated_ = false;
    QPushButton* userReports_ = nullptr;
    QPushButton* history_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Creates the dialog, runs it modally through the context's services and
// frees it.
int RunReportSelection(const ReportSelectionContext& context);

}  // namespace zentrix::history::views
