#include <gtest/gtest.h>

#include <filesystem>

#include "setup/registry_entries.h"
#include "setup/setup_startup.h"
#include "setup/setup_texts.h"
#include "setup/uninstall_flow.h"
#include "setup_fixture.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;
using Event = RecordingSetupDialogs::Event;
using platform::RootKey;

class UninstallTest : public SetupFixture {
protected:
    std::vector<std::string> uninstallArguments() const {
        return {paths().windowsDir + "/uninstall-zentrix", "-u", "zentrix-uninstall.ini"};
    }
    bool uninstall() {
        SetupSession& s = newSession(uninstallArguments());
        EXPECT_EQ(SetupStartup(s).activate(), StartupOutcome::Uninstall);
        return UninstallFlow(s).RunUninstall();
    }
    // Rewrites the uninstall script the install left in the Windows folder.
    void editUninstallScript(const std::string& from, const std::string& to) {
        const std::string path = paths().windowsDir + "/zentrix-uninstall.ini";
        std::string text = readFile(path);
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        writeFile(path, text);
    }
    std::vector<std::string> trashed() const { return treeOf(paths().trashDir + "/files"); }
};

TEST_F(UninstallTest, RemovesWhatTheInstallPutThereAndLeavesWhatStays) {
    writeProduct();
    ASSERT_TRUE(install());
    // A value and a key below the product's key that the install did not write.
    ASSERT_TRUE(platform().registry->createKey(RootKey::LocalMachine,
                                               std::string(kEngineKey) + "\\Seats\\Lab 1"));
    fs::remove(registrationLog());

    ASSERT_TRUE(uninstall());
    EXPECT_EQ(dialogs.texts(Event::Question),
              std::vector<std::string>{"Are you sure about deleting the Zentrix program?"});
    EXPECT_TRUE(dialogs.texts(Event::Error).empty()) << dialogs.texts(Event::Error)[0];
    const InstallScreen& screen = session().screen;
    EXPECT_EQ(screen.caption, "Zentrix UnInstall");
    EXPECT_EQ(screen.welcome, "Brenlo's Uninstall program for Zentrix. Version 2.1");
    EXPECT_EQ(screen.heading, texts::kUninstallCompleted);
    EXPECT_EQ(screen.exitCaption, texts::kClose);
    EXPECT_TRUE(screen.exitEnabled);
    EXPECT_EQ(host.closesPosted, 0);  // the window stays until Close

    // Into the trash, restorable: the program and the graphics folders.
    const std::vector<std::string> inTrash = trashed();
    EXPECT_NE(std::find(inTrash.begin(), inTrash.end(), "bin/zentrix"), inTrash.end());
    EXPECT_NE(std::find(inTrash.begin(), inTrash.end(), "graphics/a.png"), inTrash.end());
    EXPECT_NE(
        readFile(paths().trashDir + "/info/bin.trashinfo").find("Path=" + installDir() + "/bin"),
        std::string::npos);
    // The question bank group says DontDelete; the setup-only group is never deleted.
    EXPECT_EQ(readFile(installDir() + "/database/gtest.dbf"), "bank");
    EXPECT_TRUE(fs::exists(medium("runtime/setup.sh")));
    // The library was counted once: unregistered and deleted.
    EXPECT_EQ(readFile(registrationLog()), "unregister\n");
    EXPECT_FALSE(fs::exists(paths().systemDir + "/helper.so"));
    EXPECT_EQ(registryInteger(RootKey::LocalMachine, kSharedKey, paths().systemDir + "/helper.so"),
              std::nullopt);
    // The key with everything below it; the shortcut but not its folders.
    EXPECT_FALSE(platform().registry->keyExists(RootKey::LocalMachine, kEngineKey));
    EXPECT_FALSE(fs::exists(paths().startMenuDir + "/Programs/Zentrix/Zentrix.desktop"));
    EXPECT_TRUE(fs::is_directory(paths().startMenuDir + "/Programs/Zentrix"));
    // What stays: other initialization files, the uninstaller, its script, the engine library.
    EXPECT_TRUE(fs::exists(paths().windowsDir + "/zentrix.ini"));
    EXPECT_TRUE(fs::exists(paths().windowsDir + "/uninstall-zentrix"));
    EXPECT_TRUE(fs::exists(paths().windowsDir + "/zentrix-uninstall.ini"));
    EXPECT_TRUE(fs::exists(paths().windowsDir + "/" + SetupSession::engineLibraryName()));
}

TEST_F(UninstallTest, SharedLibrariesGoOnlyWithTheirLastProduct) {
    const struct {
        std::optional<uint32_t> countBefore;  // nullopt: no count value
        const char* extra;                    // added to [RegDll1]
        std::optional<uint32_t> countAfter;
        bool removed;
    } cases[] = {
        {2, "", 1, false},
        {1, "", std::nullopt, true},
        {std::nullopt, "", std::nullopt, true},
        {1, "NoDelete=true\n", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.countBefore.value_or(0)) + " " + c.extra);
        writeProduct();
        ASSERT_TRUE(install());
        const std::string helper = paths().systemDir + "/helper.so";
        if (c.countBefore) {
            ASSERT_TRUE(platform().registry->setValue(RootKey::LocalMachine, kSharedKey, helper,
                                                      *c.countBefore));
        } else {
            ASSERT_TRUE(
                platform().registry->deleteValue(RootKey::LocalMachine, kSharedKey, helper));
        }
        editUninstallScript("RegFile=true\n", std::string("RegFile=true\n") + c.extra);
        fs::remove(registrationLog());
        ASSERT_TRUE(uninstall());
        EXPECT_EQ(registryInteger(RootKey::LocalMachine, kSharedKey, helper), c.countAfter);
        EXPECT_EQ(fs::exists(helper), !c.removed);
        EXPECT_EQ(readFile(registrationLog()), c.removed ? "unregister\n" : "");
    }
}

TEST_F(UninstallTest, AGroupWhoseFolderLiesOutsideTheProductIsSkippedAndNamed) {
    const std::vector<std::string> dests = {
        "\\",
        "C:\\",
        "<CurrentDrive>:\\",
        "<WindowsDir>\\",
        "<SystemDir>",
        "<InstallDir>\\..",
        "\\usr\\share",
        "<InstallDir>\\..\\..\\..",
    };
    for (const std::string& dest : dests) {
        SCOPED_TRACE(dest);
        writeProduct();
        ASSERT_TRUE(install());
        writeFile(paths().homeDir + "/notes.txt", "mine");
        editUninstallScript("Dest=<InstallDir>\\bin\\", "Dest=" + dest);
        const std::string everything = fs::path(paths().root).parent_path().string();
        ASSERT_TRUE(uninstall());
        EXPECT_TRUE(anyContains(host.statuses, "[Group1] not removed")) << dest;
        // The program group was the one pointed elsewhere: it stays, and so does
        // everything outside the product.
        EXPECT_TRUE(fs::exists(installDir() + "/bin/zentrix"));
        EXPECT_EQ(readFile(paths().homeDir + "/notes.txt"), "mine");
        EXPECT_TRUE(fs::exists(paths().windowsDir + "/uninstall-zentrix"));
        EXPECT_TRUE(fs::is_directory(paths().programFilesDir));
        EXPECT_TRUE(fs::exists("/usr/share"));
        const std::vector<std::string> inTrash = trashed();
        EXPECT_EQ(std::find(inTrash.begin(), inTrash.end(), "bin"), inTrash.end());
        fs::remove_all(paths().trashDir);
        fs::remove_all(installDir());
        (void)everything;
    }
}

TEST_F(UninstallTest, NothingIsRemovedWithoutAConfirmedInstalledProduct) {
    const struct {
        const char* what;
        std::function<void()> arrange;
        bool asked;
        std::vector<std::string> errors;
    } cases[] = {
        {"answered No", [this] { dialogs.answerNextQuestion(false); }, true, {}},
        {"program files gone",
         [this] { fs::remove(installDir() + "/bin/zentrix"); },
         false,
         {texts::kNothingToUninstall}},
        {"no install folder in the script",
         [this] { editUninstallScript("InstalledTo=", "InstalledFrom="); },
         false,
         {texts::kNothingToUninstall}},
        {"product key gone",
         [this] { (void)platform().registry->deleteKeyTree(RootKey::LocalMachine, kEngineKey); },
         true,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeProduct();
        ASSERT_TRUE(install());
        fs::remove_all(paths().trashDir);
        SetupSession& s = newSession(uninstallArguments());
        SetupStartup(s).activate();
        c.arrange();
        EXPECT_FALSE(UninstallFlow(s).RunUninstall());
        EXPECT_EQ(dialogs.texts(Event::Error), c.errors);
        EXPECT_EQ(dialogs.texts(Event::Question).size(), c.asked ? 1u : 0u);
        EXPECT_TRUE(trashed().empty());
        EXPECT_TRUE(fs::exists(installDir() + "/graphics/a.png"));
        EXPECT_TRUE(s.screen.exitEnabled);
        fs::remove_all(installDir());
    }
    // Without a script named at all.
    SetupSession& s = newSession({"uninstall-zentrix", "-u"});
    SetupStartup(s).activate();
    EXPECT_FALSE(UninstallFlow(s).RunUninstall());
    EXPECT_EQ(dialogs.texts(Event::Error), std::vector<std::string>{texts::kNothingToUninstall});
    EXPECT_EQ(host.closesPosted, 1);
}

TEST(RegistryEntries, KeysHoldingOtherProductsOrSystemEntriesAreNeverRemoved) {
    const struct {
        const char* key;
        bool removable;
    } cases[] = {
        {"\\software\\Brenlo\\Quaylo\\Test Engine", true},
        {"\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zentrix", true},
        {"\\software\\Brenlo", true},
        {"", false},
        {"\\", false},
        {"\\Software", false},
        {"Software\\", false},
        {"\\Software\\Microsoft\\Windows\\CurrentVersion", false},
        {"\\software\\microsoft\\windows\\currentversion\\shareddlls", false},
        {"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bool(RegistryEntries::checkRemovable(c.key)), c.removable) << c.key;
}

}  // namespace
}  // namespace zentrix::setup::testing
