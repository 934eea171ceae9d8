#pragma once

#include <QLineEdit>

namespace zentrix::simulation::panel {

// A one-line text field of a simulation frame. Its characters always show as
// "*", whatever the desktop style would draw for hidden text.
class SingleLineField : public QLineEdit {
    Q_OBJECT
public:
    explicit SingleLineField(QWidget* parent = nullptr);

    void setTextQuietly(const QString& text) { setText(text); }
    void setBorder(bool border) { setFrame(border); }
    void moveCaretToEnd() { end(false); }
};

}  // namespace zentrix::simulation::panel
