// The study guide: which items it lists, what each item shows, and the
// single-item form shown after an open-book answer.

#include "engine/reports/study_material.h"

#include <gtest/gtest.h>

#include "fake_question_source.h"

namespace zentrix::engine::reports::testing {
namespace {

using namespace questionbank;

class StudyMaterialTest : public ::testing::Test {
protected:
    StudyMaterialTest() {
        source.add("EX1", kTrueFalse, "Hubs", {"TRUE", "FALSE"}, "TRUE ", "Chapter 2, Hubs");
        source.add("EX1", kSingleChoice, "Layer 3", {"Hub", "Switch", "Router"}, "3    ");
        source.add("EX1", kMultipleChoice, "Private ranges",
                   {"10.0.0.0/8", "11.0.0.0/8", "192.168.0.0/16"}, "5    ",
                   "{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}}RFC \\b 1918\\b0\\par Section 3}");
        source.add("EX1", kSimulation, "Configure a port",
                   {"Open the settings", "Type the address", "Click OK"}, "");
        source.add("EX1", kTrueFalse, "", {"TRUE", "FALSE"}, "FALSE");
        items = {Item("EX1", 1, true), Item("EX1", 2, false), Item("EX1", 3, true),
                 Item("EX1", 4, false), Item("EX1", 5, false, false)};
    }

    StudyGuideInput input(int filter) {
        StudyGuideInput in;
        in.candidate = QStringLiteral("Ada Lovelace");
        in.title = QStringLiteral("Networking Basics, part A");
        in.items = &items;
        in.listStudyGuide = filter;
        return in;
    }

    static QString AllPages(const report::RenderedReport& r) {
        QString all;
        for (int p = 0; p < static_cast<int>(r.pages.size()); ++p)
            all += r.pageText(p) + QLatin1Char('\n');
        return all;
    }

    FakeQuestionSource source;
    ExamItems items;
};

TEST_F(StudyMaterialTest, FilterListsIncorrectCorrectOrAllItems) {
    const struct {
        int filter;
        std::vector<int> listed;
    } cases[] = {{0, {2, 4, 5}}, {1, {1, 3}}, {2, {1, 2, 3, 4, 5}}, {7, {2, 4, 5}}};
    for (const auto& c : cases) {
        source.moves.clear();
        TStudyMaterial guide(input(c.filter), source);
        const QString text = AllPages(guide.Render());
        std::vector<int> moved;
        for (const auto& m : source.moves) moved.push_back(m.second);
        EXPECT_EQ(moved, c.listed) << "filter " << c.filter;
        for (int i = 1; i <= 5; ++i) {
            const bool shown = text.contains(QStringLiteral("Question %1:").arg(i));
            EXPECT_EQ(shown, std::count(c.listed.begin(), c.listed.end(), i) == 1)
                << "filter " << c.filter << " item " << i;
        }
    }
}

TEST_F(StudyMaterialTest, PerfectAttemptWithIncorrectFilterListsNoQuestion) {
    for (QuestionAnswer& item : items) item.Correct = true;
    TStudyMaterial guide(input(0), source);
    const QString text = AllPages(guide.Render());
    EXPECT_TRUE(source.moves.empty());
    EXPECT_FALSE(text.contains(QStringLiteral("Question")));
    EXPECT_TRUE(text.contains(QStringLiteral("Study Material for:")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("There are no questions to list in this study guide.")));
}

TEST_F(StudyMaterialTest, EachItemShowsItsQuestionCorrectAnswersAndReferences) {
    TStudyMaterial guide(input(2), source);
    const report::RenderedReport pages = guide.Render();
    const QString text = AllPages(pages);
    for (const char* expected : {"Brenlo",
                                 "Study Material for:",
                                 "Networking Basics, part A",
                                 "Ada Lovelace",
                                 "Question 1: Hubs",
                                 "Text of Hubs",
                                 "Correct Answer:",
                                 "TRUE",
                                 "References:",
                                 "Chapter 2, Hubs",
                                 "Question 2: Layer 3",
                                 "Router",
                                 "Question 3: Private ranges",
                                 "10.0.0.0/8",
                                 "192.168.0.0/16",
                                 "RFC 1918",
                                 "Section 3",
                                 "Question 4: Configure a port",
                                 "Open the settings",
                                 "Type the address",
                                 "Click OK",
                                 "Question 5:"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_FALSE(text.contains(QStringLiteral("11.0.0.0/8"))) << "a wrong choice is listed";
    EXPECT_FALSE(text.contains(QStringLiteral("fonttbl"))) << "rich text shown as code";
    EXPECT_FALSE(text.contains(QStringLiteral("Arial")));
    EXPECT_FALSE(text.contains(QStringLiteral("Switch\n"))) << "a wrong single choice is listed";
    const int five = static_cast<int>(text.indexOf(QStringLiteral("Question 5:")));
    EXPECT_TRUE(text.mid(five).contains(QStringLiteral("FALSE")));
}

TEST_F(StudyMaterialTest, AnswerLinesByTypeAndUnreadableKey) {
    const struct {
        int type;
        std::string key;
        std::vector<std::string> lines;
    } cases[] = {
        {kTrueFalse, "TRUE", {"TRUE"}},
        {kTrueFalse, "true", {"FALSE"}},  // the key compares with case
        {kSingleChoice, "2", {"b"}},
        {kSingleChoice, "9", {}},  // no such row
        {kMultipleChoice, "6", {"b", "c"}},
        {kSimulation, "", {"a", "b", "c"}},
        {kMultipleChoice, "x1", {"(The stored answer key \"x1\" cannot be read.)"}},
    };
    for (const auto& c : cases) {
        FakeQuestionSource one;
        one.add("E", c.type, "t", {"a", "b", "c"}, c.key);
        ASSERT_TRUE(one.MoveToItem(Item("E", 1, false)).isOk());
        EXPECT_EQ(CorrectAnswerLines(one.CurrentQuestion(), one), c.lines)
            << "type " << c.type << " key " << c.key;
    }
}

TEST_F(StudyMaterialTest, SingleItemModePrintsOnlyThatItemWhateverTheFilter) {
    TStudyMaterial guide(input(1), source);
    guide.SingleItem = true;
    guide.ItemIndex = 3;  // item 4, incorrect: the filter would skip it
    const QString text = AllPages(guide.Render());
    EXPECT_EQ(source.moves, (std::vector<std::pair<std::string, int>>{{"EX1", 4}}));
    EXPECT_TRUE(text.contains(QStringLiteral("Question 4: Configure a port")));
    EXPECT_FALSE(text.contains(QStringLiteral("Question 1:")));

    source.moves.clear();
    guide.ItemIndex = 9;
    guide.Render();
    EXPECT_TRUE(source.moves.empty()) << "an index past the items prints nothing";
}

TEST(StudyGuideDueTest, SettingDecidesWhenTheGuideFollowsAnAnswer) {
    const QuestionAnswer wrong = Item("E", 1, false), right = Item("E", 1, true),
                         skipped = Item("E", 1, false, false);
    const struct {
        int setting;
        bool wrong, right, skipped;
    } cases[] = {{0, false, false, false},
                 {1, true, false, false},
                 {2, false, true, false},
                 {3, true, true, true},
                 {9, false, false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(StudyGuideDueAfterAnswer(c.setting, wrong), c.wrong) << c.setting;
        EXPECT_EQ(StudyGuideDueAfterAnswer(c.setting, right), c.right) << c.setting;
        EXPECT_EQ(StudyGuideDueAfterAnswer(c.setting, skipped), c.skipped) << c.setting;
    }
}

TEST_F(StudyMaterialTest, MixedExamReadsEachItemFromItsOwnExamAndReportsAQuestionItCannotRead) {
    source.add("EX2", kSingleChoice, "Other exam", {"yes", "no"}, "1");
    items = {Item("EX2", 1, false), Item("EX1", 2, false), Item("EX3", 1, false)};
    StudyGuideInput in = input(0);
    in.mode = ExamMode::Mixed;
    TStudyMaterial guide(in, source);
    const QString text = AllPages(guide.Render());
    EXPECT_EQ(source.moves,
              (std::vector<std::pair<std::string, int>>{{"EX2", 1}, {"EX1", 2}, {"EX3", 1}}));
    EXPECT_TRUE(text.contains(QStringLiteral("Question 1: Other exam")));
    EXPECT_TRUE(text.contains(QStringLiteral("Question 2: Layer 3")));
    EXPECT_TRUE(text.contains(
        QStringLiteral("Question 3:\nThis question could not be read from the question bank: "
                       "exam EX3 has no question 1.")));
}

TEST_F(StudyMaterialTest, FiveHundredItemsAllArriveOnTheirPages) {
    items.clear();
    for (int i = 0; i < 500; ++i) items.push_back(Item("EX1", 1 + i % 5, false));
    TStudyMaterial guide(input(2), source);
    const report::RenderedReport pages = guide.Render();
    const QString text = AllPages(pages);
    EXPECT_GT(pages.pages.size(), 50u);
    EXPECT_TRUE(text.contains(QStringLiteral("Question 500:")));
    EXPECT_EQ(text.count(QStringLiteral("Correct Answer:")), 500);
}

}  // namespace
}  // namespace zentrix::engine::reports::testing
