#include "engine/aids/tsteps.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace zentrix::engine::aids {
namespace {

constexpr QSize kClientSize(300, 420);

// "Times New Roman" where it is installed, else the nearest serif face.
QFont headingFont(const QFont& listFont) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(listFont.pointSizeF() > 0 ? listFont.pointSizeF() + 1 : 11);
    font.setBold(true);
    return font;
}

QPixmap headerPicture(int width) {
    QPixmap picture(width, 36);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, QColor(0x1F, 0x49, 0x6D));
    gradient.setColorAt(1, QColor(0x4F, 0x86, 0xB4));
    painter.fillRect(picture.rect(), gradient);
    QFont font(QStringLiteral("Arial"), 13, QFont::Bold);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect().adjusted(12, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Simulation steps"));
    return picture;
}

}  // namespace

TSteps::TSteps(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      header_(new QLabel(this)),
      btnSteps_(new QPushButton(QStringLiteral("&Hide steps"), this)),
      btnClose_(new QPushButton(QStringLiteral("&Close"), this)),
      lblTitle_(new QLabel(this)),
      listBox_(new ui::TSpecialListBox(this)) {
    setWindowTitle(QStringLiteral("Steps"));
    setAccessibleName(QStringLiteral("Steps"));
    header_->setPixmap(headerPicture(kClientSize.width()));
    header_->setAccessibleName(QStringLiteral("Simulation steps"));
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setAlignment(Qt::AlignCenter);
    lblTitle_->setWordWrap(true);
    QFont titleFont = lblTitle_->font();
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblTitle_->setAccessibleName(QStringLiteral("Question title"));
    btnSteps_->setObjectName(QStringLiteral("btnSteps"));
    btnSteps_->setAccessibleName(QStringLiteral("Hide steps"));
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setAccessibleName(QStringLiteral("Close"));
    listBox_->setObjectName(QStringLiteral("ListBox1"));
    listBox_->setAccessibleName(QStringLiteral("Steps"));
    listBox_->SetSectionFont(headingFont(listBox_->font()));
    listBox_->SetSpacing(ui::TSpecialListBox::kDefaultSpacing);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(8, 6, 8, 0);
    top->addWidget(lblTitle_, 1);
    top->addWidget(btnSteps_, 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 0, 8, 8);
    bottom->addStretch();
    bottom->addWidget(btnClose_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(header_);
    layout->addLayout(top);
    auto* list = new QHBoxLayout;
    list->setContentsMargins(8, 0, 8, 0);
    list->addWidget(listBox_);
    layout->addLayout(list, 1);
    layout->addLayout(bottom);
    setFixedSize(kClientSize);
    setTabOrder(listBox_, btnSteps_);
    setTabOrder(btnSteps_, btnClose_);

    connect(btnSteps_, &QPushButton::clicked, this, &TSteps::btnStepsClick);
    connect(btnClose_, &QPushButton::clicked, this, &TSteps::btnCloseClick);
}

void TSteps::Clear() { listBox_->Clear(); }

void TSteps::AddStep(const QString& heading, const QString& text) {
    listBox_->AddRow(heading, text);
}

void TSteps::SetTitle(const QString& title) { lblTitle_->setText(title); }

void TSteps::PlaceBeside(const QRect& mainFrame) {
    tag_ = 0;
    move(mainFrame.left() + mainFrame.width() - width() - kMainRightMargin,
         mainFrame.top() + kMainTopOffset);
}

void TSteps::ToggleFromMainWindow(const QRect& mainFrame) {
    if (isVisible()) {
        hide();
    } else {
        PlaceBeside(mainFrame);
        show();
        raise();
    }
    btnStepsClick();
}

void TSteps::btnStepsClick() {
    const int was = tag_;
    tag_ = 1 - tag_;
    if (was == 1) hide();
}

// A close button that leaves the window open would be a fault: whatever the
// tag says, the window goes (and the tag is left as a hidden window wants it).
void TSteps::btnCloseClick() {
    btnStepsClick();
    if (isVisible()) {
        hide();
        tag_ = 0;
    }
}

void TSteps::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        btnCloseClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zentrix::engine::aids
