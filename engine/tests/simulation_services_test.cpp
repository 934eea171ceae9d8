// The simulation panel's questions and errors through the dialog service.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <functional>

#include "engine/recording_dialog_service.h"
#include "engine/screens/dialog_simulation_services.h"

namespace zentrix::engine::testing {
namespace {

using Event = RecordingDialogService::Event;

TEST(DialogSimulationServices, AsksAfterABeepAndOnlyYesGoesOn) {
    const struct {
        const char* name;
        std::function<int(QMessageBox&)> learner;  // null: the box is closed
        bool answer;
    } cases[] = {
        {"Yes clicked",
         [](QMessageBox& box) {
             QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton);
             return box.result();
         },
         true},
        {"No clicked",
         [](QMessageBox& box) {
             QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
             return box.result();
         },
         false},
        {"Escape",
         [](QMessageBox& box) {
             box.show();
             QTest::keyClick(&box, Qt::Key_Escape);
             return box.result();
         },
         false},
        {"closed", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDialogService dialogs;
        QString shown;
        QStringList buttons;
        dialogs.answerNextDialog([&](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            shown = box.text();
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            for (QAbstractButton* button : box.buttons()) buttons.append(button->text());
            return c.learner ? c.learner(box) : int(QDialog::Rejected);
        });
        DialogSimulationServices services(dialogs);
        const QString question = QStringLiteral("This is an incorrect file type. Continue On?");
        EXPECT_EQ(services.askYesNo(question), c.answer);
        ASSERT_EQ(dialogs.entries().size(), 2u);
        EXPECT_EQ(dialogs.entries()[0].event, Event::Beep);
        EXPECT_EQ(dialogs.entries()[1].event, Event::Dialog);
        EXPECT_EQ(dialogs.entries()[1].text, "Error");
        EXPECT_EQ(shown, question);
        EXPECT_EQ(buttons, (QStringList{"&Yes", "&No"}));
    }
}

TEST(DialogSimulationServices, FileThatCannotBeReadIsAnErrorThatSaysSo) {
    RecordingDialogService dialogs;
    DialogSimulationServices services(dialogs);
    services.reportError(QStringLiteral("router-page.sim: file ends inside its 12-byte header"));
    EXPECT_EQ(dialogs.texts(Event::Error),
              std::vector<QString>{"The simulation of this question cannot be played.\n"
                                   "router-page.sim: file ends inside its 12-byte header"});
}

}  // namespace
}  // namespace zentrix::engine::testing
