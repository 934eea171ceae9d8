#pragma once

#include <QTextEdit>

namespace zentrix::simulation::panel {

// A multi-line text field of a simulation frame: plain text, word wrap off
// unless asked for, and neither Enter nor Tab typed as text (Tab moves the
// focus, Enter goes to the panel's key handling).
class TEditWW : public QTextEdit {
    Q_OBJECT
public:
    explicit TEditWW(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    // Sets the text without counting as a change by the user.
    void setTextQuietly(const QString& text);
    void setAlignment(Qt::Alignment alignment);
    void setWordWrap(bool wrap);
    void setBorder(bool border);
    void moveCaretToEnd();

signals:
    // The text was changed by the user, not by setTextQuietly().
    void textEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool quiet_ = false;
};

}  // namespace zentrix::simulation::panel
