#pragma once

// A flat button that shows a picture when it has one and a caption otherwise,
// with a ring round it while it has the keyboard focus.
// The screens move, show and hide these by name; a skin may replace the
// picture at any time.

#include <QAbstractButton>
#include <QPixmap>

class QPainter;

namespace zentrix::ui {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(const QString& caption, QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintFocus(QPainter& painter) const;

    QPixmap picture_;
    bool hovered_ = false;
};

}  // namespace zentrix::ui
