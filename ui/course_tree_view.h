#pragma once

// The indented list of courses and exams. Each item is a text whose leading
// blanks give its level (none for a course, one for an exam, two for a
// question row); the owner names a font and the connector status bytes per
// item through a style provider, asked again whenever rows are repainted.
// A course folds the deeper items below it. The view reports clicks and
// activation (double-click, Enter) by item number; item numbers are the
// order of addItem and do not change when rows fold.

#include <QAbstractScrollArea>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/course_tree_fonts.h"

namespace zentrix::ui {

struct CourseTreeRowStyle {
    int fontNumber = CourseTreeFonts::kLevel1;
    std::array<uint8_t, 3> status{};
};

class CourseTreeView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using StyleProvider = std::function<CourseTreeRowStyle(int item)>;

    static constexpr int kRowHeight = 21;
    static constexpr int kIndentWidth = 16;

    explicit CourseTreeView(QWidget* parent = nullptr);

    void clear();
    void addItem(const QString& text);
    // Adds many items at once; the rows are laid out once at the end.
    void addItems(const QStringList& texts);
    int itemCount() const { return static_cast<int>(items_.size()); }
    QString itemText(int item) const;   // as added, indent included
    QString itemTitle(int item) const;  // without the indent
    int itemLevel(int item) const;

    void setStyleProvider(StyleProvider provider);
    const CourseTreeFonts& fonts() const { return fonts_; }
    CourseTreeRowStyle styleOf(int item) const;

    // Width of the text column; wider than the view scrolls sideways.
    void setTextColumnWidth(int width);
    int textColumnWidth() const { return textColumnWidth_; }

    // -1 when no item is selected.
    int currentItem() const { return current_; }
    void setCurrentItem(int item);

    bool canFold(int item) const;
    bool isFolded(int item) const;
    void toggleFold(int item);
    bool isItemShown(int item) const;
    std::vector<int> shownItems() const;

    // Repaints the rows in view, asking the provider for their styles again.
    void refreshVisibleRows();
    int itemAt(const QPoint& viewportPos) const;

signals:
    void itemClicked(int item);
    void itemActivated(int item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Item {
        QString text;
        int level = 0;
        bool folded = false;
        bool hidden = false;  // inside a folded course
    };

    void recomputeHidden();
    void updateScrollBars();
    void ensureVisible(int item);
    int shownPosition(int item) const;
    void moveCurrentBy(int steps);
    void paintConnectors(QPainter& painter, int item, const QRect& row,
                         const CourseTreeRowStyle& style) const;

    std::vector<Item> items_;
    std::vector<int> shown_;  // item numbers of the rows not folded away
    StyleProvider provider_;
    CourseTreeFonts fonts_;
    int textColumnWidth_ = 0;
    int current_ = -1;
};

}  // namespace zentrix::ui
