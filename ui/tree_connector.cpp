#include "ui/tree_connector.h"

#include <algorithm>

namespace zentrix::ui {
namespace {

// An ancestor column: a sibling still to come keeps the line going.
Connector passing(uint8_t status) {
    return (status == 1 || status == 2) ? Connector::Pass : Connector::None;
}

Connector own(uint8_t status) {
    switch (status) {
        case 0:
            return Connector::Stub;
        case 1:
            return Connector::First;
        case 2:
            return Connector::Middle;
        case 3:
            return Connector::Last;
        default:
            return Connector::None;
    }
}

}  // namespace

std::vector<Connector> ConnectorsForRow(int level, const std::array<uint8_t, 3>& status,
                                        bool separator) {
    level = std::clamp(level, 0, 2);
    std::vector<Connector> columns;
    for (int column = 0; column < level; ++column) columns.push_back(passing(status[column]));
    columns.push_back(separator ? passing(status[level]) : own(status[level]));
    return columns;
}

}  // namespace zentrix::ui
