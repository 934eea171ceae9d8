#include "ui/section_list_box.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>

namespace zentrix::ui {
namespace {

class SectionRowDelegate : public QStyledItemDelegate {
public:
    explicit SectionRowDelegate(TSpecialListBox& list) : QStyledItemDelegate(&list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const int width = list_.viewport()->width();
        return {width, list_.MeasureRow(index.row(), width)};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        painter->save();
        painter->fillRect(option.rect, list_.palette().color(QPalette::Base));
        painter->setPen(list_.palette().color(QPalette::Text));
        painter->setFont(list_.SectionFont());
        const auto& headings = list_.RowHeadings();
        if (row >= 0 && row < static_cast<int>(headings.size()))
            painter->drawText(list_.HeadingRect(row, option.rect),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              headings[static_cast<std::size_t>(row)].heading);
        painter->setFont(list_.font());
        painter->drawText(list_.TextRect(row, option.rect),
                          Qt::AlignLeft | Qt::AlignTop | TSpecialListBox::kTextFlags,
                          list_.RowText(row));
        // Keyboard users see which row is current.
        if ((option.state & QStyle::State_HasFocus) != 0) {
            QPen pen(list_.palette().color(QPalette::Highlight), 1, Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    TSpecialListBox& list_;
};

}  // namespace

TSpecialListBox::TSpecialListBox(QWidget* parent) : QListWidget(parent) {
    sectionFont_ = font();
    sectionFont_.setBold(true);
    setItemDelegate(new SectionRowDelegate(*this));
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(false);
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TSpecialListBox::AddRow(const QString& heading, const QString& text, int kind) {
    headings_.push_back({heading, kind});
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::AccessibleTextRole, heading + text);
}

void TSpecialListBox::Clear() {
    clear();
    headings_.clear();
}

QString TSpecialListBox::RowText(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry == nullptr ? QString() : entry->text();
}

void TSpecialListBox::SetSectionFont(const QFont& font) {
    sectionFont_ = font;
    doItemsLayout();
}

void TSpecialListBox::SetSpacing(int spacing) {
    spacing_ = spacing;
    doItemsLayout();
}

// The heading is drawn in the section font, so it is measured in it too: a
// bold heading measured in the list font would run into its text.
int TSpecialListBox::headingWidth(int row) const {
    if (row < 0 || row >= static_cast<int>(headings_.size())) return 0;
    const RowHeading& heading = headings_[static_cast<std::size_t>(row)];
    if (heading.kind != kHeadingRow) return 0;
    return QFontMetrics(sectionFont_).horizontalAdvance(heading.heading);
}

QRect TSpecialListBox::TextRect(int row, const QRect& rowRect) const {
    QRect rect = rowRect;
    rect.setLeft(rect.left() + headingWidth(row) + spacing_);
    rect.setRight(rect.right() - kRightMargin);
    return rect;
}

QRect TSpecialListBox::HeadingRect(int row, const QRect& rowRect) const {
    QRect rect = rowRect;
    rect.setWidth(headingWidth(row) + spacing_);
    return rect;
}

int TSpecialListBox::MeasureRow(int row, int width) const {
    const QFontMetrics metrics(font());
    int addition = 0;
    if (row >= 0 && row < static_cast<int>(headings_.size())) {
        const RowHeading& heading = headings_[static_cast<std::size_t>(row)];
        if (heading.kind == kHeadingRow && !heading.heading.isEmpty())
            addition = metrics.boundingRect(QLatin1Char('A')).height();
    }
    const QRect text = TextRect(row, QRect(0, 0, width, 10));
    const QRect measured =
        metrics.boundingRect(QRect(0, 0, std::max(1, text.width()), 10), kTextFlags, RowText(row));
    return measured.height() + addition;
}

void TSpecialListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) doItemsLayout();
}

}  // namespace zentrix::ui
