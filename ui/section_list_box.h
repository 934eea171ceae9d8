#pragma once

// A list of sections: each row is a heading followed by a word-wrapped text,
// rows as tall as their text needs. Beside the shown row texts the list keeps
// RowHeadings(): for each row its heading and its kind (kHeadingRow for a row
// with a heading; the steps window uses only that kind).
//
// Measuring a row: the width is the list's client width; the heading's width
// (in the section font) is taken off the left and, when the heading is not
// empty, the height of "A" in the list font is added below; the left edge
// moves right by Spacing() and the right edge left by 5 pixels, and the text
// is measured word-wrapped in what is left (tabs expanded, "&" literal). The
// row is the text's height plus that addition. Drawing: the row is filled
// with the list's colour (a selected row keeps the normal text colour), the
// heading is drawn in SectionFont() at the left and the text follows in the
// list font.

#include <QFont>
#include <QListWidget>
#include <QString>
#include <vector>

namespace zentrix::ui {

class TSpecialListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kHeadingRow = 2;
    static constexpr int kDefaultSpacing = 4;
    static constexpr int kRightMargin = 5;

    struct RowHeading {
        QString heading;
        int kind = kHeadingRow;
    };

    explicit TSpecialListBox(QWidget* parent = nullptr);

    void AddRow(const QString& heading, const QString& text, int kind = kHeadingRow);
    void Clear();
    const std::vector<RowHeading>& RowHeadings() const { return headings_; }
    QString RowText(int row) const;

    QFont SectionFont() const { return sectionFont_; }
    void SetSectionFont(const QFont& font);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

    // The height of row `row` when the list's client area is `width` wide.
    int MeasureRow(int row, int width) const;
    // Where row `row` draws its heading and its text, inside `rowRect`.
    QRect HeadingRect(int row, const QRect& rowRect) const;
    QRect TextRect(int row, const QRect& rowRect) const;

    static constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int headingWidth(int row) const;

    QFont sectionFont_;
    int spacing_ = kDefaultSpacing;
    std::vector<RowHeading> headings_;
};

}  // namespace zentrix::ui
