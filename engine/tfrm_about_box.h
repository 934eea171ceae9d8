#pragma once

// The about box: a borderless picture window with a help and a close
// button. Closing it with the help button gives kHelpRequested.

#include <QDialog>
#include <string>

namespace zentrix::engine {

class TfrmAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpRequested = 2;

    // `picturePath` may name a missing file: the window then shows no picture.
    explicit TfrmAboutBox(const std::string& picturePath, QWidget* parent = nullptr);
    bool hasPicture() const { return hasPicture_; }

private:
    bool hasPicture_ = false;
};

}  // namespace zentrix::engine
