#include "ui/rich_text/rtf_tokenizer.h"

#include <algorithm>
#include <limits>

#include "base/ascii_text.h"

namespace zentrix::ui {
namespace {

constexpr qsizetype kMaxWordLetters = 32;

using base::ascii::isDigit;
bool isLetter(char c) { return base::ascii::isAlpha(c); }

}  // namespace

RtfTokenizer::Token RtfTokenizer::next() {
    Token token;
    while (position_ < input_.size()) {
        const char c = input_[position_];
        if (c == '{') {
            ++position_;
            token.kind = Kind::GroupStart;
            return token;
        }
        if (c == '}') {
            ++position_;
            token.kind = Kind::GroupEnd;
            return token;
        }
        if (c == '\\') return controlWord();
        // Line breaks in the source carry no meaning; NUL bytes are noise.
        if (c == '\r' || c == '\n' || c == '\0') {
            ++position_;
            continue;
        }
        const qsizetype start = position_;
        while (position_ < input_.size()) {
            const char d = input_[position_];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n' || d == '\0') break;
            ++position_;
        }
        token.kind = Kind::Text;
        token.word = input_.sliced(start, position_ - start);
        return token;
    }
    return token;
}

RtfTokenizer::Token RtfTokenizer::controlWord() {
    Token token;
    ++position_;                                   // the backslash
    if (position_ >= input_.size()) return token;  // a lone backslash at the end
    const char first = input_[position_];
    if (!isLetter(first)) {
        ++position_;
        if (first == '\'') {
            int high =
                position_ < input_.size() ? base::ascii::hexDigitValue(input_[position_]) : -1;
            int low = position_ + 1 < input_.size()
                          ? base::ascii::hexDigitValue(input_[position_ + 1])
                          : -1;
            if (high < 0 || low < 0) {
                // Truncated or bad hex: skip what hex digit there is and show nothing.
                if (high >= 0) ++position_;
                return next();
            }
            position_ += 2;
            token.kind = Kind::HexByte;
            token.byte = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        token.kind = Kind::ControlSymbol;
        // A backslash before a line break is a paragraph mark.
        token.symbol = (first == '\r' || first == '\n') ? '\n' : first;
        return token;
    }
    const qsizetype start = position_;
    while (position_ < input_.size() && isLetter(input_[position_])) ++position_;
    token.kind = Kind::ControlWord;
    token.word = input_.sliced(start, std::min(position_ - start, kMaxWordLetters));

    bool negative = false;
    if (position_ < input_.size() && input_[position_] == '-' && position_ + 1 < input_.size() &&
        isDigit(input_[position_ + 1])) {
        negative = true;
        ++position_;
    }
    if (position_ < input_.size() && isDigit(input_[position_])) {
        std::int64_t value = 0;
        while (position_ < input_.size() && isDigit(input_[position_])) {
            if (value <= std::numeric_limits<std::int32_t>::max())
                value = value * 10 + (input_[position_] - '0');
            ++position_;
        }
        if (negative) value = -value;
        value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max());
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(value);
    }
    // One space ends the word and belongs to it.
    if (position_ < input_.size() && input_[position_] == ' ') ++position_;

    if (token.word == "bin") {
        const qsizetype length = token.hasParameter && token.parameter > 0 ? token.parameter : 0;
        const qsizetype available = std::min(length, input_.size() - position_);
        token.kind = Kind::Binary;
        token.word = input_.sliced(position_, available);
        position_ += available;
    }
    return token;
}

}  // namespace zentrix::ui
