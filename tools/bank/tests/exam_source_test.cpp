#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "questionbank/bank_records.h"
#include "tools/bank/exam_source_parser.h"
#include "tools/bank/exam_source_writer.h"

namespace zentrix::banktool {
namespace {

const std::string kHead =
    "[course]\nid = \"C1\"\ntitle = \"Course\"\n\n[exam]\nid = \"E1\"\ntable = \"E1\"\ntitle = "
    "\"Exam\"\n";  // 8 lines

struct ErrorCase {
    const char* name;
    std::string text;
    std::string expected;  // "src.exam:LINE: " and a fragment of the message
};

class SourceErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(SourceErrors, NameFileAndLine) {
    const ErrorCase& c = GetParam();
    xbase::Result<ExamSource> parsed = ExamSourceParser::parse(c.text, "src.exam");
    ASSERT_FALSE(parsed.isOk());
    EXPECT_NE(std::string::npos, parsed.message().find(c.expected)) << parsed.message();
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SourceErrors,
    ::testing::Values(
        ErrorCase{"UnknownKey", kHead + "\n[[question]]\ntype = \"true-false\"\ntitel = \"x\"\n",
                  "src.exam:12: unknown key \"titel\""},
        ErrorCase{
            "MissingCorrect",
            kHead + "\n[[question]]\ntype = \"single-choice\"\ntitle = \"x\"\nchoice = \"a\"\n",
            "src.exam:10: \"correct\" is missing"},
        ErrorCase{"CorrectBeyondChoices",
                  kHead + "\n[[question]]\ntype = \"single-choice\"\ntitle = \"x\"\nchoice = "
                          "\"a\"\ncorrect = 2\n",
                  "src.exam:14: \"correct\" is 2 but the question has 1 choices"},
        ErrorCase{"MultipleChoiceNotAList",
                  kHead + "\n[[question]]\ntype = \"multiple-choice\"\ntitle = \"x\"\nchoice = "
                          "\"a\"\ncorrect = 1\n",
                  "src.exam:14: \"correct\" of a multiple-choice question is a list"},
        ErrorCase{"UnknownType", kHead + "\n[[question]]\ntype = \"essay\"\n",
                  "src.exam:11: type \"essay\""},
        ErrorCase{"UnclosedLongText", kHead + "description = '''\nno end\n",
                  "src.exam:9: text opened with '''"},
        ErrorCase{"UnclosedText", kHead + "description = \"no end\n",
                  "src.exam:9: text opened with \""},
        ErrorCase{"BadEscape", kHead + "description = \"C:\\qtemp\"\n",
                  "src.exam:9: unknown escape \\q"},
        ErrorCase{"DuplicateKey", kHead + "title = \"again\"\n",
                  "src.exam:9: \"title\" is given twice (first on line 8)"},
        ErrorCase{"SingleBracketQuestion", kHead + "[question]\n",
                  "src.exam:9: questions are written [[question]]"},
        ErrorCase{"RowsOnTrueFalse",
                  kHead + "[[question]]\ntype = \"true-false\"\ntitle = \"x\"\nchoice = \"a\"\n",
                  "src.exam:12: a true-false question has no \"choice\""},
        ErrorCase{"StepsOnSingleChoice",
                  kHead + "[[question]]\ntype = \"single-choice\"\ntitle = \"x\"\nstep = \"a\"\n",
                  "src.exam:12: a single-choice question lists its rows as \"choice\""},
        ErrorCase{"PictureOutsideTheFolder",
                  kHead + "[[question]]\ntype = \"true-false\"\ntitle = \"x\"\ncorrect = "
                          "true\npicture = \"../x.gif\"\n",
                  "src.exam:13: file name \"../x.gif\" leaves its folder"},
        ErrorCase{"FolderWithDrive", kHead + "folder = \"C:\\\\exams\"\n",
                  "src.exam:9: \"folder\": file name \"C:/exams\" names a drive"},
        ErrorCase{"IdTooLong", "[course]\nid = \"ELEVENCHARS\"\n",
                  "src.exam:2: \"id\" \"ELEVENCHARS\" is longer than 10"},
        ErrorCase{"KeyBeforeSection", "id = \"x\"\n", "src.exam:1: unknown key \"id\""},
        ErrorCase{"UnknownLineBreaks", "line_breaks = \"cr\"\n",
                  "src.exam:1: \"line_breaks\" is \"lf\" or \"crlf\""},
        ErrorCase{"DuplicateQuestionId",
                  kHead + "[[question]]\nid = 4\ntype = \"simulation\"\ntitle = "
                          "\"a\"\n[[question]]\nid = 4\ntype = "
                          "\"simulation\"\ntitle = \"b\"\n",
                  "src.exam:13: question id 4 is used already (line 9)"},
        ErrorCase{"NoExam", "[course]\nid = \"C1\"\n", "src.exam:1: the source has no [exam]"},
        ErrorCase{"TimeTooLong", "[course]\nid = \"C1\"\ntime = \"10:30:00\"\n",
                  "src.exam:3: \"time\" is longer than 5"},
        ErrorCase{"TextAfterValue", kHead + "description = \"a\" \"b\"\n",
                  "src.exam:9: unexpected text after the value"},
        ErrorCase{"NoTitleNoText", kHead + "[[question]]\ntype = \"simulation\"\n",
                  "src.exam:9: the question has neither"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

struct TextCase {
    const char* name;
    std::string text;
};

class TextRoundTrip : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextRoundTrip, WriterOutputReadsBackExactly) {
    ExamSource exam;
    exam.course.id = "C1";
    exam.id = "E1";
    exam.table = "E1";
    exam.title = GetParam().text;
    QuestionSource q;
    q.type = questionbank::kSimulation;
    q.title = "t";
    q.text = GetParam().text;
    q.rows = {GetParam().text, "second"};
    q.answerRows = 2;
    exam.questions.push_back(q);
    const std::string written = ExamSourceWriter::write(exam);
    xbase::Result<ExamSource> parsed = ExamSourceParser::parse(written, "w.exam");
    ASSERT_TRUE(parsed.isOk()) << parsed.message() << "\n" << written;
    EXPECT_EQ(GetParam().text, parsed.value().title);
    ASSERT_EQ(1u, parsed.value().questions.size());
    EXPECT_EQ(GetParam().text, parsed.value().questions[0].text);
    EXPECT_EQ(q.rows, parsed.value().questions[0].rows);
    EXPECT_EQ(written, ExamSourceWriter::write(parsed.value()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextRoundTrip,
    ::testing::Values(TextCase{"Empty", ""}, TextCase{"Plain", "plain words"},
                      TextCase{"Quotes", "say \"hi\""}, TextCase{"RichText", "{\\rtf1\\ansi x}"},
                      TextCase{"BackslashAndApostrophe", "it's C:\\temp"},
                      TextCase{"Lines", "one\ntwo\n"}, TextCase{"LeadingLineBreak", "\nafter"},
                      TextCase{"WindowsLines", "one\r\ntwo"},
                      TextCase{"EndsWithApostrophe", "a\nb'"}, TextCase{"TripleQuotes", "a\n'''b"},
                      TextCase{"ControlBytes", std::string("a\0\x1b z", 5)},
                      TextCase{"CodePageBytes", "caf\xe9 \x80"},
                      TextCase{"HashSign", "# not a comment"}, TextCase{"Tabs", "a\tb\nc\td"},
                      TextCase{"WindowsParagraphs", "one\r\ntwo\r\n"},
                      TextCase{"WindowsAndBareBreaks", "one\r\ntwo\nthree\r"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(WindowsLineBreaks, AreDeclaredOnceAndWrittenAsLines) {
    ExamSource exam;
    exam.course.id = "C1";
    exam.id = "E1";
    exam.table = "E1";
    exam.title = "first\r\nsecond";
    exam.description = "bare\nbreak";
    const std::string written = ExamSourceWriter::write(exam);
    EXPECT_NE(std::string::npos, written.find("line_breaks = \"crlf\"\n\n[course]")) << written;
    EXPECT_NE(std::string::npos, written.find("title = '''\nfirst\nsecond'''")) << written;
    EXPECT_NE(std::string::npos, written.find("description = \"bare\\nbreak\"")) << written;
    xbase::Result<ExamSource> parsed = ExamSourceParser::parse(written, "w.exam");
    ASSERT_TRUE(parsed.isOk()) << parsed.message();
    EXPECT_EQ(exam.title, parsed.value().title);
    EXPECT_EQ(exam.description, parsed.value().description);
}

TEST(ExampleSource, IsInTheWritersOwnForm) {
    const std::string file = std::string(ZENTRIX_SOURCE_DIR) + "/tools/bank/examples/net101a.exam";
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    xbase::Result<ExamSource> parsed = ExamSourceParser::parse(text.str(), file);
    ASSERT_TRUE(parsed.isOk()) << parsed.message();
    const ExamSource& exam = parsed.value();
    ASSERT_EQ(4u, exam.questions.size());
    EXPECT_EQ("TRUE", exam.questions[0].key);
    EXPECT_EQ("3", exam.questions[1].key);
    EXPECT_EQ("5", exam.questions[2].key);
    EXPECT_EQ("", exam.questions[3].key);
    EXPECT_EQ(3, exam.questions[3].answerRows);
    EXPECT_EQ("{\\rtf1\\ansi RFC 1918}", exam.questions[2].reference);
    EXPECT_EQ(text.str(), ExamSourceWriter::write(exam));
}

}  // namespace
}  // namespace zentrix::banktool
