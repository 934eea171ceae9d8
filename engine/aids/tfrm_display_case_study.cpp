#include "engine/aids/tfrm_display_case_study.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

#include "engine/aids/case_tab_bar.h"
#include "ui/rich_text/rich_text_document.h"

namespace zentrix::engine::aids {
namespace {

constexpr QSize kInitialClient(620, 470);
constexpr int kTabControlTop = 8;
constexpr int kViewerLeft = 8;
constexpr int kViewerTop = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// A tab control whose bar is ours; the bar is set before any page is added.
class PageControl : public QTabWidget {
public:
    PageControl(QWidget* parent, QTabBar* bar) : QTabWidget(parent) { setTabBar(bar); }
};

QString tabCaption(const std::string& name) {
    return ui::decodeWindows1252(name).left(5) + QStringLiteral("...");
}

}  // namespace

TfrmDisplayCaseStudy::TfrmDisplayCaseStudy(CaseStudySource& cases, DialogService& dialogs,
                                           QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      cases_(cases),
      dialogs_(dialogs),
      tabBar_(new CaseTabBar),
      pageControl_(new PageControl(this, tabBar_)),
      btClose_(new QPushButton(QStringLiteral("&Close"), this)) {
    setWindowTitle(QStringLiteral("Display Case Study"));
    setAccessibleName(QStringLiteral("Display Case Study"));
    setModal(false);
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setAccessibleName(QStringLiteral("Case study tabs"));
    for (int i = 0; i < kTabs; ++i) {
        auto* sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        auto* viewer = new ui::RichTextViewer(sheet);
        viewer->setObjectName(QStringLiteral("edRich%1").arg(i + 1));
        viewer->document()->setDefaultFont(QFont(QStringLiteral("Arial"), 11));
        viewer->document()->setDocumentMargin(6);
        viewer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* bar = new QScrollBar(Qt::Vertical, sheet);
        bar->setObjectName(QStringLiteral("ScrollBar%1").arg(i + 1));
        bar->setRange(0, kScrollRange);
        bar->setAccessibleName(QStringLiteral("Scroll tab %1").arg(i + 1));
        sheets_[static_cast<std::size_t>(i)] = sheet;
        viewers_[static_cast<std::size_t>(i)] = viewer;
        scrollBars_[static_cast<std::size_t>(i)] = bar;
        pageControl_->addTab(sheet, QStringLiteral("..."));
        bindScrollBar(i);
    }
    btClose_->setObjectName(QStringLiteral("btClose"));
    btClose_->setAccessibleName(QStringLiteral("Close"));
    connect(btClose_, &QPushButton::clicked, this, &QDialog::close);
    for (int k = 2; k <= kTabs; ++k) pageControl_->setTabVisible(k - 1, false);
    resize(kInitialClient);
    LayOut(kInitialClient);
}

// The tab's own scroll bar runs 0..10000 over the viewer's whole height; each
// follows the other.
void TfrmDisplayCaseStudy::bindScrollBar(int index) {
    QScrollBar* outer = scrollBars_[static_cast<std::size_t>(index)];
    QScrollBar* inner = viewers_[static_cast<std::size_t>(index)]->verticalScrollBar();
    auto syncOuter = [outer, inner] {
        const QSignalBlocker block(outer);
        const int maximum = inner->maximum();
        outer->setEnabled(maximum > 0);
        outer->setValue(maximum > 0 ? static_cast<int>(std::lround(double(inner->value()) *
                                                                   kScrollRange / maximum))
                                    : 0);
        const int page = inner->pageStep();
        outer->setPageStep(maximum + page > 0
                               ? static_cast<int>(double(kScrollRange) * page / (maximum + page))
                               : kScrollRange);
        outer->setSingleStep(std::max(1, outer->pageStep() / 10));
    };
    connect(inner, &QScrollBar::valueChanged, outer, syncOuter);
    connect(inner, &QScrollBar::rangeChanged, outer, syncOuter);
    connect(outer, &QScrollBar::valueChanged, inner, [outer, inner](int value) {
        const QSignalBlocker block(inner);
        inner->setValue(
            static_cast<int>(std::lround(double(value) * inner->maximum() / kScrollRange)));
        outer->setValue(value);
    });
}

bool TfrmDisplayCaseStudy::LoadCase(long number) {
    const std::optional<questionbank::CaseStudy> found = cases_.FindCase(number);
    if (!found) return false;
    setWindowTitle(ui::decodeWindows1252(found->title));
    tabsInUse_ = std::clamp(found->tabCount, 0, kTabs);
    for (int k = 1; k <= kTabs; ++k) {
        const std::string& name = found->tabNames[static_cast<std::size_t>(k - 1)];
        pageControl_->setTabVisible(k - 1, tabsInUse_ >= k);
        pageControl_->setTabToolTip(k - 1, ui::decodeWindows1252(name));
        pageControl_->setTabText(k - 1, tabCaption(name));
        const std::string& text = found->tabTexts[static_cast<std::size_t>(k - 1)];
        edRich(k)->setStudyText(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    }
    pageControl_->setVisible(tabsInUse_ > 0);
    growTabs();
    pageControl_->setCurrentIndex(0);
    loaded_ = true;
    return true;
}

// Tabs take 1.5 times their caption's width (halves to even) and twice its
// height, and never shrink again.
void TfrmDisplayCaseStudy::growTabs() {
    const QFontMetrics metrics(font());
    QSize size = tabBar_->TabSize();
    for (int i = 0; i < kTabs; ++i) {
        const QString caption = pageControl_->tabText(i);
        const int width =
            static_cast<int>(std::nearbyint(1.5 * metrics.horizontalAdvance(caption)));
        if (size.width() < width) size.setWidth(width);
        const int height = 2 * metrics.height();
        if (size.height() < height) size.setHeight(height);
    }
    tabBar_->SetTabSize(size);
}

void TfrmDisplayCaseStudy::ClearCase() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    for (int k = 2; k <= kTabs; ++k) pageControl_->setTabVisible(k - 1, false);
    loaded_ = false;
}

void TfrmDisplayCaseStudy::ToggleVisible() {
    if (isVisible()) {
        hide();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void TfrmDisplayCaseStudy::FormActivate() {
    if (activated_) return;
    activated_ = true;
    if (!loaded_ && !LoadCase(caseNumber_)) {
        dialogs_.beep();
        dialogs_.showMessage(MessageKind::Error, QString::fromLatin1(kNotFoundText));
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    QApplication::restoreOverrideCursor();
}

void TfrmDisplayCaseStudy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* shown = screen()) {
        const QRect available = shown->availableGeometry();
        move(available.center() -
             QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    // The window shows itself activated: this is its first activation.
    FormActivate();
}

void TfrmDisplayCaseStudy::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return;  // minimised, not closed
    activated_ = false;
    loaded_ = false;
}

void TfrmDisplayCaseStudy::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut(size());
}

void TfrmDisplayCaseStudy::LayOut(QSize client) {
    const int windowWidth = client.width() + kFrameWidth;
    const int windowHeight = client.height() + kFrameHeight;
    const int tabWidth = std::max(60, windowWidth - 40);
    const int tabHeight = std::max(60, windowHeight - 81);
    pageControl_->setGeometry((client.width() - tabWidth) / 2, kTabControlTop, tabWidth, tabHeight);
    btClose_->setGeometry((windowWidth - kButtonWidth) / 2, windowHeight - 66, kButtonWidth,
                          kButtonHeight);
    for (int i = 0; i < kTabs; ++i) {
        const QRect viewer(kViewerLeft, kViewerTop, std::max(20, tabWidth - 35),
                           std::max(20, tabHeight - 49));
        viewers_[static_cast<std::size_t>(i)]->setGeometry(viewer);
        scrollBars_[static_cast<std::size_t>(i)]->setGeometry(
            viewer.left() + viewer.width() + 1, viewer.top(),
            style()->pixelMetric(QStyle::PM_ScrollBarExtent), viewer.height());
    }
}

void TfrmDisplayCaseStudy::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace zentrix::engine::aids
