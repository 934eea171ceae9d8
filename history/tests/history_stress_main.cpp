// history_stress FOLDER NAME COURSE ATTEMPTS TAG
// Runs ATTEMPTS attempts for one learner and course in FOLDER, each started
// and ended at once, with QTAKEN = TAG * 1000 + attempt number and QRIGHT,
// QTRIED derived from it, so the test can tell whose attempts survived.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "history/tthistory.h"
#include "xbase/engine.h"

using namespace zentrix;

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: history_stress FOLDER NAME COURSE ATTEMPTS TAG\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string name = argv[2];
    const std::string course = argv[3];
    const int attempts = std::atoi(argv[4]);
    const int tag = std::atoi(argv[5]);

    xbase::Engine engine;
    base::RecordingMessageSink messages;
    auto clock =
        std::make_shared<history::FixedClock>(history::LocalDateTime{2026, 12, 10, 10, 0, 0});
    history::TTHistory store(engine, folder, messages, clock);
    if (!store.valid()) {
        std::fprintf(stderr, "history_stress: %s\n", store.lastError().c_str());
        return 1;
    }
    for (int i = 1; i <= attempts; ++i) {
        if (store.KeyIDExists(name, course)) {
            if (!store.OpenHistorySess(0, "", 2, course, name)) {
                std::fprintf(stderr, "history_stress: record vanished\n");
                return 1;
            }
        } else if (store.AddHistorySess(name, course) == 0) {
            std::fprintf(stderr, "history_stress: add failed: %s\n", store.lastError().c_str());
            return 1;
        }
        const int taken = tag * 1000 + i;
        store.StartTest(history::kClosedBook, taken, "EX" + std::to_string(tag));
        store.EndTest(taken % 97, taken % 89);
    }
    return 0;
}
