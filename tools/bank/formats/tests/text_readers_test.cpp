// The line formats' readers: GIFT, Aiken and CSV, one rule per case.

#include <gtest/gtest.h>

#include "tools/bank/formats/aiken_reader.h"
#include "tools/bank/formats/csv_reader.h"
#include "tools/bank/formats/gift_reader.h"

namespace zentrix::banktool {
namespace {

using Kind = InterchangeQuestion::Kind;
using Reader = xbase::Result<InterchangeDocument> (*)(std::string_view, const std::string&);

struct Expected {
    Kind kind;
    std::string title, text;
    std::vector<std::string> choices;
    std::vector<int> right;
    std::string hint, reference;
};

struct ReadCase {
    const char* name;
    Reader reader;
    std::string source;
    Expected expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class TextReaders : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextReaders, ReadOneQuestionAsTheRuleSays) {
    const ReadCase& c = GetParam();
    xbase::Result<InterchangeDocument> read = c.reader(c.source, "in");
    ASSERT_TRUE(read.isOk()) << read.message();
    ASSERT_EQ(1, read->questionCount()) << (read->skipped.empty() ? "" : read->skipped[0].line());
    const InterchangeQuestion& q = read->categories[0].questions[0];
    const Expected& e = c.expected;
    EXPECT_EQ(e.kind, q.kind);
    EXPECT_EQ(e.title, q.title);
    EXPECT_EQ(e.text, q.text);
    EXPECT_EQ(e.choices, q.choices);
    EXPECT_EQ(e.right, q.right);
    EXPECT_EQ(e.hint, q.hint);
    EXPECT_EQ(e.reference, q.reference);
}

const Reader gift = &GiftReader::read;
const Reader aiken = &AikenReader::read;
const Reader csv = &CsvReader::read;
const std::string kCsvHead = "type,title,question,choice1,choice2,choice3,correct,hint,reference\n";

INSTANTIATE_TEST_SUITE_P(
    Rules, TextReaders,
    ::testing::Values(
        ReadCase{"GiftOneRightIsSingleChoice",
                 gift,
                 "::Q::Pick {=a ~b ~c}",
                 {Kind::SingleChoice, "Q", "Pick", {"a", "b", "c"}, {1}, "", ""}},
        ReadCase{"GiftTwoRightIsMultipleChoice",
                 gift,
                 "::Q::Pick {=a =b ~c}",
                 {Kind::MultipleChoice, "Q", "Pick", {"a", "b", "c"}, {1, 2}, "", ""}},
        ReadCase{"GiftPositiveWeightsAreRight",
                 gift,
                 "::Q::Pick {~%50%a ~%-100%b ~%50%c}",
                 {Kind::MultipleChoice, "Q", "Pick", {"a", "b", "c"}, {1, 3}, "", ""}},
        ReadCase{"GiftWeightsWithoutEqualsStayMultipleForOneRight",
                 gift,
                 "::Q::Pick {~%100%a ~%-100%b}",
                 {Kind::MultipleChoice, "Q", "Pick", {"a", "b"}, {1}, "", ""}},
        ReadCase{
            "GiftPartialCreditBesideEqualsIsWrong",
            gift,
            "::Q::From {~Jerusalem ~%25%Bethlehem =Nazareth}",
            {Kind::SingleChoice, "Q", "From", {"Jerusalem", "Bethlehem", "Nazareth"}, {3}, "", ""}},
        ReadCase{"GiftTrueWithFeedback",
                 gift,
                 "::Q::Hubs repeat.{TRUE#Wrong, they do.#Yes.}",
                 {Kind::TrueFalse,
                  "Q",
                  "Hubs repeat.",
                  {},
                  {1},
                  "TRUE: Yes.\nFALSE: Wrong, they do.",
                  ""}},
        ReadCase{"GiftShortFalse",
                 gift,
                 "Switches repeat.{F}",
                 {Kind::TrueFalse, "Switches repeat.", "Switches repeat.", {}, {2}, "", ""}},
        ReadCase{"GiftSameFeedbackEverywhereIsTheHint",
                 gift,
                 "::Q::Pick {=a#Look up.~b#Look up.}",
                 {Kind::SingleChoice, "Q", "Pick", {"a", "b"}, {1}, "Look up.", ""}},
        ReadCase{"GiftGeneralFeedbackIsTheReference",
                 gift,
                 "::Q::Pick {=a#Yes ~b####Chapter 3}",
                 {Kind::SingleChoice, "Q", "Pick", {"a", "b"}, {1}, "a: Yes", "Chapter 3"}},
        ReadCase{
            "GiftEscapesAndLineBreaks",
            gift,
            "// a comment\n::A\\:B::Is \\{x\\} C\\:\\\\temp?\\nSay. {=\\~t ~\\=e ~\\#h}",
            {Kind::SingleChoice, "A:B", "Is {x} C:\\temp?\nSay.", {"~t", "=e", "#h"}, {1}, "", ""}},
        ReadCase{"GiftAnswersInsideTheTextAreABlank",
                 gift,
                 "::Q::Port 80 carries {~SSH =HTTP} traffic.",
                 {Kind::SingleChoice,
                  "Q",
                  "Port 80 carries _____ traffic.",
                  {"SSH", "HTTP"},
                  {2},
                  "",
                  ""}},
        ReadCase{"GiftHtmlBecomesPlainText",
                 gift,
                 "::Q::[html]<p>One &amp; two</p><p>Three<br>four</p>{=<b>a</b> ~b}",
                 {Kind::SingleChoice, "Q", "One & two\n\nThree\nfour", {"a", "b"}, {1}, "", ""}},
        ReadCase{"GiftAnswersOverSeveralLines",
                 gift,
                 "::Q::Pick {\n  =a\n  // not an answer\n  ~b\n}",
                 {Kind::SingleChoice, "Q", "Pick", {"a", "b"}, {1}, "", ""}},
        ReadCase{"AikenLettersWithDotOrBracket",
                 aiken,
                 "Which?\nA. one\nB) two\nANSWER: B\n",
                 {Kind::SingleChoice, "Which?", "Which?", {"one", "two"}, {2}, "", ""}},
        ReadCase{
            "AikenSeveralAnswers",
            aiken,
            "Which?\nA. one\nB. two\nC. three\nANSWER: A, C",
            {Kind::MultipleChoice, "Which?", "Which?", {"one", "two", "three"}, {1, 3}, "", ""}},
        ReadCase{"CsvQuotedFieldKeepsSeparatorQuoteAndLineBreak",
                 csv,
                 kCsvHead + "single-choice,T,\"Line one,\r\n\"\"two\"\"\",a,b,,2,,\n",
                 {Kind::SingleChoice, "T", "Line one,\n\"two\"", {"a", "b"}, {2}, "", ""}},
        ReadCase{"CsvTypeToldFromCorrect",
                 csv,
                 kCsvHead + ",T,Pick,a,b,c,\"1;3\",h,r\n",
                 {Kind::MultipleChoice, "T", "Pick", {"a", "b", "c"}, {1, 3}, "h", "r"}},
        ReadCase{"CsvLettersAndTrueFalse",
                 csv,
                 kCsvHead + ",T,Hubs repeat.,,,,TRUE,,\n",
                 {Kind::TrueFalse, "T", "Hubs repeat.", {}, {1}, "", ""}},
        ReadCase{"CsvSemicolonsFromTheHeader",
                 csv,
                 "Type;Title;Text;Choice 1;Choice 2;Correct\nsingle;T;Pick;a, b;c;B\n",
                 {Kind::SingleChoice, "T", "Pick", {"a, b", "c"}, {2}, "", ""}},
        ReadCase{"CsvNoTitleTakesTheText",
                 csv,
                 "question,choice1,choice2,correct\nWhich one?,a,b,1\n",
                 {Kind::SingleChoice, "Which one?", "Which one?", {"a", "b"}, {1}, "", ""}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

struct SkipCase {
    const char* name;
    Reader reader;
    std::string source;
    std::string reason;
    int line = 1;
};

void PrintTo(const SkipCase& c, std::ostream* os) { *os << c.name; }

class SkippedQuestions : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkippedQuestions, AreNamedWithTheReason) {
    const SkipCase& c = GetParam();
    xbase::Result<InterchangeDocument> read = c.reader(c.source, "in");
    ASSERT_TRUE(read.isOk()) << read.message();
    EXPECT_EQ(0, read->questionCount());
    ASSERT_EQ(1u, read->skipped.size());
    EXPECT_EQ("in:" + std::to_string(c.line) + ": skipped \"Q\": " + c.reason,
              read->skipped[0].line());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SkippedQuestions,
    ::testing::Values(
        SkipCase{"ShortAnswer", gift, "::Q::Capital? {=Paris =paris}", "a short-answer question"},
        SkipCase{"Numerical", gift, "::Q::Two? {#2:0}", "a numerical question"},
        SkipCase{"Matching", gift, "::Q::Match {=a -> 1 =b -> 2}", "a matching question"},
        SkipCase{"Essay", gift, "::Q::Write {}", "an essay question"},
        SkipCase{"Description", gift, "::Q::Only words", "a description without answers"},
        SkipCase{"SeventeenChoices", gift,
                 "::Q::Pick {=1 ~2 ~3 ~4 ~5 ~6 ~7 ~8 ~9 ~10 ~11 ~12 ~13 ~14 ~15 ~16 ~17}",
                 "it has 17 choices; a bank question holds at most 16"},
        SkipCase{"NoRightChoice", gift, "::Q::Pick {~%-50%a ~b}", "none of its choices is right"},
        SkipCase{"CsvEssay", csv, "type,title,correct\nessay,Q,\n", "a question of type \"essay\"",
                 2}),
    [](const ::testing::TestParamInfo<SkipCase>& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    Reader reader;
    std::string source;
    std::string message;  // the whole message: file, line, fault
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class DamagedText : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(DamagedText, FailsNamingFileAndLine) {
    const ErrorCase& c = GetParam();
    xbase::Result<InterchangeDocument> read = c.reader(c.source, "in");
    ASSERT_FALSE(read.isOk());
    EXPECT_EQ(c.message, read.message());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedText,
    ::testing::Values(
        ErrorCase{
            "GiftUnterminatedBrace", gift, "::A::x {=a}\n\n::B::Pick {\n=a\n~b\n\n::C::y {T}",
            "in:3: the answers opened with \"{\" are not closed (a question ends at a blank line)"},
        ErrorCase{"GiftUnclosedTitle", gift, "\n::Title without end {=a ~b}",
                  "in:2: the title opened with \"::\" is not closed"},
        ErrorCase{"GiftBadWeight", gift, "::Q::Pick {\n=a\n~%half%b\n}",
                  "in:3: the weight after \"~\" is written %number%, as in ~%50%"},
        ErrorCase{"GiftBraceInsideAnswers", gift, "::Q::Pick {=a {b}",
                  "in:1: a \"{\" inside the answers (write \\{ for a brace in a text)"},
        ErrorCase{"GiftSecondAnswerBlock", gift, "::Q::Pick {=a ~b}\nthen {=c ~d}",
                  "in:2: a question holds one block of answers (write \\{ for a brace in a text)"},
        ErrorCase{"AikenWithoutAnswer", aiken, "Which?\nA. one\nB. two\n",
                  "in:1: the question has no ANSWER line"},
        ErrorCase{"AikenAnswerNamesNoChoice", aiken, "Which?\nA. one\nB. two\nANSWER: D\n",
                  "in:4: the answer \"D\" names no choice of the question"},
        ErrorCase{"AikenBlankLineBeforeAnswer", aiken, "Which?\nA. one\n\nANSWER: A\n",
                  "in:3: a blank line before the ANSWER line of the question on line 1"},
        ErrorCase{"CsvRowWithTooFewFields", csv,
                  kCsvHead + "single-choice,T,Pick,a,b,c,1,,\nsingle-choice,T,Pick,a\n",
                  "in:3: the row has 4 fields but the header names 9 columns"},
        ErrorCase{"CsvUnknownColumn", csv, "type,title,qestion,correct\n",
                  "in:1: unknown column \"qestion\"; the columns are type, title, question, "
                  "choice1..choiceN, correct, "
                  "hint, reference, picture"},
        ErrorCase{"CsvCorrectBeyondTheChoices", csv,
                  kCsvHead + "\n\nsingle-choice,T,Pick,a,b,,3,,\n",
                  "in:4: \"correct\" names choice 3 but the row has 2 choices"},
        ErrorCase{"CsvUnclosedQuote", csv, kCsvHead + "single-choice,T,\"Pick,a,b,,1,,\n",
                  "in:2: a field opened with a quote is never closed"},
        ErrorCase{"CsvGapInTheChoices", csv, kCsvHead + "single-choice,T,Pick,a,,c,1,,\n",
                  "in:2: choice 2 is empty but a later choice is not"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(GiftReader, CategoriesCollectTheirQuestionsInOrder) {
    const std::string source =
        "$CATEGORY: $course$/top/Routing\n\n::A::a {T}\n\n$CATEGORY: Cabling\n::B::b {F}\n\n"
        "$CATEGORY: $course$/top/Routing\n\n::C::c {T}\n";
    xbase::Result<InterchangeDocument> read = GiftReader::read(source, "in");
    ASSERT_TRUE(read.isOk()) << read.message();
    ASSERT_EQ(2u, read->categories.size());
    EXPECT_EQ("$course$/top/Routing", read->categories[0].name);
    ASSERT_EQ(2u, read->categories[0].questions.size());
    EXPECT_EQ("C", read->categories[0].questions[1].title);
    EXPECT_EQ("in:10", read->categories[0].questions[1].where);
    EXPECT_EQ("Cabling", read->categories[1].name);
}

TEST(GiftReader, FirstPictureOfAnHtmlTextIsTheExhibit) {
    xbase::Result<InterchangeDocument> read = GiftReader::read(
        "::Q::[html]Which? <img src=\"pics/a%20b.gif\"><img src=\"c.gif\">{=x ~y}", "in");
    ASSERT_TRUE(read.isOk()) << read.message();
    const InterchangeQuestion& q = read->categories[0].questions[0];
    ASSERT_TRUE(q.picture.has_value());
    EXPECT_EQ("pics/a b.gif", q.picture->name);
    EXPECT_FALSE(q.picture->bytes.has_value()) << "a file beside the source, read by the importer";
    ASSERT_EQ(1u, read->notes.size());
    EXPECT_EQ("in:1: only the first picture is kept; \"c.gif\" is left out", read->notes[0].line());
}

TEST(GiftReader, EscapeIsReadBackAsWritten) {
    const std::string text = "a~b=c#d{e}f:g\\h\ni";
    xbase::Result<InterchangeDocument> read =
        GiftReader::read("::" + GiftReader::escape(text) + "::" + GiftReader::escape(text) +
                             "{=" + GiftReader::escape(text) + " ~x}",
                         "in");
    ASSERT_TRUE(read.isOk()) << read.message();
    const InterchangeQuestion& q = read->categories[0].questions[0];
    EXPECT_EQ(text, q.title);
    EXPECT_EQ(text, q.text);
    EXPECT_EQ(text, q.choices[0]);
}

}  // namespace
}  // namespace zentrix::banktool
