#include "engine/screens/review_list_box.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QStyledItemDelegate>

namespace zentrix::engine {
namespace {

QPixmap wrongSign() {
    QPixmap picture(ReviewListBox::kPictureSize, ReviewListBox::kPictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(196, 52, 52));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(0.5, 0.5, 11, 11));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.8, 3.8), QPointF(8.2, 8.2));
    p.drawLine(QPointF(8.2, 3.8), QPointF(3.8, 8.2));
    return picture;
}

QPixmap markedSign() {
    QPixmap picture(ReviewListBox::kPictureSize, ReviewListBox::kPictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(52, 66, 79), 1.4));
    p.drawLine(QPointF(2.5, 1), QPointF(2.5, 11.5));
    QPainterPath flag;
    flag.moveTo(3, 1.5);
    flag.lineTo(11, 4);
    flag.lineTo(3, 6.5);
    flag.closeSubpath();
    p.fillPath(flag, QColor(224, 156, 36));
    return picture;
}

class ReviewRowDelegate : public QStyledItemDelegate {
public:
    explicit ReviewRowDelegate(ReviewListBox* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int flags = index.data(ReviewListBox::kFlagsRole).toInt();
        const QRect row = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(row, selected ? QColor(214, 228, 242) : QColor(Qt::white));
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(QColor(58, 92, 126), 1, Qt::DotLine));
            painter->drawRect(row.adjusted(0, 0, -1, -1));
        }
        if (flags & kReviewMarked) {
            painter->drawPixmap(row.left() + 1, row.top() + 2, list_->MarkedPicture());
        }
        if ((flags & kReviewShowsCorrectness) && (flags & kReviewNotCorrect) &&
            !(flags & kReviewIncomplete)) {
            painter->drawPixmap(row.left() + 15, row.top() + 2, list_->WrongPicture());
        }
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        painter->drawText(QRect(row.left() + 29, row.top(), row.width() - 29, row.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(100, ReviewListBox::kRowHeight);
    }

private:
    ReviewListBox* list_;
};

}  // namespace

ReviewListBox::ReviewListBox(QWidget* parent)
    : QListWidget(parent), wrong_(wrongSign()), marked_(markedSign()) {
    setItemDelegate(new ReviewRowDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    setAccessibleName(QStringLiteral("Review list"));
}

void ReviewListBox::Fill(const std::vector<ReviewRow>& rows) {
    clear();
    for (const ReviewRow& row : rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(row.text));
        item->setData(kFlagsRole, row.flags);
        QString spoken = item->text();
        if (row.showsMark()) spoken += QStringLiteral(", marked");
        item->setData(Qt::AccessibleTextRole, spoken);
        addItem(item);
    }
    // Laid out now, not at the next idle moment, so the rows are there to
    // be drawn, clicked or read out at once.
    doItemsLayout();
}

int ReviewListBox::Flags(int row) const {
    const QListWidgetItem* found = item(row);
    return found ? found->data(kFlagsRole).toInt() : 0;
}

void ReviewListBox::resizeEvent(QResizeEvent* event) {
    const int columnWidth = std::max(60, (event->size().width() - 2) / kColumns);
    setGridSize(QSize(columnWidth, kRowHeight));
    QListWidget::resizeEvent(event);
}

}  // namespace zentrix::engine
