#include "history_views_fixture.h"

#include <QLocale>

namespace zentrix::history::views::testing {
namespace {

LocalDateTime At(int32_t day, int seconds) {
    const QDate date = QDate(1899, 12, 30).addDays(day);
    return LocalDateTime{date.year(),    date.month(),      date.day(),
                         seconds / 3600, seconds / 60 % 60, seconds % 60};
}

}  // namespace

HistoryViewsTest::HistoryViewsTest() : clock(std::make_shared<FixedClock>(At(46000, 36000))) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    store = std::make_unique<TTHistory>(engine, scratch.path().toStdString() + "/", sink, clock);
    catalogue.courses = {
        {"NET", "Networking Essentials"}, {"LNX", "Linux Administration"}, {"SEC", "Security"}};
    catalogue.exams = {{"NET1", "Cables and Hubs"}, {"NET2", "Switching"}, {"LNX1", "The Shell"}};
}

void HistoryViewsTest::attempt(const std::string& name, const std::string& course, int kind,
                               const std::string& exam, int taken, int right, int tried,
                               int32_t day, int start, int seconds) {
    if (store->KeyIDExists(name, course)) {
        ASSERT_TRUE(store->OpenHistorySess(0, "", 2, course, name));
    } else {
        ASSERT_GT(store->AddHistorySess(name, course), 0);
    }
    clock->set(At(day, start));
    store->StartTest(kind, taken, exam);
    clock->set(At(day, start + seconds));
    store->EndTest(right, tried);
}

std::vector<questionbank::QVSimListInfo> HistoryViewsTest::treeRows() const {
    return {{"NET", "", "Networking Essentials", 0, 0, 0, 0, 0, 0},
            {"NET", "NET1", "Cables and Hubs", 1, 0, 0, 0, 0, 1},
            {"NET", "NET2", "Switching", 1, 0, 0, 0, 0, 2},
            {"NET", "", "Zentrix", 3, 0, 0, 0, 0, 3},
            {"", "", "", 0, 0, 0, 0, 0, 4},
            {"LNX", "", "Linux Administration", 0, 0, 0, 0, 0, 5},
            {"LNX", "LNX1", "The Shell", 1, 0, 0, 0, 0, 6}};
}

}  // namespace zentrix::history::views::testing
