#pragma once

// The preview of a finished report: page thumbnails at the left, the page
// at the right, and the buttons Previous, Next, Fit Page, 100%, Print,
// Save, Export PDF and Close. Keys: Page Up / Page Down (and Home / End)
// move between pages, Ctrl+P prints, Ctrl+S saves, Ctrl+E exports, Escape
// closes. The preview owns its copy of the pages, so it shows the same
// pages however the data behind them changes.

#include <QDialog>

#include "ui/report/rendered_report.h"
#include "ui/report/report_services.h"

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTimer;

namespace zentrix::report {

class PageView;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(RenderedReport report, ReportServices services, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // The folder (or suggested file) the Save and Export choosers open in.
    void setSaveFolder(const QString& start) { saveStart_ = start; }

    const RenderedReport& report() const { return report_; }
    int currentPage() const;
    void showPage(int index);

    PageView* pageView() const { return view_; }
    QListWidget* thumbnails() const { return thumbnails_; }
    QLabel* pageLabel() const { return pageLabel_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* fitButton() const { return fit_; }
    QPushButton* actualSizeButton() const { return actualSize_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* closeButton() const { return close_; }

public slots:
    void nextPage();
    void previousPage();
    void zoomToFit();
    void zoomActualSize();
    void printReport();
    void saveReport();
    void exportPdf();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* makeButton(const QString& text, const QString& accessible,
                            const QKeySequence& key);
    void renderSomeThumbnails();
    void updateControls();

    RenderedReport report_;
    ReportServices services_;
    QString saveStart_;
    bool fitting_ = true;
    int thumbnailsDone_ = 0;

    PageView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QListWidget* thumbnails_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* fit_ = nullptr;
    QPushButton* actualSize_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* thumbnailTimer_ = nullptr;
};

}  // namespace zentrix::report
