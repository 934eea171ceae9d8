// The main window on a real question bank: the catalogue events of TTesting
// fill the tree, and choosing an exam opens it.

#include <gtest/gtest.h>

#include <QSpinBox>

#include "base/message_sink.h"
#include "engine/engine_data.h"
#include "engine_fixture.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"

namespace zentrix::engine::testing {
namespace {

class TTestingTreeTest : public EngineFixture {
protected:
    void SetUp() override {
        writeRegistryKey();
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        questionbank::TTesting bank(engine, folder("data"), sink);
        ASSERT_TRUE(bank.IsValid()) << bank.LastError();
        ASSERT_EQ(bank.AddParent("NET", "Networking", "", "1:00", 10), 0) << bank.LastError();
        ASSERT_EQ(bank.AddTest("NET1", "NET", "", "NET1", "Network Basics"), 0) << bank.LastError();
        ASSERT_EQ(bank.OpenTest("NET1"), 0) << bank.LastError();
        for (int number = 1; number <= 3; ++number) {
            ASSERT_GT(bank.AddTestQuestion(number, 0, "Q" + std::to_string(number), "Text", 0,
                                           "TRUE", "", "", "", 0),
                      0)
                << bank.LastError();
        }
        bank.CloseTest();
    }
};

TEST_F(TTestingTreeTest, CatalogueFillsTheTreeAndAnExamOpensWithItsQuestionCount) {
    TfrmMain main(MainWindowContext{
        dialogs, registry, profiles, shell, OpenEngineData, {"zentrix"}, settingsFile});
    ASSERT_TRUE(main.StartupSucceeded());
    ASSERT_EQ(main.TreeRows().size(), 3u);
    EXPECT_EQ(main.vsiTestSelectBox()->itemText(0), "Networking");
    EXPECT_EQ(main.vsiTestSelectBox()->itemText(1), " Network Basics");
    EXPECT_EQ(main.vsiTestSelectBox()->itemText(2), " Zentrix for Networking");
    EXPECT_EQ(main.TreeRows()[1].gPS, 2) << "the mixed row follows the only exam";

    main.vsiTestSelectBoxActivate(1);
    EXPECT_EQ(main.CurrentScreen(), ScreenId::QVTestType);
    EXPECT_EQ(main.edtNumQuestions()->maximum(), 3);
    EXPECT_EQ(main.windowTitle(), "Network Basics");
    EXPECT_TRUE(dialogs.entries().empty());
}

}  // namespace
}  // namespace zentrix::engine::testing
