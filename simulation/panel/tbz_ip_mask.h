#pragma once

#include <QLineEdit>

namespace zentrix::simulation::panel {

// A dotted address field: four groups of up to three digits with the dots in
// place ("   .   .   .   " when empty). Tab within one of the first three
// groups moves the caret to the start of the next group; from the last group
// it leaves the field. On leaving, groups above 255 become "255".
class TBZIPMask : public QLineEdit {
    Q_OBJECT
public:
    explicit TBZIPMask(QWidget* parent = nullptr);

    // The text with every position, blanks as spaces: fifteen characters.
    QString addressText() const;
    void clearAddress();
    void correctOctets();

signals:
    void textEditedByUser();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace zentrix::simulation::panel
