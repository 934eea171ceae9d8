#include "ui/report/report_preview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/report/page_painter.h"
#include "ui/report/page_view.h"
#include "ui/report/print_service.h"
#include "ui/report/report_files.h"

namespace zentrix::report {
namespace {

constexpr int kThumbnailWidth = 110;
constexpr int kThumbnailsPerStep = 8;

// A page's thumbnail as it is also when selected: the list marks the
// selection around it instead of tinting the page.
QIcon PageIcon(const QPixmap& page) {
    QIcon icon;
    icon.addPixmap(page, QIcon::Normal);
    icon.addPixmap(page, QIcon::Selected);
    return icon;
}

}  // namespace

ReportPreview::ReportPreview(RenderedReport report, ReportServices services, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), services_(std::move(services)) {
    setWindowTitle(report_.title.isEmpty()
                       ? QStringLiteral("Report Preview")
                       : QStringLiteral("Report Preview - %1").arg(report_.title));
    setAccessibleName(windowTitle());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(900, 760);

    previous_ = makeButton(QStringLiteral("&Previous"), QStringLiteral("Previous page"),
                           QKeySequence(Qt::Key_PageUp));
    next_ = makeButton(QStringLiteral("&Next"), QStringLiteral("Next page"),
                       QKeySequence(Qt::Key_PageDown));
    pageLabel_ = new QLabel(this);
    pageLabel_->setAccessibleName(QStringLiteral("Page number"));
    pageLabel_->setMinimumWidth(90);
    pageLabel_->setAlignment(Qt::AlignCenter);
    fit_ = makeButton(QStringLiteral("&Fit Page"), QStringLiteral("Zoom to fit the page"),
                      QKeySequence(Qt::CTRL | Qt::Key_9));
    actualSize_ = makeButton(QStringLiteral("100%"), QStringLiteral("Zoom to actual size"),
                             QKeySequence(Qt::CTRL | Qt::Key_0));
    print_ = makeButton(QStringLiteral("P&rint..."), QStringLiteral("Print the report"),
                        QKeySequence::Print);
    save_ = makeButton(QStringLiteral("&Save..."), QStringLiteral("Save the report as a file"),
                       QKeySequence::Save);
    export_ =
        makeButton(QStringLiteral("&Export PDF..."), QStringLiteral("Export the report as PDF"),
                   QKeySequence(Qt::CTRL | Qt::Key_E));
    close_ =
        makeButton(QStringLiteral("&Close"), QStringLiteral("Close the preview"), QKeySequence());

    connect(previous_, &QPushButton::clicked, this, &ReportPreview::previousPage);
    connect(next_, &QPushButton::clicked, this, &ReportPreview::nextPage);
    connect(fit_, &QPushButton::clicked, this, &ReportPreview::zoomToFit);
    connect(actualSize_, &QPushButton::clicked, this, &ReportPreview::zoomActualSize);
    connect(print_, &QPushButton::clicked, this, &ReportPreview::printReport);
    connect(save_, &QPushButton::clicked, this, &ReportPreview::saveReport);
    connect(export_, &QPushButton::clicked, this, &ReportPreview::exportPdf);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    print_->setEnabled(services_.printer != nullptr);

    auto* tools = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{previous_, pageLabel_, next_})
        tools->addWidget(w);
    tools->addSpacing(16);
    tools->addWidget(fit_);
    tools->addWidget(actualSize_);
    tools->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{print_, save_, export_, close_})
        tools->addWidget(w);

    thumbnails_ = new QListWidget(this);
    thumbnails_->setAccessibleName(QStringLiteral("Pages"));
    thumbnails_->setViewMode(QListView::IconMode);
    thumbnails_->setFlow(QListView::TopToBottom);
    thumbnails_->setWrapping(false);
    thumbnails_->setMovement(QListView::Static);
    thumbnails_->setSpacing(6);
    thumbnails_->setIconSize(QSize(kThumbnailWidth, kThumbnailWidth * 3 / 2));
    thumbnails_->setFixedWidth(kThumbnailWidth + 40);
    for (int i = 0; i < static_cast<int>(report_.pages.size()); ++i) {
        auto* item = new QListWidgetItem(QString::number(i + 1), thumbnails_);
        // A blank stand-in of the page's shape until the picture is drawn,
        // so the list does not move under the pointer.
        const QSizeF size = report_.pages[i].size;
        const double shrink = std::min(1.0, 2.0 * size.width() / size.height());
        QPixmap blank(
            std::max(1, static_cast<int>(kThumbnailWidth * shrink)),
            std::max(1, static_cast<int>(std::min(kThumbnailWidth * size.height() / size.width(),
                                                  2.0 * kThumbnailWidth))));
        blank.fill(Qt::white);
        item->setIcon(PageIcon(blank));
        item->setTextAlignment(Qt::AlignHCenter);
        item->setData(Qt::AccessibleTextRole, QStringLiteral("Page %1").arg(i + 1));
    }
    connect(thumbnails_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != currentPage()) showPage(row);
    });

    view_ = new PageView(report_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setAccessibleName(QStringLiteral("Page area"));
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    scroll_->viewport()->installEventFilter(this);

    auto* body = new QHBoxLayout;
    body->addWidget(thumbnails_);
    body->addWidget(scroll_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(body, 1);

    auto* home = new QShortcut(QKeySequence(Qt::Key_Home), this);
    connect(home, &QShortcut::activated, this, [this] { showPage(0); });
    auto* end = new QShortcut(QKeySequence(Qt::Key_End), this);
    connect(end, &QShortcut::activated, this,
            [this] { showPage(static_cast<int>(report_.pages.size()) - 1); });

    thumbnailTimer_ = new QTimer(this);
    thumbnailTimer_->setInterval(0);
    connect(thumbnailTimer_, &QTimer::timeout, this, &ReportPreview::renderSomeThumbnails);
    thumbnailTimer_->start();

    showPage(0);
    zoomToFit();
    close_->setDefault(false);
    close_->setAutoDefault(false);
    scroll_->setFocus();
}

ReportPreview::~ReportPreview() = default;

QPushButton* ReportPreview::makeButton(const QString& text, const QString& accessible,
                                       const QKeySequence& key) {
    auto* button = new QPushButton(text, this);
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    if (!key.isEmpty()) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled()) button->click();
        });
        button->setToolTip(
            QStringLiteral("%1 (%2)").arg(accessible, key.toString(QKeySequence::NativeText)));
    } else {
        button->setToolTip(accessible);
    }
    return button;
}

int ReportPreview::currentPage() const { return view_->page(); }

void ReportPreview::showPage(int index) {
    if (report_.pages.empty()) {
        updateControls();
        return;
    }
    view_->setPage(index);
    if (fitting_) view_->setZoom(view_->zoomToFit(scroll_->maximumViewportSize() - QSize(12, 12)));
    if (thumbnails_->currentRow() != view_->page()) thumbnails_->setCurrentRow(view_->page());
    scroll_->verticalScrollBar()->setValue(0);
    updateControls();
}

void ReportPreview::nextPage() { showPage(currentPage() + 1); }
void ReportPreview::previousPage() { showPage(currentPage() - 1); }

void ReportPreview::zoomToFit() {
    fitting_ = true;
    view_->setZoom(view_->zoomToFit(scroll_->maximumViewportSize() - QSize(12, 12)));
    updateControls();
}

void ReportPreview::zoomActualSize() {
    fitting_ = false;
    view_->setZoom(1.0);
    updateControls();
}

void ReportPreview::printReport() {
    if (!services_.printer) return;
    const auto printed = services_.printer->print(report_, this);
    if (!printed && services_.showError)
        services_.showError(QStringLiteral("The report could not be printed: %1.")
                                .arg(QString::fromStdString(printed.message())));
}

void ReportPreview::saveReport() { SaveReportAs(services_, this, report_, saveStart_); }
void ReportPreview::exportPdf() { ExportPdfAs(services_, this, report_, saveStart_); }

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && fitting_)
        view_->setZoom(view_->zoomToFit(scroll_->maximumViewportSize() - QSize(12, 12)));
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::renderSomeThumbnails() {
    const int count = static_cast<int>(report_.pages.size());
    const int stop = std::min(count, thumbnailsDone_ + kThumbnailsPerStep);
    for (; thumbnailsDone_ < stop; ++thumbnailsDone_) {
        const QSizeF size = report_.pages[thumbnailsDone_].size;
        const double dpi =
            std::min(kThumbnailWidth / size.width(), 2.0 * kThumbnailWidth / size.height()) * 72.0;
        QImage page = RenderPageImage(report_, thumbnailsDone_, dpi);
        QPainter edge(&page);
        edge.setPen(QColor(150, 150, 150));
        edge.drawRect(page.rect().adjusted(0, 0, -1, -1));
        edge.end();
        thumbnails_->item(thumbnailsDone_)->setIcon(PageIcon(QPixmap::fromImage(page)));
    }
    if (thumbnailsDone_ >= count) thumbnailTimer_->stop();
}

void ReportPreview::updateControls() {
    const int count = static_cast<int>(report_.pages.size());
    const int page = count ? currentPage() : -1;
    pageLabel_->setText(count ? QStringLiteral("Page %1 of %2").arg(page + 1).arg(count)
                              : QStringLiteral("No pages"));
    previous_->setEnabled(page > 0);
    next_->setEnabled(page >= 0 && page + 1 < count);
    fit_->setEnabled(!fitting_);
    actualSize_->setEnabled(fitting_ || view_->zoom() != 1.0);
}

}  // namespace zentrix::report
