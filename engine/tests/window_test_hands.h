#pragma once

// What the whole-attempt tests share: one clock for the attempt's countdown
// and the history's stamps, and the learner's hands on the main window (a
// key typed where the focus is, a click on a control that must be shown).

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "engine/attempt/exam_clock.h"
#include "history/history_clock.h"

namespace zentrix::engine::testing {

class SharedClock final : public ExamClock, public history::Clock {
public:
    TimeOfDayMs Now() const override { return now_; }
    history::LocalDateTime now() const override {
        const long long seconds = now_ / 1000;
        return {2026, 3, day_, int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60)};
    }
    void set(int h, int m, int s = 0) { now_ = TimeOfDay(h, m, s); }
    void advance(int minutes, int seconds = 0) { now_ += TimeOfDay(0, minutes, seconds); }
    void setDay(int dayOfMarch2026) { day_ = dayOfMarch2026; }

private:
    int day_ = 2;
    TimeOfDayMs now_ = TimeOfDay(9, 0);
};

// A key typed where the focus is (on `window` when nothing has it).
inline void TypeKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : window, Qt::Key(key), modifiers);
}

// A click on `control`, which the learner must be able to see.
inline void ClickShown(QWidget* control) {
    ASSERT_TRUE(control->isVisible()) << control->objectName().toStdString();
    QTest::mouseClick(control, Qt::LeftButton);
}

}  // namespace zentrix::engine::testing
