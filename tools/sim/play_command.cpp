#include "tools/sim/play_command.h"

#include <QApplication>
#include <cstdio>

#include "simulation/panel/message_box_services.h"
#include "tools/sim/simulation_play_window.h"

namespace zentrix::tools {

namespace {

constexpr int kCannotPlay = 2;
constexpr int kIncorrect = 3;
constexpr int kNoOutcome = 4;

// An author at the command line reads why a file cannot be played there.
class StandardErrorReporter : public simulation::ErrorReporter {
public:
    void reportError(const QString& text) override {
        std::fprintf(stderr, "zentrix-sim: %s\n", text.toLocal8Bit().constData());
    }
};

}  // namespace

int playCommand(int argc, char** argv, const std::string& file, bool testMode) {
    QApplication application(argc, argv);
    simulation::panel::MessageBoxQuestions questions;
    StandardErrorReporter errors;
    SimulationPlayWindow window(questions, errors, testMode);
    window.onOutcome = [](const QString& text) {
        std::printf("%s\n", text.toUtf8().constData());
        std::fflush(stdout);
    };
    if (!window.open(QString::fromLocal8Bit(file.c_str()))) {
        return kCannotPlay;
    }
    window.show();
    application.exec();
    if (window.lastOutcome() == 0) return kNoOutcome;
    return window.lastOutcome() > 0 ? 0 : kIncorrect;
}

}  // namespace zentrix::tools
