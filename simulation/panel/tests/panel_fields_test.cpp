// Text, key and address fields played with real key events.

#include <QFile>
#include <QTextDocument>
#include <QTextOption>
#include <functional>

#include "panel_fixture.h"
#include "simulation/panel/single_line_field.h"
#include "simulation/panel/tbz_ip_mask.h"
#include "simulation/panel/tedit_ww.h"

namespace zentrix::simulation::panel::testing {
namespace {

const QString kNothing = QStringLiteral("[]");

class FieldTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    TEditWW* memo(int i = 0) const { return panel->memoFields().at(static_cast<size_t>(i)); }
    SingleLineField* edit(int i = 0) const {
        return panel->editFields().at(static_cast<size_t>(i));
    }
    TBZIPMask* address(int i = 0) const {
        return panel->addressFields().at(static_cast<size_t>(i));
    }
    void type(QWidget* field, const QString& text) {
        QTest::keyClicks(field, text);
        settle();
    }
    void key(QWidget* field, Qt::Key key, Qt::KeyboardModifiers keys = {}) {
        QTest::keyClick(field, key, keys);
        settle();
    }
};

TEST_F(FieldTest, MultiLineFieldWithLeftAndCentreFlagsIsCentred) {
    load(
        {R"([{"type": "field", "rectangle": [10, 10, 150, 40], "flags": ["alignLeft", "alignCenter", "border"],
               "fontSize": 11, "fontName": "DejaVu Sans", "fontColor": "#FF0000", "backColor": 11}])"});
    ASSERT_FALSE(memo()->isHidden());
    EXPECT_EQ(memo()->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(memo()->geometry(), QRect(10, 10, 140, 30));
    EXPECT_EQ(memo()->font().pointSize(), 11);
    EXPECT_EQ(memo()->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(memo()->palette().color(QPalette::Base), QColor(255, 255, 0));  // palette 11: yellow
}

TEST_F(FieldTest, SingleLineFieldShowsAStarForEveryCharacterAndEnterSubmitsIt) {
    load(
        {R"([{"type": "enterField", "rectangle": [10, 10, 150, 30], "flags": ["singleLine"], "answer": "pass", "target": 2}])",
         kNothing});
    type(edit(), "pass");
    EXPECT_EQ(edit()->displayText(), "****");
    EXPECT_EQ(edit()->text(), "pass");
    key(edit(), Qt::Key_Return);
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_TRUE(outcomes.isEmpty());
}

struct TextCase {
    const char* name;
    const char* field;  // the zone, submitted with Enter, target 2
    const char* typed;
    int frameAfter;
    const char* outcome;
};

class TextCases : public FieldTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextCases, EnterJudgesTheTypedText) {
    const TextCase& c = GetParam();
    load({QStringLiteral(
              R"([{"type": "enterField", "rectangle": [10, 10, 150, 30], "target": 2, %1}])")
              .arg(QString::fromUtf8(c.field)),
          kNothing});
    type(memo(), QString::fromUtf8(c.typed));
    key(memo(), Qt::Key_Return);
    EXPECT_EQ(panel->currentFrame(), c.frameAfter);
    EXPECT_EQ(outcomes.join(";"), QString::fromLatin1(c.outcome));
    EXPECT_EQ(memo()->toPlainText().contains('\n'), false);  // Enter is never typed
}

const TextCase kTextCases[] = {
    {"expected_answer", R"("answer": "Save")", "Save", 2, ""},
    {"other_case_without_match_case", R"("answer": "Save")", "save", 2, ""},
    {"other_case_with_match_case", R"("answer": "Save", "flags": ["matchCase"])", "save", 1,
     "incorrect at frame 1"},
    {"skip_check_takes_any_text", R"("answer": "Save", "flags": ["skipCheck"])", "whatever", 2, ""},
    {"further_accepted_answer", R"("answer": "Save", "alternatives": ["Store", "Keep"])", "keep", 2,
     ""},
    {"none_of_the_answers", R"("answer": "Save", "alternatives": ["Store"])", "Drop", 1,
     "incorrect at frame 1"},
    {"required_field_left_empty", R"("flags": ["required", "skipCheck"])", "", 1,
     "incorrect at frame 1"},
};

INSTANTIATE_TEST_SUITE_P(Panel, TextCases, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FieldTest, FieldAfterOneThatMatchedAnAlternativeIsStillJudged) {
    load(
        {R"([{"type": "field", "rectangle": [10, 10, 150, 30], "answer": "Save", "alternatives": ["Store"]},
              {"type": "field", "rectangle": [10, 40, 150, 60], "answer": "now"},
              {"type": "click", "rectangle": [10, 100, 50, 140], "target": 2}])",
         kNothing});
    type(memo(0), "Store");
    type(memo(1), "later");
    click({20, 120});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 1"});
}

TEST_F(FieldTest, UntouchedRequiredAddressFieldFails) {
    load({R"([{"type": "address", "rectangle": [10, 10, 150, 30], "answer": "10.0.0.1"},
              {"type": "click", "rectangle": [10, 100, 50, 140], "target": 2}])",
          kNothing});
    EXPECT_EQ(address()->addressText(), "   .   .   .   ");
    EXPECT_TRUE(address()->hasFocus());
    EXPECT_EQ(address()->font().family(), "Courier New");
    click({20, 120});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 1"});
}

TEST_F(FieldTest, AddressTypedWithTabsMatchesTheAnswerWrittenWithoutBlanks) {
    load({R"([{"type": "address", "rectangle": [10, 10, 150, 30], "answer": "10.0.0.1"},
              {"type": "click", "rectangle": [10, 100, 50, 140], "target": 2}])",
          kNothing});
    type(address(), "10");
    key(address(), Qt::Key_Tab);
    type(address(), "0");
    key(address(), Qt::Key_Tab);
    type(address(), "0");
    key(address(), Qt::Key_Tab);
    type(address(), "1");
    EXPECT_EQ(address()->addressText(), "10 .0  .0  .1  ");
    click({20, 120});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(FieldTest, AddressGroupAbove255ReadsAs255OnceTheFocusHasLeft) {
    load({R"([{"type": "address", "rectangle": [10, 10, 150, 30]},
              {"type": "address", "rectangle": [10, 40, 150, 60]}])"});
    type(address(0), "300");
    EXPECT_TRUE(address(0)->addressText().startsWith("300"));
    address(1)->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(address(0)->addressText(), "255.   .   .   ");
}

TEST_F(FieldTest, TabInAnAddressFieldMovesByGroupsAndLeavesFromTheLast) {
    load({R"([{"type": "address", "rectangle": [10, 10, 150, 30]},
              {"type": "address", "rectangle": [10, 40, 150, 60]}])"});
    type(address(0), "1");
    ASSERT_EQ(address(0)->cursorPosition() + 1, 2);  // column 2
    key(address(0), Qt::Key_Tab);
    EXPECT_EQ(address(0)->cursorPosition(), 4);  // the start of the second group
    EXPECT_TRUE(address(0)->hasFocus());
    address(0)->setCursorPosition(13);  // column 14
    key(address(0), Qt::Key_Tab);
    EXPECT_TRUE(address(1)->hasFocus());
}

struct KeyCase {
    const char* name;
    const char* zone;
    Qt::Key key;
    Qt::KeyboardModifiers keys;
    int frameAfter;
    const char* outcome;
};

class KeyCases : public FieldTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyCases, KeyFieldWantsOneKeyWithItsModifiers) {
    const KeyCase& c = GetParam();
    load({QString::fromLatin1(c.zone), kNothing});
    QWidget* field = memo();
    ASSERT_TRUE(field->hasFocus());
    key(field, c.key, c.keys);
    EXPECT_EQ(panel->currentFrame(), c.frameAfter);
    EXPECT_EQ(outcomes.join(";"), QString::fromLatin1(c.outcome));
    if (c.frameAfter == 1) {
        EXPECT_TRUE(memo()->toPlainText().isEmpty());  // the key is swallowed, the field emptied
    }
}

const char* kCtrlS =
    R"([{"type": "key", "rectangle": [10, 10, 150, 30], "key": "S", "ctrl": true, "target": 2}])";
const KeyCase kKeyCases[] = {
    {"ctrl_s", kCtrlS, Qt::Key_S, Qt::ControlModifier, 2, ""},
    {"s_without_ctrl", kCtrlS, Qt::Key_S, {}, 1, "incorrect at frame 1"},
    {"other_key_with_ctrl", kCtrlS, Qt::Key_D, Qt::ControlModifier, 1, "incorrect at frame 1"},
    {"keypad_digit_counts_as_the_digit",
     R"([{"type": "key", "rectangle": [10, 10, 150, 30], "key": "5", "target": 2}])", Qt::Key_5,
     Qt::KeypadModifier, 2, ""},
    {"lower_case_key_in_the_file",
     R"([{"type": "key", "rectangle": [10, 10, 150, 30], "key": "q", "target": 2}])",
     Qt::Key_Q,
     {},
     2,
     ""},
};

INSTANTIATE_TEST_SUITE_P(Panel, KeyCases, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FieldTest, LinkedFieldEchoesTypingAndCarriesItsTextIntoALaterFrame) {
    load(
        {R"([{"type": "enterField", "rectangle": [10, 10, 150, 30], "answer": "ab", "target": 2,
               "link": {"frame": 1, "zone": 2}},
              {"type": "field", "rectangle": [10, 40, 150, 60], "flags": ["skipCheck"],
               "link": {"frame": 2, "zone": 1}}])",
         R"([{"type": "field", "rectangle": [10, 10, 150, 30], "flags": ["showCarriedText", "skipCheck"]}])"});
    type(memo(0), "a");
    EXPECT_EQ(memo(1)->toPlainText(), "a");
    type(memo(0), "b");
    EXPECT_EQ(memo(1)->toPlainText(), "ab");
    key(memo(0), Qt::Key_Backspace);
    EXPECT_EQ(memo(1)->toPlainText(), "a");
    type(memo(0), "b");
    key(memo(0), Qt::Key_Return);
    ASSERT_EQ(panel->currentFrame(), 2);
    EXPECT_EQ(memo(0)->toPlainText(), "ab");
}

TEST_F(FieldTest, LinksInACircleStopAtAZoneAlreadyVisited) {
    load(
        {R"([{"type": "enterField", "rectangle": [10, 10, 150, 30], "flags": ["skipCheck"], "target": 2,
               "link": {"frame": 1, "zone": 2}},
              {"type": "field", "rectangle": [10, 40, 150, 60], "flags": ["skipCheck"],
               "link": {"frame": 1, "zone": 1}}])",
         kNothing});
    type(memo(0), "xy");
    EXPECT_EQ(memo(0)->toPlainText(), "xy");
    EXPECT_EQ(memo(1)->toPlainText(), "xy");
    key(memo(0), Qt::Key_Return);
    EXPECT_EQ(panel->currentFrame(), 2);
}

const QStringList kRepeat = {
    R"([{"type": "click", "rectangle": [10, 100, 50, 140], "target": 3},
        {"type": "click", "rectangle": [100, 100, 150, 140], "target": 2}])",
    R"([{"type": "enterField", "rectangle": [10, 10, 150, 30], "flags": ["skipCheck"], "target": 3}])",
    R"([{"type": "enterField", "rectangle": [10, 10, 150, 30], "sameAs": {"frame": 2, "zone": 1}, "target": 4}])",
    R"([{"type": "click", "rectangle": [10, 100, 50, 140], "target": 4}])"};

TEST_F(FieldTest, FieldThatRepeatsAnEarlierAnswerPassesWhenNothingWasEnteredThere) {
    load(kRepeat);
    click({20, 120});  // straight to frame 3: frame 2's field was never played
    ASSERT_EQ(panel->currentFrame(), 3);
    type(memo(), "anything");
    key(memo(), Qt::Key_Return);
    EXPECT_EQ(panel->currentFrame(), 4);
    EXPECT_EQ(outcomes, QStringList{"correct"});
}

TEST_F(FieldTest, FieldThatRepeatsAnEarlierAnswerMustMatchIt) {
    load(kRepeat);
    click({120, 120});
    type(memo(), "first");
    key(memo(), Qt::Key_Return);
    ASSERT_EQ(panel->currentFrame(), 3);
    type(memo(), "FIRST");  // without match case
    key(memo(), Qt::Key_Return);
    EXPECT_EQ(panel->currentFrame(), 4);
    load(kRepeat);
    outcomes.clear();
    click({120, 120});
    type(memo(), "first");
    key(memo(), Qt::Key_Return);
    type(memo(), "second");
    key(memo(), Qt::Key_Return);
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 3"});
}

TEST_F(FieldTest, FocusPassesOverADisabledFirstFieldToTheNextTextField) {
    load(
        {R"([{"type": "field", "rectangle": [10, 10, 150, 30], "flags": ["disabled", "showCarriedText"]},
              {"type": "click", "rectangle": [10, 100, 50, 140], "target": 1},
              {"type": "field", "rectangle": [10, 40, 150, 60]}])"});
    EXPECT_FALSE(memo(0)->isEnabled());
    EXPECT_TRUE(memo(1)->hasFocus());
}

TEST_F(FieldTest, FieldJudgedOnChangeMovesOnOnceTheTextIsRight) {
    load(
        {R"([{"type": "field", "rectangle": [10, 10, 150, 30], "answer": "Save", "flags": ["checkOnChange"], "target": 2}])",
         R"([{"type": "field", "rectangle": [10, 10, 150, 30], "sameAs": {"frame": 1, "zone": 1}, "flags": ["checkOnChange"], "target": 3}])",
         kNothing});
    type(memo(), "Sav");
    EXPECT_EQ(panel->currentFrame(), 1);
    EXPECT_TRUE(outcomes.isEmpty());
    type(memo(), "e");
    EXPECT_EQ(panel->currentFrame(), 2);
    // Only the last text of the field counts for a field that repeats it.
    type(memo(), "Save");
    EXPECT_EQ(panel->currentFrame(), 3);
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(FieldTest, TabSubmitsATabFieldAndClickSubmitsAClickField) {
    load(
        {R"([{"type": "tabField", "rectangle": [10, 10, 150, 30], "answer": "x", "target": 2}])",
         R"([{"type": "field", "rectangle": [10, 10, 150, 30], "answer": "y", "flags": ["submitOnClick"], "target": 3}])",
         kNothing});
    type(memo(), "x");
    key(memo(), Qt::Key_Tab);
    ASSERT_EQ(panel->currentFrame(), 2);
    type(memo(), "y");
    QTest::mouseClick(memo()->viewport(), Qt::LeftButton, {}, {5, 5});
    settle();
    EXPECT_EQ(panel->currentFrame(), 3);
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(FieldTest, FieldSkippedByTheFocusPassesItOn) {
    load({R"([{"type": "field", "rectangle": [10, 10, 150, 30]},
              {"type": "field", "rectangle": [10, 40, 150, 60], "flags": ["notTabStop"]},
              {"type": "field", "rectangle": [10, 70, 150, 90]}])"});
    memo(1)->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_TRUE(memo(2)->hasFocus());
}

// The panel is reused from question to question: a file that does not play,
// or an owner that has no file to give, must not leave the fields of the
// simulation before on show over the empty panel.
TEST_F(FieldTest, FieldsOfTheSimulationBeforeGoWhenTheNextDoesNotPlay) {
    const QString fields = QStringLiteral(
        R"([{"type": "address", "rectangle": [10, 10, 150, 30]},
            {"type": "field", "rectangle": [10, 40, 150, 60], "flags": ["singleLine"]}])");
    const QString damaged = files.folder() + "/damaged.qsf";
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01\x00\x10\x01");  // ends inside its header
    file.close();

    const struct {
        const char* name;
        std::function<void()> next;
    } cases[] = {
        {"a damaged file", [&] { EXPECT_FALSE(panel->LoadSimulation(damaged)); }},
        {"no file", [&] { panel->Unload(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        load({fields});
        ASSERT_TRUE(address()->isVisible());
        ASSERT_TRUE(edit()->isVisible());
        c.next();
        EXPECT_FALSE(address()->isVisible());
        EXPECT_FALSE(edit()->isVisible());
        EXPECT_EQ(panel->frameCount(), 0);
        click({20, 50});
        EXPECT_TRUE(outcomes.isEmpty());
    }
    load({fields});  // and the next file plays again
    EXPECT_TRUE(address()->isVisible());
    EXPECT_EQ(panel->currentFrame(), 1);
}

}  // namespace
}  // namespace zentrix::simulation::panel::testing
