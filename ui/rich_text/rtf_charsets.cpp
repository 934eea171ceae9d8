// Which character a byte of rich text stands for: the Windows code page of a
// font's character set, and the list bullets of Word's symbol fonts.

#include "ui/rich_text/rtf_reader_state.h"

namespace zentrix::ui::rtf_detail {

int codePageOfCharset(int charset) {
    switch (charset) {
        case 0:
            return 1252;
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 255:
            return 437;
        default:
            return 0;
    }
}

std::optional<QChar> symbolCharacter(FontKind kind, unsigned char byte) {
    if (kind == FontKind::Symbol) {
        switch (byte) {
            case 0xB7:
                return QChar(0x2022);
            case 0xA8:
                return QChar(0x2666);
            case 0xD8:
                return QChar(0x00AC);
            case 0xB0:
                return QChar(0x00B0);
            default:
                return std::nullopt;
        }
    }
    if (kind == FontKind::Wingdings) {
        switch (byte) {
            case 0x6C:
                return QChar(0x25CF);
            case 0x6E:
                return QChar(0x25A0);
            case 0x71:
                return QChar(0x2751);
            case 0x76:
                return QChar(0x2756);
            case 0xA7:
                return QChar(0x25AA);
            case 0xD8:
                return QChar(0x27A2);
            case 0xFC:
                return QChar(0x2713);
            default:
                return QChar(0x2022);
        }
    }
    return std::nullopt;
}

}  // namespace zentrix::ui::rtf_detail
