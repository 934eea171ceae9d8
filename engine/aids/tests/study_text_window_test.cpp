// The hint and references windows: what they do with the stored text.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#include "engine/aids/study_text.h"
#include "engine/aids/thint_form.h"
#include "engine/aids/tref_form.h"

namespace zentrix::engine::aids {
namespace {

TEST(StudyTextTest, LineFeedsGoAndBlanksAndControlsAreTrimmedAtBothEnds) {
    const struct {
        std::string stored;
        QByteArray shown;
    } cases[] = {
        {"", ""},
        {"  \t\r\n ", ""},
        {"one\r\ntwo", "one\rtwo"},
        {"one\ntwo", "one\rtwo"},
        {"\r\n  {\\rtf1 a\\par\r\nb}\r\n\x1a", "{\\rtf1 a\\par\rb}"},
        {"{\\rtf1 \\par\nThe\\fs20\n42}", "{\\rtf1 \\par\rThe\\fs20\r42}"},
        {"\x01 inner  blanks stay \x7f", "inner  blanks stay \x7f"},
        {std::string("\0x\0", 3), "x"},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanStudyText(c.stored), c.shown) << c.stored;
}

TEST(StudyTextWindowTest, HintAndReferencesShowTheirTextFormattedOrPlain) {
    THintForm hint;
    TRefForm references;
    EXPECT_EQ(hint.windowTitle(), QStringLiteral("Hint"));
    EXPECT_EQ(references.windowTitle(), QStringLiteral("References"));
    EXPECT_EQ(hint.Hint()->objectName(), QStringLiteral("Hint"));
    EXPECT_EQ(references.Help()->objectName(), QStringLiteral("Help"));
    EXPECT_TRUE(hint.Hint()->isReadOnly());
    EXPECT_TRUE(hint.windowFlags() & Qt::Tool);

    hint.LoadText("\n  {\\rtf1\\ansi \\b Look\\b0  at the\n mask.}  ");
    EXPECT_EQ(hint.Hint()->document()->toPlainText(), QStringLiteral("Look at the mask."));
    references.LoadText("  See RFC 1918 {for} \\b private\\b0 ranges.\n");
    EXPECT_EQ(references.Help()->document()->toPlainText(),
              QStringLiteral("See RFC 1918 {for} \\b private\\b0 ranges."));

    hint.Clear();
    EXPECT_TRUE(hint.IsEmpty());
}

TEST(StudyTextWindowTest, TheButtonTogglesTheWindowAndEscapeHidesIt) {
    THintForm hint;
    hint.ToggleVisible();
    EXPECT_TRUE(hint.isVisible());
    hint.ToggleVisible();
    EXPECT_FALSE(hint.isVisible());
    hint.ToggleVisible();
    QTest::keyClick(hint.Hint(), Qt::Key_Escape);
    EXPECT_FALSE(hint.isVisible());
}

TEST(StudyTextWindowTest, TheWindowTakesTheHeightOfItsTextUntilTheLearnerSizesIt) {
    THintForm hint;
    hint.LoadText("One short line.");
    hint.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hint));
    hint.FitHeightToText(100, 360);
    EXPECT_EQ(hint.height(), 100) << "no lower than the least";
    std::string text = "{\\rtf1 ";
    for (int i = 0; i < 8; ++i) text += "A line of the hint.\\par ";
    hint.LoadText(text + "}");
    hint.FitHeightToText(100, 360);
    EXPECT_GT(hint.height(), 100);
    EXPECT_LT(hint.height(), 360);
    QCoreApplication::processEvents();
    EXPECT_EQ(hint.Hint()->verticalScrollBar()->maximum(), 0) << "the whole text shows";
    for (int i = 0; i < 100; ++i) text += "More.\\par ";
    hint.LoadText(text + "}");
    hint.FitHeightToText(100, 360);
    EXPECT_EQ(hint.height(), 360) << "no taller than the most";

    hint.resize(300, 200);  // the learner's size
    hint.LoadText("One short line.");
    hint.FitHeightToText(100, 360);
    EXPECT_EQ(hint.size(), QSize(300, 200));
}

TEST(StudyTextWindowTest, AClosedWindowReadsItsTextOnlyWhenItOpens) {
    THintForm hint;
    hint.LoadText("{\\rtf1 \\b First\\b0  hint.}");
    hint.LoadText("{\\rtf1 Second hint.}");
    EXPECT_EQ(hint.ReadSummary().pictures, 0);
    EXPECT_EQ(hint.Hint()->document()->toPlainText(), QStringLiteral("Second hint."))
        << "the viewer holds the last text loaded";
    hint.LoadText("Third.");
    hint.ToggleVisible();
    EXPECT_EQ(hint.Hint()->document()->toPlainText(), QStringLiteral("Third."));
    hint.Clear();
    EXPECT_TRUE(hint.IsEmpty());
    hint.ToggleVisible();
    hint.LoadText("Fourth.");
    hint.Clear();
    hint.ToggleVisible();
    EXPECT_TRUE(hint.IsEmpty()) << "a cleared text does not come back on opening";
}

TEST(StudyTextWindowTest, LoadingScrollsBackToTheTop) {
    TRefForm references;
    references.show();
    std::string text = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i) text += "line\\par ";
    text += "}";
    references.LoadText(text);
    references.Help()->verticalScrollBar()->setValue(
        references.Help()->verticalScrollBar()->maximum());
    ASSERT_GT(references.Help()->verticalScrollBar()->value(), 0);
    references.LoadText(text);
    EXPECT_EQ(references.Help()->verticalScrollBar()->value(), 0);
}

}  // namespace
}  // namespace zentrix::engine::aids
