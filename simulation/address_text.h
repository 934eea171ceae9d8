#pragma once

#include <QString>
#include <optional>

namespace zentrix::simulation {

// The text of a dotted address field: four groups of three characters at
// positions 1, 5, 9 and 13 with dots between them, an empty position being a
// space ("10 .0  .0  .1  ").
class AddressText {
public:
    static constexpr int kLength = 15;
    static constexpr int kGroupLength = 3;
    static constexpr const char* kEmpty = "   .   .   .   ";

    // The field read before anything was typed: the full mask form, and the
    // forms with the blanks or the trailing group left out.
    static bool isEmpty(const QString& text);

    // The address without its blanks, for comparing with an expected answer
    // that may be written either way ("10.0.0.1" or "10 .0  .0  .1  ").
    static QString withoutBlanks(const QString& text);

    // Groups of 256 or more become "255" (a group that is not a number counts
    // as 0). Empty when no group had to change.
    static std::optional<QString> correctedOctets(const QString& text);

    // Where Tab moves the caret from column c (1-based): the start of the next
    // group from within the first three; none from the last group or a dot,
    // where Tab leaves the field.
    static std::optional<int> tabTarget(int column);
};

}  // namespace zentrix::simulation
