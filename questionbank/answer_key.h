#pragma once

// Which answer choices of a question are right, decoded from the question's
// type, its stored key and its number of answer rows. The test screen, the
// study guide and the authors' tool all read keys through this one class.
//
//   type 0 (true/false): key "TRUE" (with case, right blanks removed) makes
//                        choice 1 right, any other key choice 2;
//   type 1 (single):     the decimal number of the right choice;
//   type 3 (simulation): no key; the simulation decides;
//   type 5 (multiple):   a decimal bit mask, bit k-1 set when choice k is right.
// A choice above the question's answer-row count is never right.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/status.h"

namespace zentrix::questionbank {

class AnswerKey {
public:
    // Fails for a type-1 or type-5 key that is not a decimal number and for an
    // unknown question type; the message quotes the key.
    static xbase::Result<AnswerKey> decode(int type, std::string_view key, int answerCount);

    // Key texts for the stored ANSWER field.
    static std::string encodeTrueFalse(bool trueIsRight);
    static std::string encodeSingle(int choice);
    // Choices are 1-based; fails for a choice outside 1..16.
    static xbase::Result<std::string> encodeMultiple(const std::vector<int>& choices);

    int type() const { return type_; }
    int choiceCount() const { return choiceCount_; }
    // Choice numbers are 1-based; anything outside 1..choiceCount() is not right.
    bool isRight(int choice) const;
    std::vector<int> rightChoices() const;

    // The most choices a multiple-choice key can describe in five digits.
    static constexpr int kMaxChoices = 16;

private:
    int type_ = 0;
    int choiceCount_ = 0;
    uint64_t rightMask_ = 0;  // bit k-1 for choice k
};

}  // namespace zentrix::questionbank
