#include <gtest/gtest.h>

#include "setup/setup_startup.h"
#include "setup/setup_texts.h"
#include "setup_fixture.h"

namespace zentrix::setup::testing {
namespace {

using Event = RecordingSetupDialogs::Event;
using platform::RootKey;

class StartupTest : public SetupFixture {
protected:
    StartupOutcome start(std::vector<std::string> arguments = {"zentrix-install"}) {
        return SetupStartup(newSession(std::move(arguments))).activate();
    }
};

TEST_F(StartupTest, TheDashURuleChoosesTheUninstallOnlyForAnAdministrator) {
    writeProduct();
    const struct {
        std::vector<std::string> arguments;
        bool admin;
        StartupOutcome outcome;
        std::vector<std::string> messages;
    } cases[] = {
        {{"uninstall-zentrix", "-u", "zentrix-uninstall.ini"}, true, StartupOutcome::Uninstall, {}},
        {{"/media/cd/setup-u"}, true, StartupOutcome::Uninstall, {}},
        {{"uninstall-zentrix", "-u", "x.ini"},
         false,
         StartupOutcome::Closing,
         {texts::kUninstallNeedsAdmin}},
        {{"zentrix-install"}, true, StartupOutcome::InstallPanel, {}},
        {{"zentrix-install"}, false, StartupOutcome::Closing, {texts::kInstallNeedsAdmin}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back() + (c.admin ? " as administrator" : " as a user"));
        setAdmin(c.admin);
        EXPECT_EQ(start(c.arguments), c.outcome);
        EXPECT_EQ(dialogs.messages(), c.messages);
        EXPECT_EQ(host.uninstallsPosted, c.outcome == StartupOutcome::Uninstall ? 1 : 0);
        EXPECT_EQ(host.closesPosted, c.outcome == StartupOutcome::Closing ? 1 : 0);
        // Refusals beep first.
        EXPECT_EQ(dialogs.texts(Event::Beep).size(), c.messages.size());
    }
}

TEST_F(StartupTest, TitlesAndTheProposedFolderComeFromTheScriptAndAnEarlierInstall) {
    const struct {
        const char* main;     // [Main] lines besides the common ones
        const char* homeDir;  // stored by an earlier install; nullptr: no key
        const char* caption;
        const char* welcome;
        std::string folder;
    } cases[] = {
        {"Version=2.1\n", nullptr, "Zentrix Install", "Welcome to Brenlo's Zentrix. Version 2.1",
         installDir()},
        {"", "", "Zentrix Install", "Welcome to Brenlo's Zentrix.", installDir()},
        {"DefaultInstallDir=C:\\Program Files\\Brenlo\\Zentrix\n", nullptr, "Zentrix Install",
         "Welcome to Brenlo's Zentrix.", paths().programFilesDir + "/Brenlo/Zentrix"},
        {"DefaultInstallDir=/srv/zentrix\n", "/opt/earlier/", "Zentrix Install",
         "Welcome to Brenlo's Zentrix.", "/opt/earlier/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.main);
        writeScript(std::string("[Main]\nProgram Name=Zentrix\nExeName=\\zentrix\nKey=") +
                    kEngineKey + "\n" + c.main);
        (void)platform().registry->deleteKeyTree(RootKey::LocalMachine, kEngineKey);
        if (c.homeDir) {
            ASSERT_TRUE(platform().registry->createKey(RootKey::LocalMachine, kEngineKey));
            ASSERT_TRUE(platform().registry->setValue(RootKey::LocalMachine, kEngineKey, "HomeDir",
                                                      std::string(c.homeDir)));
        }
        EXPECT_EQ(start(), StartupOutcome::InstallPanel);
        const InstallScreen& screen = session().screen;
        EXPECT_EQ(screen.caption, c.caption);
        EXPECT_EQ(screen.welcome, c.welcome);
        EXPECT_EQ(screen.installFolder, c.folder);
        EXPECT_EQ(screen.heading, texts::kInstallTo);
        EXPECT_TRUE(screen.folderVisible && screen.installVisible && screen.changeFolderVisible &&
                    screen.exitVisible);
        EXPECT_EQ(screen.exitCaption, texts::kCancel);
    }
}

TEST_F(StartupTest, WithoutItsScriptTheProgramSaysSoAndCloses) {
    EXPECT_EQ(start(), StartupOutcome::Closing);
    ASSERT_EQ(dialogs.texts(Event::Error).size(), 1u);
    EXPECT_NE(dialogs.texts(Event::Error)[0].find("install.ini"), std::string::npos);
    EXPECT_EQ(host.closesPosted, 1);
}

TEST_F(StartupTest, CancelAsksOnlyWhileAnInstallCouldStillStart) {
    writeProduct();
    start();
    dialogs.answerNextQuestion(false);
    EXPECT_FALSE(SetupStartup(session()).confirmExit());
    EXPECT_EQ(dialogs.texts(Event::Question), std::vector<std::string>{texts::kAbortQuestion});
    dialogs.clear();
    session().state.confirmCancel = false;
    EXPECT_TRUE(SetupStartup(session()).confirmExit());
    EXPECT_TRUE(dialogs.entries().empty());
}

}  // namespace
}  // namespace zentrix::setup::testing
