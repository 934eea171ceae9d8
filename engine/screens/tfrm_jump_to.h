#pragma once

// The jump-to dialog "Exam Questions" (576 by 309, centred over the main
// window): one line per item of the attempt, "   n - title". OK, Enter or a
// double-click on a line confirms that line; Close or Escape closes without
// confirming. Made once and kept; the list is filled at each exam start. The
// skin may give it a background picture and pictures for its two buttons.

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QLabel;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class TfrmJumpTo : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 576;
    static constexpr int kHeight = 309;

    explicit TfrmJumpTo(QWidget* parent = nullptr);

    // The lines as the bank gives them (Windows-1252, like the titles in them).
    void Fill(const std::vector<std::string>& lines);
    // Not confirmed, index 0 (before each showing).
    void ResetResult();
    // The line selected when the dialog opens (the item on screen).
    void SelectRow(int row);
    bool Confirmed() const { return confirmed_; }
    int SelectedIndex() const { return index_; }
    // Pictures of the skin; a null picture keeps the built-in look.
    void SetPictures(const QPixmap& background, const QPixmap& ok, const QPixmap& close);
    void CentreOver(const QWidget* window);

    QListWidget* lstboxQuestions() const { return list_; }
    ui::PictureButton* btnOK() const { return ok_; }
    ui::PictureButton* btnClose() const { return close_; }

public slots:
    void btnOKClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* background_;
    QListWidget* list_;
    ui::PictureButton* ok_;
    ui::PictureButton* close_;
    bool confirmed_ = false;
    int index_ = 0;
};

}  // namespace zentrix::engine
