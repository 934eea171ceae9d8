#include "ui/tree_connector.h"

#include <gtest/gtest.h>

namespace zentrix::ui {
namespace {

struct ConnectorCase {
    const char* name;
    int level;
    std::array<uint8_t, 3> status;
    bool separator;
    std::vector<Connector> expected;
};

TEST(TreeConnectorTest, StatusBytesSelectTheLinesOfEachColumn) {
    using C = Connector;
    const ConnectorCase cases[] = {
        {"only course", 0, {0, 0, 0}, false, {C::Stub}},
        {"first of several courses", 0, {1, 0, 0}, false, {C::First}},
        {"middle course", 0, {2, 0, 0}, false, {C::Middle}},
        {"last course", 0, {3, 0, 0}, false, {C::Last}},
        {"exam below a course with later siblings", 1, {2, 1, 0}, false, {C::Pass, C::First}},
        {"exam below the last course", 1, {0, 2, 0}, false, {C::None, C::Middle}},
        {"mixed row closes the course", 1, {2, 3, 0}, false, {C::Pass, C::Last}},
        {"question row", 2, {2, 2, 3}, false, {C::Pass, C::Pass, C::Last}},
        {"separator between courses passes the line", 0, {2, 0, 0}, true, {C::Pass}},
        {"separator after the last course draws nothing", 0, {0, 0, 0}, true, {C::None}},
        {"unknown status draws nothing", 1, {9, 7, 0}, false, {C::None, C::None}},
        {"level beyond the columns is capped", 5, {2, 2, 1}, false, {C::Pass, C::Pass, C::First}},
    };
    for (const ConnectorCase& c : cases) {
        EXPECT_EQ(ConnectorsForRow(c.level, c.status, c.separator), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace zentrix::ui
