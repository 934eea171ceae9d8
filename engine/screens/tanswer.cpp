#include "engine/screens/tanswer.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace zentrix::engine {
namespace {

// The whole 35 by 23 button takes the click, not only its indicator and
// caption, and shows a ring while it has the focus: true/false choices have
// no caption, round which the style would draw its focus frame.
template <typename Button>
class WholeAreaButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
    void paintEvent(QPaintEvent* event) override {
        Button::paintEvent(event);
        if (!this->hasFocus()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(230, 150, 20), 2));
        painter.drawRoundedRect(QRectF(this->rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
};

}  // namespace

TAnswer::TAnswer(const AnswerTemplate& t, const QString& letter)
    : QObject(t.parent),
      radio_(new WholeAreaButton<QRadioButton>(letter, t.parent)),
      check_(new WholeAreaButton<QCheckBox>(letter, t.parent)),
      label_(new QLabel(t.parent)),
      labelWidth_(t.labelWidth),
      letter_(letter) {
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(radio_), static_cast<QAbstractButton*>(check_)}) {
        button->setFont(t.font);
        button->setPalette(t.palette);
        button->setGeometry(t.left, 0, kButtonWidth, kButtonHeight);
        button->setFocusPolicy(Qt::StrongFocus);
        button->hide();
        connect(button, &QAbstractButton::clicked, this, &TAnswer::picked);
    }
    label_->setFont(t.font);
    label_->setPalette(t.palette);
    label_->setWordWrap(true);
    label_->setAttribute(Qt::WA_TranslucentBackground);
    label_->setTextFormat(Qt::PlainText);
    label_->setGeometry(t.left + kLabelOffset, 1, labelWidth_, kButtonHeight);
    label_->setCursor(Qt::PointingHandCursor);
    label_->installEventFilter(this);
    label_->hide();
}

TAnswer::~TAnswer() = default;

void TAnswer::SetTop(int top) {
    top_ = top;
    radio_->move(radio_->x(), top);
    check_->move(check_->x(), top);
    label_->move(label_->x(), top + 1);
}

void TAnswer::SetText(const QString& text) {
    label_->setText(text);
    label_->resize(labelWidth_, qMax(label_->heightForWidth(labelWidth_), kButtonHeight - 2));
    updateAccessibleNames();
}

QString TAnswer::Text() const { return label_->text(); }

void TAnswer::SetLettered(bool lettered) {
    lettered_ = lettered;
    radio_->setText(lettered ? letter_ : QString());
    check_->setText(lettered ? letter_ : QString());
    updateAccessibleNames();
}

void TAnswer::SetSelected(bool selected) {
    // A checked radio button of an exclusive group refuses to be unchecked.
    const bool exclusive = radio_->autoExclusive();
    radio_->setAutoExclusive(false);
    radio_->setChecked(selected);
    radio_->setAutoExclusive(exclusive);
    check_->setChecked(selected);
}

bool TAnswer::Selected() const { return multiple_ ? check_->isChecked() : radio_->isChecked(); }

void TAnswer::SetVisible(bool visible) {
    label_->setVisible(visible);
    if (visible) {
        Button()->show();
    } else {
        radio_->hide();
        check_->hide();
    }
}

bool TAnswer::IsVisible() const { return !label_->isHidden(); }

int TAnswer::LabelHeight() const { return label_->height(); }

QAbstractButton* TAnswer::Button() const {
    return multiple_ ? static_cast<QAbstractButton*>(check_) : radio_;
}

bool TAnswer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QAbstractButton* button = Button();
        if (button->isVisible()) {
            button->setFocus(Qt::MouseFocusReason);
            button->click();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TAnswer::updateAccessibleNames() {
    const QString text = label_->text();
    const QString name = lettered_ ? letter_ + QStringLiteral(": ") + text : text;
    radio_->setAccessibleName(name);
    check_->setAccessibleName(name);
    label_->setAccessibleName(name);
}

}  // namespace zentrix::engine
