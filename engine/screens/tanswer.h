#pragma once

// One answer choice on the test screen: a radio button and a check box (one
// of them shown, by the kind) with the choice's letter as caption, and a
// word-wrapped label with the choice's text beside them. The test screen
// creates these on demand and reuses them for every question; they are never
// freed while the window lives.
//
// The buttons stand at the template's left, 35 by 23; the label 38 pixels to
// the right of it and 1 pixel lower, as wide as the template label, as high
// as its wrapped text needs. A click on the label picks the choice as a click
// on its button would. Screen readers hear "A: <text>" (or the text alone
// when the choices carry no letters).

#include <QFont>
#include <QObject>
#include <QPalette>
#include <QString>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace zentrix::engine {

// What every answer widget copies from the test screen's templates.
struct AnswerTemplate {
    QWidget* parent = nullptr;
    QFont font;
    QPalette palette;
    int left = 8;
    int labelWidth = 513;
};

class TAnswer : public QObject {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 35;
    static constexpr int kButtonHeight = 23;
    static constexpr int kLabelOffset = 38;

    TAnswer(const AnswerTemplate& answerTemplate, const QString& letter);
    ~TAnswer() override;

    void SetTop(int top);
    int Top() const { return top_; }
    void SetText(const QString& text);
    QString Text() const;
    // Records the kind; the matching button shows when the widget is next made visible.
    void SetKind(bool multiple) { multiple_ = multiple; }
    bool Multiple() const { return multiple_; }
    void SetLettered(bool lettered);
    void SetSelected(bool selected);
    bool Selected() const;
    // Shows the label and the button of the current kind, or hides all three.
    void SetVisible(bool visible);
    bool IsVisible() const;
    int LabelHeight() const;
    const QString& Letter() const { return letter_; }

    // The button of the current kind, to focus or click.
    QAbstractButton* Button() const;
    QRadioButton* RadioButton() const { return radio_; }
    QCheckBox* CheckBox() const { return check_; }
    QLabel* Label() const { return label_; }

signals:
    // The learner picked or toggled the choice (mouse or keyboard).
    void picked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateAccessibleNames();

    QRadioButton* radio_;
    QCheckBox* check_;
    QLabel* label_;
    int top_ = 0;
    bool multiple_ = false;
    bool lettered_ = true;
    int labelWidth_;
    QString letter_;
};

}  // namespace zentrix::engine
