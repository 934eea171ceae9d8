// Key and filter expressions evaluated against raw records, and the keys
// their values become.

#include "xbase/expression.h"

#include <gtest/gtest.h>

#include <cstring>

#include "xbase/expression_functions.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase::testing {
namespace {

FieldDescriptor field(const char* name, FieldType type, int length, int decimals, int offset) {
    FieldDescriptor f;
    f.name = name;
    f.type = type;
    f.length = length;
    f.decimals = decimals;
    f.offset = offset;
    return f;
}

// One record holding a field of each kind the evaluator reads.
struct Record {
    std::vector<FieldDescriptor> fields = {
        field("NAME", FieldType::Character, 10, 0, 1),
        field("NUM", FieldType::Numeric, 6, 2, 11),
        field("BLANKN", FieldType::Numeric, 4, 0, 17),
        field("COUNT", FieldType::Integer, 4, 0, 21),
        field("BORN", FieldType::Date, 8, 0, 25),
        field("OK", FieldType::Logical, 1, 0, 33),
        field("RATE", FieldType::Double, 8, 0, 34),
        field("PRICE", FieldType::Currency, 8, 0, 42),
        field("SEEN", FieldType::DateTime, 8, 0, 50),
        field("RECID", FieldType::Numeric, 10, 0, 58),
        field("NOTES", FieldType::Memo, 10, 0, 68),
        field("CITY", FieldType::Character, 8, 0, 78),
    };
    std::string bytes;

    Record() {
        bytes = std::string(86, ' ');
        place(1, "  Zo\xEB abc");  // NAME: leading blanks, Windows-1252 e-diaeresis
        place(11, " -3.50");       // NUM
        place(17, "    ");         // BLANKN
        putLittle(21, static_cast<uint32_t>(-42), 4);
        place(25, "20240229");  // BORN
        place(33, "T");         // OK
        const double rate = 2.675;
        std::memcpy(&bytes[34], &rate, 8);
        putLittle(42, 123456, 8);    // PRICE 12.3456
        putLittle(50, 2460370, 4);   // SEEN: 2024-02-29 ...
        putLittle(54, 43200000, 4);  // ... at noon
        place(58, "        17");     // RECID
        place(78, "\xE9vry");        // CITY
    }
    void place(size_t at, std::string_view text) { bytes.replace(at, text.size(), text); }
    void putLittle(size_t at, uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
    }
};

struct TextCase {
    const char* expression;
    const char* result;
    int width;
};

class CharacterExpressionTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CharacterExpressionTest, GivesTextAndWidestWidth) {
    Record record;
    auto compiled = Expression::compile(GetParam().expression, record.fields);
    ASSERT_TRUE(compiled) << compiled.message();
    EXPECT_EQ(compiled->resultKind(), Value::Kind::Character);
    EXPECT_EQ(compiled->evaluate(record.bytes).text, GetParam().result);
    EXPECT_EQ(compiled->resultWidth(), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, CharacterExpressionTest,
    ::testing::Values(
        TextCase{"NAME", "  Zo\xEB abc ", 10},
        TextCase{"upper(name)",
                 "  ZO\xCB"
                 " ABC ",
                 10},
        TextCase{"UPPER(CITY)", "\xC9VRY    ", 8}, TextCase{"LOWER(NAME)", "  zo\xEB abc ", 10},
        TextCase{"ALLTRIM(NAME)", "Zo\xEB abc", 10}, TextCase{"LTRIM(NAME)", "Zo\xEB abc ", 10},
        TextCase{"RTRIM(CITY)", "\xE9vry", 8}, TextCase{"TRIM(CITY)", "\xE9vry", 8},
        TextCase{"CITY + NAME", "\xE9vry      Zo\xEB abc ", 18},
        TextCase{"CITY - NAME", "\xE9vry  Zo\xEB abc     ", 18},
        TextCase{"STR(RECID)", "        17", 10}, TextCase{"ALLTRIM(STR(RECID))", "17", 10},
        TextCase{"STR(NUM, 8, 2)", "   -3.50", 8}, TextCase{"STR(NUM, 3)", " -4", 3},
        TextCase{"STR(RATE, 6, 2)", "  2.68", 6},  // half away from zero despite binary 2.67499..
        TextCase{"STR(RATE, 3, 2)", "2.7", 3},     // decimals give way to the width
        TextCase{"STR(12345, 3)", "***", 3}, TextCase{"STR(-0.4)", "         0", 10},
        TextCase{"SUBSTR(NAME, 3, 3)", "Zo\xEB", 3}, TextCase{"SUBSTR(NAME, 7)", "abc ", 4},
        TextCase{"SUBSTR(NAME, 20, 2)", "", 0}, TextCase{"LEFT(CITY, 2)", "\xE9v", 2},
        TextCase{"RIGHT(NAME, 3)", "bc ", 3}, TextCase{"DTOS(BORN)", "20240229", 8},
        TextCase{"DTOS(SEEN)", "20240229", 8}, TextCase{"DTOS(BORN + 1)", "20240301", 8},
        TextCase{"T->NAME", "  Zo\xEB abc ", 10}, TextCase{"t.city", "\xE9vry    ", 8},
        TextCase{"'a' + \"b\" + [c]", "abc", 3}));

struct ValueCase {
    const char* expression;
    Value::Kind kind;
    double number;  // or the logical value as 0/1
};

class ValueExpressionTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueExpressionTest, GivesTheValue) {
    Record record;
    auto compiled = Expression::compile(GetParam().expression, record.fields);
    ASSERT_TRUE(compiled) << compiled.message();
    ASSERT_EQ(compiled->resultKind(), GetParam().kind);
    const Value value = compiled->evaluate(record.bytes);
    if (GetParam().kind == Value::Kind::Logical) {
        EXPECT_EQ(value.logical, GetParam().number != 0);
    } else {
        EXPECT_DOUBLE_EQ(value.number, GetParam().number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueExpressionTest,
    ::testing::Values(
        ValueCase{"NUM", Value::Kind::Numeric, -3.5}, ValueCase{"BLANKN", Value::Kind::Numeric, 0},
        ValueCase{"COUNT", Value::Kind::Numeric, -42},
        ValueCase{"RATE", Value::Kind::Numeric, 2.675},
        ValueCase{"PRICE", Value::Kind::Numeric, 12.3456},
        ValueCase{"BORN", Value::Kind::Date, 2460370},
        ValueCase{"SEEN", Value::Kind::Date, 2460370.5},
        ValueCase{"VAL('  -12.5xyz')", Value::Kind::Numeric, -12.5},
        ValueCase{"VAL(STR(RECID)) + 1", Value::Kind::Numeric, 18},
        ValueCase{"-NUM", Value::Kind::Numeric, 3.5},
        ValueCase{"BORN - BORN", Value::Kind::Numeric, 0}, ValueCase{"OK", Value::Kind::Logical, 1},
        ValueCase{".NOT. OK", Value::Kind::Logical, 0}, ValueCase{"!OK", Value::Kind::Logical, 0},
        ValueCase{"DELETED()", Value::Kind::Logical, 0},
        ValueCase{".NOT. DELETED()", Value::Kind::Logical, 1},
        ValueCase{"OK.AND.NUM < 0", Value::Kind::Logical, 1},
        ValueCase{"NUM > 0 .OR. .F.", Value::Kind::Logical, 0},
        ValueCase{"CITY = '\xE9v'", Value::Kind::Logical,
                  1},  // a shorter right side matches the start
        ValueCase{"'\xE9v' = CITY", Value::Kind::Logical, 0},
        ValueCase{"CITY == '\xE9vry'", Value::Kind::Logical, 0},  // exact: the blanks count
        ValueCase{"RTRIM(CITY) == '\xE9vry'", Value::Kind::Logical, 1},
        ValueCase{"CITY <> 'x'", Value::Kind::Logical, 1},
        ValueCase{"CITY # 'x'", Value::Kind::Logical, 1},
        ValueCase{"CITY != '\xE9vry'", Value::Kind::Logical, 0},
        ValueCase{"NAME < CITY", Value::Kind::Logical, 1},
        ValueCase{"NUM >= -3.5", Value::Kind::Logical, 1},
        ValueCase{"NUM <= -4", Value::Kind::Logical, 0},
        ValueCase{"(NUM = -3.5)", Value::Kind::Logical, 1}));

TEST(Dates, TextAndJulianDaysConvertBothWays) {
    const std::pair<const char*, double> dates[] = {{"19960704", 2450269}, {"20000101", 2451545},
                                                    {"20240229", 2460370}, {"20241231", 2460676},
                                                    {"17520914", 2361222}, {"00010101", 1721426}};
    for (const auto& [text, julian] : dates) {
        EXPECT_EQ(expr::julianDayFromText(text), julian) << text;
        EXPECT_EQ(expr::textFromJulianDay(julian), text);
    }
    for (const char* blank : {"        ", "20241301", "2024-1-1", "2024"})
        EXPECT_EQ(expr::julianDayFromText(blank), 0) << blank;
    EXPECT_EQ(expr::textFromJulianDay(0), "        ");
}

TEST(Expression, DeletedReadsTheRecordMark) {
    Record record;
    record.bytes[0] = '*';
    auto compiled = Expression::compile(".NOT. DELETED()", record.fields);
    ASSERT_TRUE(compiled);
    EXPECT_FALSE(compiled->evaluate(record.bytes).logical);
}

TEST(Expression, ShortRecordReadsBlanksNotBeyondIt) {
    Record record;
    auto compiled = Expression::compile("CITY + STR(RECID)", record.fields);
    ASSERT_TRUE(compiled);
    EXPECT_EQ(compiled->evaluate(record.bytes.substr(0, 60)).text,
              std::string(8, ' ') + "         0");
}

struct BadCase {
    const char* expression;
    const char* message;
};

class BadExpressionTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadExpressionTest, NamesTheExpressionAndTheFault) {
    Record record;
    auto compiled = Expression::compile(GetParam().expression, record.fields);
    ASSERT_FALSE(compiled);
    EXPECT_NE(compiled.message().find(std::string("\"") + GetParam().expression + "\""),
              std::string::npos)
        << compiled.message();
    EXPECT_NE(compiled.message().find(GetParam().message), std::string::npos) << compiled.message();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadExpressionTest,
    ::testing::Values(
        BadCase{"NOSUCH", "unknown field \"NOSUCH\""},
        BadCase{"SOUNDEX(NAME)", "unknown function SOUNDEX()"},
        BadCase{"UPPER(NAME", "\",\" or \")\" expected"}, BadCase{"UPPER(NUM)", "wrong type"},
        BadCase{"STR(NUM, 0)", "length must be 1 to 255"}, BadCase{"SUBSTR(NAME)", "takes 2 to 3"},
        BadCase{"NAME + NUM", "cannot add"}, BadCase{"NAME = NUM", "different types"},
        BadCase{"NAME .AND. OK", "needs logical"}, BadCase{"NOTES", "memo field NOTES"},
        BadCase{"'open", "unterminated"}, BadCase{"NAME NAME", "unexpected"},
        BadCase{"", "missing"}, BadCase{"T->", "field name must follow"}));

struct KeyCase {
    const char* expression;
    KeyType type;
    int length;
};

class KeyLayoutTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyLayoutTest, ExpressionGivesKeyTypeAndLength) {
    Record record;
    auto compiled = Expression::compile(GetParam().expression, record.fields);
    ASSERT_TRUE(compiled) << compiled.message();
    EXPECT_EQ(keyTypeFor(compiled.value()), GetParam().type);
    EXPECT_EQ(keyLengthFor(compiled.value()), GetParam().length);
    EXPECT_EQ(
        encodeKey(compiled->evaluate(record.bytes), GetParam().type, GetParam().length).size(),
        static_cast<size_t>(GetParam().length));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyLayoutTest,
                         ::testing::Values(KeyCase{"NAME", KeyType::Character, 10},
                                           KeyCase{"ALLTRIM(STR(RECID))", KeyType::Character, 10},
                                           KeyCase{"NUM", KeyType::Numeric, 8},
                                           KeyCase{"COUNT", KeyType::Integer, 4},
                                           KeyCase{"COUNT + 1", KeyType::Numeric, 8},
                                           KeyCase{"BORN", KeyType::Date, 8},
                                           KeyCase{"OK", KeyType::Logical, 1},
                                           KeyCase{"NAME + DTOS(BORN)", KeyType::Character, 18}));

TEST(KeyEncoding, NumbersSortAsBytes) {
    const double ordered[] = {-1e300, -1000.5, -1, -0.25, 0, 0.25, 1, 2, 1000.5, 1e300};
    for (size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(encodeNumberKey(ordered[i]), encodeNumberKey(ordered[i + 1])) << ordered[i];
        EXPECT_EQ(decodeNumberKey(encodeNumberKey(ordered[i])), ordered[i]);
    }
    EXPECT_EQ(encodeNumberKey(-0.0), encodeNumberKey(0.0));
    EXPECT_EQ(encodeNumberKey(1), std::string("\xBF\xF0\0\0\0\0\0\0", 8));
    EXPECT_LT(encodeIntegerKey(-1), encodeIntegerKey(0));
    EXPECT_LT(encodeIntegerKey(0), encodeIntegerKey(1));
    EXPECT_EQ(encodeIntegerKey(1), std::string("\x80\0\0\x01", 4));
}

}  // namespace
}  // namespace zentrix::xbase::testing
