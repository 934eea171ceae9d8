#include "questionbank/answer_key.h"

#include <algorithm>

#include "base/ascii_text.h"
#include "questionbank/bank_records.h"

namespace zentrix::questionbank {

namespace {

using base::ascii::kBlank;

// Digits only; the stored key is five characters, so a value above the
// ceiling is damage, not a key.
bool parseDecimal(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

}  // namespace

xbase::Result<AnswerKey> AnswerKey::decode(int type, std::string_view key, int answerCount) {
    AnswerKey result;
    result.type_ = type;
    switch (type) {
        case kTrueFalse:
            result.choiceCount_ = 2;
            result.rightMask_ = base::ascii::trimmedRightView(key, kBlank) == "TRUE" ? 1u : 2u;
            return result;
        case kSimulation:
            result.choiceCount_ = std::max(answerCount, 0);
            return result;
        case kSingleChoice:
        case kMultipleChoice: {
            result.choiceCount_ = std::max(answerCount, 0);
            uint64_t value = 0;
            std::string_view digits = base::ascii::trimmedView(key, kBlank);
            if (!parseDecimal(digits, value)) {
                return xbase::Status::error(
                    "answer key \"" + std::string(base::ascii::trimmedRightView(key, kBlank)) +
                    "\" of a " + (type == kSingleChoice ? "single" : "multiple") +
                    "-choice question is not a decimal number");
            }
            const int usable = std::min(result.choiceCount_, 63);
            if (type == kSingleChoice) {
                if (value >= 1 && value <= static_cast<uint64_t>(usable))
                    result.rightMask_ = uint64_t{1} << (value - 1);
            } else {
                const uint64_t inRange = usable >= 64 ? ~uint64_t{0} : (uint64_t{1} << usable) - 1;
                result.rightMask_ = value & inRange;
            }
            return result;
        }
        default:
            return xbase::Status::error("question type " + std::to_string(type) +
                                        " is not one of 0, 1, 3, 5");
    }
}

std::string AnswerKey::encodeTrueFalse(bool trueIsRight) { return trueIsRight ? "TRUE" : "FALSE"; }

std::string AnswerKey::encodeSingle(int choice) { return std::to_string(choice); }

xbase::Result<std::string> AnswerKey::encodeMultiple(const std::vector<int>& choices) {
    uint64_t mask = 0;
    for (int choice : choices) {
        if (choice < 1 || choice > kMaxChoices) {
            return xbase::Status::error("choice " + std::to_string(choice) + " is outside 1.." +
                                        std::to_string(kMaxChoices));
        }
        mask |= uint64_t{1} << (choice - 1);
    }
    return std::to_string(mask);
}

bool AnswerKey::isRight(int choice) const {
    if (choice < 1 || choice > choiceCount_ || choice > 63) return false;
    return (rightMask_ >> (choice - 1)) & 1u;
}

std::vector<int> AnswerKey::rightChoices() const {
    std::vector<int> out;
    for (int k = 1; k <= std::min(choiceCount_, 63); ++k) {
        if (isRight(k)) out.push_back(k);
    }
    return out;
}

}  // namespace zentrix::questionbank
