#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace zentrix::ui {

// Splits rich text into its tokens: group braces, control words with their
// optional numeric parameter, control symbols, hexadecimal bytes (\'hh),
// binary runs (\binN) and runs of plain text. Every token is bounded: a control
// word keeps at most 32 letters, a parameter is clamped to the 32-bit range,
// and a binary run never reaches past the end of the input.
class RtfTokenizer {
public:
    enum class Kind {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,
        ControlSymbol,
        HexByte,
        Binary,
        Text
    };

    struct Token {
        Kind kind = Kind::End;
        QByteArrayView word;  // ControlWord: its letters; Binary, Text: the bytes
        bool hasParameter = false;
        std::int32_t parameter = 0;
        char symbol = 0;         // ControlSymbol
        unsigned char byte = 0;  // HexByte
    };

    explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

    Token next();
    bool atEnd() const { return position_ >= input_.size(); }
    qsizetype position() const { return position_; }

private:
    Token controlWord();

    QByteArrayView input_;
    qsizetype position_ = 0;
};

}  // namespace zentrix::ui
