#pragma once

// "Exhibit - Click on graphic to close window.": the question's exhibit
// picture (GIF, JPEG or PNG; an animated GIF plays while the window shows
// it), shown modally by the exhibit button after the main window loaded the
// picture. On showing it fits itself to the screen (FitToScreen). A click on
// the picture, Escape, Enter or Space closes it.

#include <QDialog>
#include <QSize>

class QLabel;
class QMovie;
class QScrollArea;

namespace zentrix::engine::aids {

class TExibitForm : public QDialog {
    Q_OBJECT
public:
    explicit TExibitForm(QWidget* owner = nullptr);

    // False, and an empty picture, when the file or bytes hold no picture.
    bool LoadPicture(const QString& path);
    bool LoadPictureData(const QByteArray& bytes);
    void ClearPicture();

    QSize PictureSize() const { return pictureSize_; }
    bool IsAnimated() const { return movie_ != nullptr; }

    // Client size for a screen of `screen`: a picture taller than the screen
    // gets client height screen height - 30 and a vertical scroll bar over the
    // picture's height, else the picture's height and no bar; likewise for the
    // width, with the screen's whole width when the screen is narrower. A bar
    // that is shown adds its thickness to the other side where it fits, so it
    // never covers the picture.
    void FitToScreen(const QSize& screen);

    QLabel* GIFImage1() const { return picture_; }
    QScrollArea* scrollArea() const { return scroll_; }

    static constexpr int kScreenHeightMargin = 30;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* scroll_;
    QLabel* picture_;
    QMovie* movie_ = nullptr;
    QSize pictureSize_;
};

}  // namespace zentrix::engine::aids
