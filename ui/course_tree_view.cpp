#include "ui/course_tree_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/tree_connector.h"

namespace zentrix::ui {
namespace {

constexpr int kLeftMargin = 4;

int leadingBlanks(const QString& text) {
    int count = 0;
    while (count < text.size() && text[count] == QLatin1Char(' ')) ++count;
    return count;
}

}  // namespace

CourseTreeView::CourseTreeView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    viewport()->setAutoFillBackground(true);
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(colours);
    verticalScrollBar()->setSingleStep(1);
}

void CourseTreeView::clear() {
    items_.clear();
    shown_.clear();
    current_ = -1;
    updateScrollBars();
    viewport()->update();
}

void CourseTreeView::addItem(const QString& text) { addItems(QStringList{text}); }

void CourseTreeView::addItems(const QStringList& texts) {
    items_.reserve(items_.size() + texts.size());
    for (const QString& text : texts) {
        Item item;
        item.text = text;
        item.level = std::min(leadingBlanks(text), 2);
        items_.push_back(item);
    }
    recomputeHidden();
    viewport()->update();
}

QString CourseTreeView::itemText(int item) const {
    return item >= 0 && item < itemCount() ? items_[item].text : QString();
}

QString CourseTreeView::itemTitle(int item) const { return itemText(item).trimmed(); }

int CourseTreeView::itemLevel(int item) const {
    return item >= 0 && item < itemCount() ? items_[item].level : 0;
}

void CourseTreeView::setStyleProvider(StyleProvider provider) {
    provider_ = std::move(provider);
    viewport()->update();
}

CourseTreeRowStyle CourseTreeView::styleOf(int item) const {
    if (!provider_ || item < 0 || item >= itemCount()) return {};
    return provider_(item);
}

void CourseTreeView::setTextColumnWidth(int width) {
    textColumnWidth_ = std::max(0, width);
    updateScrollBars();
    viewport()->update();
}

void CourseTreeView::setCurrentItem(int item) {
    if (item < -1 || item >= itemCount()) return;
    current_ = item;
    if (item >= 0 && items_[item].hidden) {
        // Selecting a folded-away row opens its course.
        for (int up = item; up >= 0; --up) {
            if (items_[up].level < items_[item].level && items_[up].folded) {
                items_[up].folded = false;
            }
            if (items_[up].level == 0) break;
        }
        recomputeHidden();
    }
    if (item >= 0) ensureVisible(item);
    viewport()->update();
}

bool CourseTreeView::canFold(int item) const {
    return item >= 0 && item + 1 < itemCount() && items_[item + 1].level > items_[item].level;
}

bool CourseTreeView::isFolded(int item) const {
    return item >= 0 && item < itemCount() && items_[item].folded;
}

void CourseTreeView::toggleFold(int item) {
    if (!canFold(item)) return;
    items_[item].folded = !items_[item].folded;
    recomputeHidden();
    // The selection never stays on a row that folded away.
    if (current_ >= 0 && items_[current_].hidden) current_ = item;
    viewport()->update();
}

bool CourseTreeView::isItemShown(int item) const {
    return item >= 0 && item < itemCount() && !items_[item].hidden;
}

std::vector<int> CourseTreeView::shownItems() const { return shown_; }

void CourseTreeView::refreshVisibleRows() { viewport()->update(); }

int CourseTreeView::itemAt(const QPoint& viewportPos) const {
    if (viewportPos.y() < 0) return -1;
    const int position = verticalScrollBar()->value() + viewportPos.y() / kRowHeight;
    return position < static_cast<int>(shown_.size()) ? shown_[position] : -1;
}

void CourseTreeView::recomputeHidden() {
    shown_.clear();
    int foldedLevel = -1;  // level of the folded item whose children are skipped
    for (int i = 0; i < itemCount(); ++i) {
        Item& item = items_[i];
        if (foldedLevel >= 0 && item.level > foldedLevel) {
            item.hidden = true;
            continue;
        }
        foldedLevel = -1;
        item.hidden = false;
        shown_.push_back(i);
        if (item.folded) foldedLevel = item.level;
    }
    updateScrollBars();
}

void CourseTreeView::updateScrollBars() {
    const int rowsInView = std::max(1, viewport()->height() / kRowHeight);
    verticalScrollBar()->setPageStep(rowsInView);
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(shown_.size()) - rowsInView));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, textColumnWidth_ - viewport()->width()));
}

int CourseTreeView::shownPosition(int item) const {
    const auto found = std::find(shown_.begin(), shown_.end(), item);
    return found == shown_.end() ? -1 : static_cast<int>(found - shown_.begin());
}

void CourseTreeView::ensureVisible(int item) {
    const int position = shownPosition(item);
    if (position < 0) return;
    QScrollBar* bar = verticalScrollBar();
    if (position < bar->value()) {
        bar->setValue(position);
    } else if (position >= bar->value() + bar->pageStep()) {
        bar->setValue(position - bar->pageStep() + 1);
    }
}

void CourseTreeView::moveCurrentBy(int steps) {
    if (shown_.empty()) return;
    const int from =
        current_ < 0 ? (steps > 0 ? -1 : static_cast<int>(shown_.size())) : shownPosition(current_);
    const int to = std::clamp(from + steps, 0, static_cast<int>(shown_.size()) - 1);
    setCurrentItem(shown_[to]);
}

void CourseTreeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int first = verticalScrollBar()->value();
    const int xOffset = -horizontalScrollBar()->value();
    const int rows = viewport()->height() / kRowHeight + 1;
    for (int r = 0; r < rows && first + r < static_cast<int>(shown_.size()); ++r) {
        const int item = shown_[first + r];
        const QRect row(xOffset, r * kRowHeight, std::max(textColumnWidth_, viewport()->width()),
                        kRowHeight);
        const CourseTreeRowStyle style = styleOf(item);
        if (item == current_) {
            painter.fillRect(row, hasFocus() ? QColor(200, 216, 236) : QColor(222, 228, 236));
        }
        paintConnectors(painter, item, row, style);
        const CourseTreeFont& font = fonts_.font(style.fontNumber);
        painter.setFont(font.font);
        painter.setPen(font.color);
        const int textLeft = row.left() + kLeftMargin + (items_[item].level + 1) * kIndentWidth + 2;
        painter.drawText(QRect(textLeft, row.top(), row.right() - textLeft, row.height()),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, itemTitle(item));
    }
}

void CourseTreeView::paintConnectors(QPainter& painter, int item, const QRect& row,
                                     const CourseTreeRowStyle& style) const {
    const bool separator = itemTitle(item).isEmpty();
    const std::vector<Connector> columns =
        ConnectorsForRow(items_[item].level, style.status, separator);
    painter.setPen(QPen(QColor(140, 150, 170), 1));
    const int middle = row.top() + row.height() / 2;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const int x = row.left() + kLeftMargin + c * kIndentWidth + kIndentWidth / 2;
        switch (columns[c]) {
            case Connector::None:
                break;
            case Connector::Pass:
                painter.drawLine(x, row.top(), x, row.bottom());
                break;
            case Connector::First:
                painter.drawLine(x, middle, x, row.bottom());
                break;
            case Connector::Middle:
                painter.drawLine(x, row.top(), x, row.bottom());
                break;
            case Connector::Last:
                painter.drawLine(x, row.top(), x, middle);
                break;
            case Connector::Stub:
                break;
        }
        const bool branch = columns[c] == Connector::First || columns[c] == Connector::Middle ||
                            columns[c] == Connector::Last || columns[c] == Connector::Stub;
        if (branch) painter.drawLine(x, middle, x + kIndentWidth / 2 + 2, middle);
    }
    if (canFold(item)) {
        // A small box with a plus or minus marks a course that folds.
        const int x =
            row.left() + kLeftMargin + items_[item].level * kIndentWidth + kIndentWidth / 2;
        const QRect box(x - 4, middle - 4, 8, 8);
        painter.fillRect(box, Qt::white);
        painter.drawRect(box);
        painter.drawLine(box.left() + 2, middle, box.right() - 2, middle);
        if (items_[item].folded) painter.drawLine(x, box.top() + 2, x, box.bottom() - 2);
    }
}

void CourseTreeView::mousePressEvent(QMouseEvent* event) {
    const int item = itemAt(event->position().toPoint());
    if (item < 0) return;
    setCurrentItem(item);
    refreshVisibleRows();
    emit itemClicked(item);
}

void CourseTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int item = itemAt(event->position().toPoint());
    if (item < 0) return;
    setCurrentItem(item);
    emit itemActivated(item);
}

void CourseTreeView::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, verticalScrollBar()->pageStep());
    switch (event->key()) {
        case Qt::Key_Up:
            moveCurrentBy(-1);
            break;
        case Qt::Key_Down:
            moveCurrentBy(1);
            break;
        case Qt::Key_PageUp:
            moveCurrentBy(-page);
            break;
        case Qt::Key_PageDown:
            moveCurrentBy(page);
            break;
        case Qt::Key_Home:
            moveCurrentBy(-itemCount());
            break;
        case Qt::Key_End:
            moveCurrentBy(itemCount());
            break;
        case Qt::Key_Left:
        case Qt::Key_Minus:
            if (canFold(current_) && !isFolded(current_)) toggleFold(current_);
            break;
        case Qt::Key_Right:
        case Qt::Key_Plus:
            if (isFolded(current_)) toggleFold(current_);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (itemCount() > 0) emit itemActivated(current_ < 0 ? 0 : current_);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CourseTreeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CourseTreeView::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace zentrix::ui
