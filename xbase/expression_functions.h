#pragma once

// The value-level helpers behind key and filter expressions: FoxPro's STR
// and VAL, and dates as Julian day numbers. Text case is Windows-1252's
// (base/windows1252.h), trimming removes blanks (base/ascii_text.h).

#include <string>
#include <string_view>

namespace zentrix::xbase::expr {

// STR(value, length, decimals): rounded half away from zero, right-aligned;
// decimals give way when the number is too wide, then the field fills with '*'.
std::string formatNumber(double value, int length, int decimals);
// VAL(text): the leading number of the text, 0 when there is none.
double parseNumber(std::string_view text);

// "YYYYMMDD" to a Julian day number; 0 for a blank or impossible date.
double julianDayFromText(std::string_view yyyymmdd);
// Julian day number to "YYYYMMDD"; eight blanks for 0 (the empty date).
std::string textFromJulianDay(double julianDay);

}  // namespace zentrix::xbase::expr
