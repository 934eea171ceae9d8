#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QStringList>
#include <QTest>
#include <deque>
#include <memory>

#include "manual_timer.h"
#include "simulation/error_reporter.h"
#include "simulation/panel/gif_image.h"
#include "simulation/panel/panel_timer.h"
#include "simulation/panel/sound_output.h"
#include "simulation/panel/tbz_demo_q_engine.h"
#include "simulation/question_service.h"
#include "test_files.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[' << list.join(QStringLiteral("; ")).toStdString() << ']';
}
QT_END_NAMESPACE

namespace zentrix::simulation::panel::testing {

class RecordingQuestions : public QuestionService {
public:
    bool askYesNo(const QString& question) override {
        asked.append(question);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList asked;
    std::deque<bool> answers;
};

class RecordingErrors : public ErrorReporter {
public:
    void reportError(const QString& text) override { errors.append(text); }
    QStringList errors;
};

class RecordingSound : public SoundOutput {
public:
    void play(const QByteArray& wave) override { played.append(wave); }
    void stop() override { ++stops; }
    QList<QByteArray> played;
    int stops = 0;
};

// A panel in a window of its own, with recorded outcomes. Outcomes read
// "correct" or "incorrect at frame n", as the authors' player prints them.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the frames with zentrix-sim and loads the file.
    void load(const QStringList& frames, QSize size = QSize(200, 150),
              const QString& version = QStringLiteral("0x0110"));
    void loadFile(const QString& path);

    GifImage* picture() const { return panel->picture(); }
    void click(QPoint at, Qt::KeyboardModifiers keys = {}, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(QPoint at);
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    // A move with no button held, as the mouse really moves.
    void moveTo(QPoint at);
    // Lets posted events run (the timed advance, queued frame changes).
    static void settle();

    SimulationFiles files;
    RecordingQuestions questions;
    RecordingErrors errors;
    RecordingSound sound;
    ManualTimer* timer = nullptr;
    std::unique_ptr<QWidget> window;
    TBZDemoQEngine* panel = nullptr;
    QStringList outcomes;
};

}  // namespace zentrix::simulation::panel::testing
