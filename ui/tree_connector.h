#pragma once

// Which connecting line a tree row draws in each indentation column, from the
// status bytes the catalogue gives per level: 1 first of several siblings,
// 2 a middle one, 3 the last (or only child), 0 the only course. Columns
// above the row's own level carry the status of its ancestors as passed
// down: 2 means the ancestor has later siblings (a line passes through),
// 0 means it has none.

#include <array>
#include <cstdint>
#include <vector>

namespace zentrix::ui {

enum class Connector {
    None,    // nothing drawn
    Pass,    // vertical line through the whole row
    First,   // from the middle down, with a branch to the title
    Middle,  // through the whole row, with a branch
    Last,    // from the top to the middle, with a branch
    Stub,    // the branch alone
};

// One Connector per column 0..level. `separator` marks a row without a
// title, which only lets the lines of the level above pass.
std::vector<Connector> ConnectorsForRow(int level, const std::array<uint8_t, 3>& status,
                                        bool separator);

}  // namespace zentrix::ui
