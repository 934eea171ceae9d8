#pragma once

// Table text is 8-bit Windows-1252. Tools that write JSON or UTF-8 turn its
// bytes into Unicode code points here.

namespace zentrix::xbase {

// The code point of a Windows-1252 byte. 0x80..0x9F hold the typographic
// characters (the five unassigned bytes keep their C1 control code points);
// the rest of the upper half is Latin-1.
inline unsigned windows1252CodePoint(unsigned char c) {
    static constexpr unsigned short k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return c >= 0x80 && c <= 0x9F ? k80to9F[c - 0x80] : c;
}

}  // namespace zentrix::xbase
