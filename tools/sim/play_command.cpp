#include "tools/sim/play_command.h"

#include <QApplication>
#include <cstdio>

#include "simulation/panel/message_box_services.h"
#include "tools/sim/simulation_play_window.h"

namespace zentrix::tools {

namespace {

constexpr int kUsage = 1;
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

int playCommand(int argc, char** argv, const std::vector<std::string>& args) {
    std::string file;
    bool testMode = false;
    for (const std::string& arg : args) {
        if (arg == "--test-mode") {
            testMode = true;
        } else if (file.empty() && (arg.empty() || arg[0] != '-')) {
            file = arg;
        } else {
            file.clear();
            break;
        }
    }
    if (file.empty()) {
        std::fputs("usage: zentrix-sim play FILE [--test-mode]\n", stderr);
        return kUsage;
    }

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
