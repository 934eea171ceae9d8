// HTML texts, Moodle XML and QTI items: what each element becomes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/bank/formats/html_text.h"
#include "tools/bank/formats/moodle_xml_reader.h"
#include "tools/bank/formats/qti_reader.h"
#include "tools/bank/formats/zip_archive.h"

namespace zentrix::banktool {
namespace {

using Kind = InterchangeQuestion::Kind;

std::string fixture(const char* name) {
    std::ifstream in(std::string(ZENTRIX_FORMATS_FIXTURES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

struct HtmlCase {
    const char* name;
    std::string html;
    std::string text;
};

void PrintTo(const HtmlCase& c, std::ostream* os) { *os << c.name; }

class HtmlToText : public ::testing::TestWithParam<HtmlCase> {};

TEST_P(HtmlToText, GivesTheTextALabelShows) {
    EXPECT_EQ(GetParam().text, HtmlText::toPlainText(GetParam().html).text);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HtmlToText,
    ::testing::Values(
        HtmlCase{"BlanksCollapse", "  one \n\t two  ", "one two"},
        HtmlCase{"BreaksAreKept", "one<br>two<BR/><br />three", "one\ntwo\n\nthree"},
        HtmlCase{"ParagraphsLeaveABlankLine",
                 "<p>one</p>\n<p>two</p><div>three</div><div>four</div>",
                 "one\n\ntwo\n\nthree\nfour"},
        HtmlCase{"References", "&lt;a&gt; &amp; &eacute;&#233;&#xE9; &euro;&#128; &bogus; &",
                 "<a> & \xC3\xA9\xC3\xA9\xC3\xA9 \xE2\x82\xAC\xE2\x82\xAC &bogus; &"},
        HtmlCase{"NonBreakingSpaceStays", "a&nbsp;&nbsp;b",
                 "a\xC2\xA0\xC2\xA0"
                 "b"},
        HtmlCase{"Lists", "<ul><li>one</li><li>two</li></ul><ol><li>first</li><li>second</li></ol>",
                 "\xE2\x80\xA2 one\n\xE2\x80\xA2 two\n1. first\n2. second"},
        HtmlCase{"ScriptsAndCommentsAreNotText",
                 "a<script>if (x < 1) y();</script><!-- note -->b<style>p{}</style>", "ab"},
        HtmlCase{"StrayBracketIsText", "1 < 2 and 3 > 2", "1 < 2 and 3 > 2"},
        HtmlCase{"UnclosedTagEndsTheText", "before <b class=\"x", "before"},
        HtmlCase{"Preformatted", "x<pre>  a\n   b</pre>c", "x\n  a\n   b\nc"}),
    [](const ::testing::TestParamInfo<HtmlCase>& info) { return std::string(info.param.name); });

TEST(HtmlText, PicturesAreListedAndPlainTextReadsBack) {
    const HtmlText::Result r =
        HtmlText::toPlainText("<p>x<img alt='a' src='one.gif'><IMG SRC=\"two&amp;.png\"/></p>");
    EXPECT_EQ((std::vector<std::string>{"one.gif", "two&.png"}), r.pictures);
    const std::string text = "a < b & \"c\" 'd'\nsecond line\n\nthird";
    EXPECT_EQ(text, HtmlText::toPlainText(HtmlText::fromPlainText(text)).text);
}

TEST(MoodleXmlReader, TakesEachElementWhereTheBankKeepsIt) {
    xbase::Result<InterchangeDocument> read =
        MoodleXmlReader::read(fixture("networking-moodle.xml"), "quiz.xml");
    ASSERT_TRUE(read.isOk()) << read.message();
    ASSERT_EQ(1u, read->categories.size());
    EXPECT_EQ("$course$/top/Networking", read->categories[0].name);
    const auto& questions = read->categories[0].questions;
    ASSERT_EQ(3u, questions.size());

    const InterchangeQuestion& tf = questions[0];
    EXPECT_EQ(Kind::TrueFalse, tf.kind);
    EXPECT_EQ("Hubs", tf.title);
    EXPECT_EQ("A hub forwards every frame\nto every port.", tf.text);
    EXPECT_EQ(std::vector<int>{1}, tf.right);
    EXPECT_EQ("Chapter 2, Hubs", tf.reference);
    EXPECT_EQ("TRUE: Right: it repeats.\nFALSE: No: a hub repeats every frame.", tf.hint);

    const InterchangeQuestion& single = questions[1];
    EXPECT_EQ(Kind::SingleChoice, single.kind);
    EXPECT_EQ(
        "Which device works at layer\xC2\xA0"
        "3?",
        single.text);
    EXPECT_EQ((std::vector<std::string>{"Hub", "Switch", "Router"}), single.choices);
    EXPECT_EQ(std::vector<int>{3}, single.right);
    EXPECT_EQ("Think of addresses.", single.hint);
    ASSERT_TRUE(single.picture.has_value());
    EXPECT_EQ("router.gif", single.picture->name);
    EXPECT_EQ(fixture("router.gif"), single.picture->bytes.value_or(""));

    const InterchangeQuestion& multiple = questions[2];
    EXPECT_EQ(Kind::MultipleChoice, multiple.kind);
    EXPECT_EQ((std::vector<int>{1, 3}), multiple.right);

    ASSERT_EQ(1u, read->skipped.size());
    EXPECT_EQ("quiz.xml:31: skipped \"Capital\": a short-answer question", read->skipped[0].line());
}

TEST(MoodleXmlReader, AnswersDecideWhenSingleIsNotWritten) {
    const std::string quiz =
        "<quiz><question "
        "type=\"multichoice\"><name><text>Q</text></name><questiontext><text>Pick</text></"
        "questiontext>"
        "<answer fraction=\"100\"><text>a</text></answer><answer "
        "fraction=\"100\"><text>b</text></answer>"
        "<answer fraction=\"0\"><text>c</text></answer></question>"
        "<question "
        "type=\"multichoice\"><name><text>R</text></name><questiontext><text>Pick</text></"
        "questiontext>"
        "<single>true</single><answer fraction=\"100\"><text>a</text></answer>"
        "<answer fraction=\"100\"><text>b</text></answer></question></quiz>";
    xbase::Result<InterchangeDocument> read = MoodleXmlReader::read(quiz, "quiz.xml");
    ASSERT_TRUE(read.isOk()) << read.message();
    ASSERT_EQ(1, read->questionCount());
    EXPECT_EQ(Kind::MultipleChoice, read->categories[0].questions[0].kind);
    EXPECT_EQ((std::vector<int>{1, 2}), read->categories[0].questions[0].right);
    ASSERT_EQ(1u, read->skipped.size());
    EXPECT_EQ("quiz.xml:1: skipped \"R\": 2 choices are right but the learner picks one",
              read->skipped[0].line());
}

TEST(MoodleXmlReader, BrokenXmlFailsWithItsLine) {
    xbase::Result<InterchangeDocument> read = MoodleXmlReader::read(
        "<quiz>\n<question type=\"truefalse\">\n<name><text>x</name>\n</question></quiz>",
        "quiz.xml");
    ASSERT_FALSE(read.isOk());
    EXPECT_EQ(0u, read.message().find("quiz.xml:3: broken XML: ")) << read.message();
    read = MoodleXmlReader::read("<assessmentItem/>", "item.xml");
    EXPECT_EQ("item.xml: not a Moodle XML quiz (its first element is <assessmentItem>, not <quiz>)",
              read.message());
}

TEST(QtiReader, LooseItemWithPromptPictureAndHint) {
    xbase::Result<InterchangeDocument> read =
        QtiReader::readItem(fixture("layer3-item.xml"), "layer3.xml");
    ASSERT_TRUE(read.isOk()) << read.message();
    ASSERT_EQ(1, read->questionCount());
    const InterchangeQuestion& q = read->categories[0].questions[0];
    EXPECT_EQ(Kind::SingleChoice, q.kind);
    EXPECT_EQ("Layer 3", q.title);
    EXPECT_EQ("Which device works at layer 3?\n\nPick one.", q.text);
    EXPECT_EQ((std::vector<std::string>{"Hub", "Switch", "Router"}), q.choices);
    EXPECT_EQ(std::vector<int>{3}, q.right);
    EXPECT_EQ("Think of addresses.", q.hint);
    ASSERT_TRUE(q.picture.has_value());
    EXPECT_EQ("router.gif", q.picture->name);
}

std::string item(const std::string& interaction, const std::string& correct) {
    return "<assessmentItem xmlns=\"http://www.imsglobal.org/xsd/imsqti_v2p1\" identifier=\"i\" "
           "title=\"Q\">"
           "<responseDeclaration identifier=\"R\" cardinality=\"multiple\" "
           "baseType=\"identifier\"><correctResponse>" +
           correct + "</correctResponse></responseDeclaration><itemBody><p>Pick</p>" + interaction +
           "</itemBody></assessmentItem>";
}

TEST(QtiReader, MaxChoicesAndTwoChoicesDecideTheKind) {
    const std::string choices =
        "<simpleChoice identifier=\"a\">True</simpleChoice><simpleChoice "
        "identifier=\"b\">False</simpleChoice>";
    struct Case {
        std::string max;
        Kind kind;
        std::vector<int> right;
    };
    for (const Case& c : {Case{"1", Kind::TrueFalse, {2}}, Case{"0", Kind::MultipleChoice, {2}},
                          Case{"2", Kind::MultipleChoice, {2}}}) {
        xbase::Result<InterchangeDocument> read =
            QtiReader::readItem(item("<choiceInteraction responseIdentifier=\"R\" maxChoices=\"" +
                                         c.max + "\">" + choices + "</choiceInteraction>",
                                     "<value>b</value>"),
                                "i.xml");
        ASSERT_TRUE(read.isOk()) << read.message();
        ASSERT_EQ(1, read->questionCount()) << c.max;
        EXPECT_EQ(c.kind, read->categories[0].questions[0].kind) << c.max;
        EXPECT_EQ(c.right, read->categories[0].questions[0].right) << c.max;
    }
}

TEST(QtiReader, OtherInteractionsAreSkipped) {
    struct Case {
        std::string body, correct, reason;
    };
    for (const Case& c :
         {Case{"<textEntryInteraction responseIdentifier=\"R\"/>", "<value>x</value>",
               "a textEntryInteraction item"},
          Case{"", "", "an item without an interaction (text only)"},
          Case{"<choiceInteraction responseIdentifier=\"R\"><simpleChoice "
               "identifier=\"a\">a</simpleChoice></choiceInteraction>",
               "<value>z</value>", "its correct response \"z\" is not one of its choices"}}) {
        xbase::Result<InterchangeDocument> read =
            QtiReader::readItem(item(c.body, c.correct), "i.xml");
        ASSERT_TRUE(read.isOk()) << read.message();
        ASSERT_EQ(1u, read->skipped.size()) << c.reason;
        EXPECT_EQ("i.xml: skipped \"Q\": " + c.reason, read->skipped[0].line());
    }
}

std::string manifest(const std::vector<std::string>& items) {
    std::string resources;
    for (const std::string& href : items)
        resources +=
            "<resource identifier=\"r\" type=\"imsqti_item_xmlv2p1\" href=\"" + href + "\"/>";
    return "<manifest xmlns=\"http://www.imsglobal.org/xsd/imscp_v1p1\"><resources>" + resources +
           "</resources></manifest>";
}

TEST(QtiReader, PackageItemsAndTheirPicturesComeFromTheZip) {
    xbase::Result<std::string> zip =
        ZipArchive::write({{"imsmanifest.xml", manifest({"items/layer3.xml"})},
                           {"items/layer3.xml", fixture("layer3-item.xml")},
                           {"items/router.gif", fixture("router.gif")}});
    ASSERT_TRUE(zip.isOk()) << zip.message();
    xbase::Result<InterchangeDocument> read = QtiReader::readPackage(zip.value(), "pack.zip");
    ASSERT_TRUE(read.isOk()) << read.message();
    ASSERT_EQ(1, read->questionCount());
    const InterchangeQuestion& q = read->categories[0].questions[0];
    EXPECT_EQ("pack.zip, item items/layer3.xml", q.where);
    ASSERT_TRUE(q.picture.has_value());
    EXPECT_EQ("items/router.gif", q.picture->name);
    EXPECT_EQ(fixture("router.gif"), q.picture->bytes.value_or(""));
}

TEST(QtiReader, DamagedPackagesFailNamingTheItem) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> entries;
        std::string message;
    };
    const std::string layer3 = fixture("layer3-item.xml");
    const std::vector<Case> cases = {
        {"MissingItem",
         {{"imsmanifest.xml", manifest({"a.xml", "b.xml"})}, {"a.xml", item("", "")}},
         "pack.zip: item \"b.xml\" named in imsmanifest.xml is not in the package"},
        {"MissingPicture",
         {{"imsmanifest.xml", manifest({"a.xml"})}, {"a.xml", layer3}},
         "pack.zip, item a.xml: picture \"router.gif\" is not in the package"},
        {"ItemOutsideThePackage",
         {{"imsmanifest.xml", manifest({"../a.xml"})}},
         "pack.zip, imsmanifest.xml: resource \"../a.xml\" lies outside the package"},
        {"NoManifest", {{"a.xml", layer3}}, "pack.zip: the package has no imsmanifest.xml"},
        {"BrokenItem",
         {{"imsmanifest.xml", manifest({"a.xml"})}, {"a.xml", "<assessmentItem>\n<itemBody>"}},
         "pack.zip, item a.xml:2: broken XML: Premature end of document."},
    };
    for (const Case& c : cases) {
        xbase::Result<std::string> zip = ZipArchive::write(c.entries);
        ASSERT_TRUE(zip.isOk()) << zip.message();
        xbase::Result<InterchangeDocument> read = QtiReader::readPackage(zip.value(), "pack.zip");
        ASSERT_FALSE(read.isOk()) << c.name;
        EXPECT_EQ(c.message, read.message()) << c.name;
    }
    xbase::Result<InterchangeDocument> notZip =
        QtiReader::readPackage("PK\x03\x04 damaged", "pack.zip");
    ASSERT_FALSE(notZip.isOk());
    EXPECT_EQ(0u, notZip.message().find("pack.zip: not a readable ZIP archive: "))
        << notZip.message();
}

}  // namespace
}  // namespace zentrix::banktool
