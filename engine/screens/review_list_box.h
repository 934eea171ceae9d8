#pragma once

// The review list: one row per item, flowing down three columns, each row
// 16 pixels high in black 12-pixel Arial on white, without a border. Before
// the text a row shows the "marked" sign (12 by 12, 1 pixel from the left,
// 2 down) and, for a wrong answer whose correctness may be shown, the "wrong"
// sign at 15 pixels; the text starts at 29.

#include <QListWidget>
#include <QPixmap>
#include <vector>

#include "engine/attempt/review_list.h"

namespace zentrix::engine {

class ReviewListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 16;
    static constexpr int kColumns = 3;
    static constexpr int kPictureSize = 12;
    static constexpr int kFlagsRole = Qt::UserRole + 1;

    explicit ReviewListBox(QWidget* parent = nullptr);

    void Fill(const std::vector<ReviewRow>& rows);
    int Flags(int row) const;

    // Picture 0 the wrong sign, picture 1 the marked sign.
    const QPixmap& WrongPicture() const { return wrong_; }
    const QPixmap& MarkedPicture() const { return marked_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap wrong_;
    QPixmap marked_;
};

}  // namespace zentrix::engine
