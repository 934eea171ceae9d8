#include "setup/install_flow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "setup/setup_startup.h"
#include "setup/setup_texts.h"
#include "setup_fixture.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;
using Event = RecordingSetupDialogs::Event;
using platform::RootKey;

class InstallFlowTest : public SetupFixture {};

TEST_F(InstallFlowTest, InstallsWhatTheScriptNames) {
    writeProduct();
    ASSERT_TRUE(install());
    const std::string windows = paths().windowsDir;

    // The uninstaller is this program, with the script and the folder it went to.
    EXPECT_TRUE(fs::is_regular_file(windows + "/uninstall-zentrix"));
    EXPECT_NE(fs::status(windows + "/uninstall-zentrix").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    const std::string uninstallScript = readFile(windows + "/zentrix-uninstall.ini");
    EXPECT_NE(uninstallScript.find("InstalledTo=" + installDir()), std::string::npos);
    EXPECT_EQ(readFile(windows + "/" + SetupSession::engineLibraryName()), "engine library");

    // File groups: a wildcard with FilesOnly leaves the sub-folder behind.
    EXPECT_EQ(readFile(installDir() + "/bin/zentrix"), "#!/bin/sh\necho engine\n");
    EXPECT_EQ(treeOf(installDir() + "/graphics"), std::vector<std::string>{"a.png"});
    EXPECT_EQ(readFile(installDir() + "/database/gtest.dbf"), "bank");
    // The setup-only group's program was started in its folder and awaited.
    EXPECT_EQ(readFile(runtimeLog()), "ran\n");

    // The library: counted, copied, registered.
    const std::string helper = paths().systemDir + "/helper.so";
    EXPECT_TRUE(fs::is_regular_file(helper));
    EXPECT_EQ(registryInteger(RootKey::LocalMachine, kSharedKey, helper), 1u);
    EXPECT_EQ(readFile(registrationLog()), "register\n");

    // The entry in another initialization file holds the path.
    EXPECT_EQ(readFile(windows + "/zentrix.ini"),
              "[Zentrix]\nHelpPage=" + installDir() + "/graphics/a.png\n");

    // The shortcut: both folder levels, a desktop entry the desktop accepts.
    const std::string entry = paths().startMenuDir + "/Programs/Zentrix/Zentrix.desktop";
    ASSERT_TRUE(fs::is_regular_file(entry));
    const std::string entryText = readFile(entry);
    EXPECT_NE(entryText.find("Exec=\"" + installDir() + "/bin/zentrix\" \"--demo\" \"two words\""),
              std::string::npos)
        << entryText;
    EXPECT_NE(entryText.find("Path=" + installDir() + "\n"), std::string::npos);
    EXPECT_EQ(
        std::system((std::string(ZENTRIX_DESKTOP_FILE_VALIDATE) + " '" + entry + "'").c_str()), 0);

    // Registry values: folders with one trailing separator, the default
    // value, an integer, and digits without the prefix kept as text.
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "HomeDir"), installDir() + "/");
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "DatabaseDir"),
              installDir() + "/database/");
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, ""), installDir());
    EXPECT_EQ(registryInteger(RootKey::LocalMachine, kEngineKey, "Seats"), 25u);
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "Digits"), "25");

    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{texts::kCompleted});
    EXPECT_EQ(host.windowCloses, 1);
    EXPECT_EQ(host.statuses, (std::vector<std::string>{
                                 "Copying the program...", "Copying the graphics...",
                                 "Copying the question bank...", "Starting the runtime setup...",
                                 "Registering the helper...", "Making the shortcut...",
                                 texts::kMakingRegistryEntries}));
}

TEST_F(InstallFlowTest, TheInstallFolderBoxNeverGivesAnEmptyOrDoubledSeparator) {
    writeProduct();
    const struct {
        std::string typed;
        const char* message;  // nullptr: installed to installDir()
    } cases[] = {
        {installDir() + "/", nullptr},
        {installDir() + "//", nullptr},
        {"", texts::kNoInstallFolder},
        {"   ", texts::kRelativeInstallFolder},
        {"programs/Zentrix", texts::kRelativeInstallFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("typed: \"" + c.typed + "\"");
        fs::remove_all(installDir());
        fs::remove(paths().windowsDir + "/zentrix-uninstall.ini");
        SetupSession& s = newSession();
        ASSERT_EQ(SetupStartup(s).activate(), StartupOutcome::InstallPanel);
        s.screen.installFolder = c.typed;
        if (c.message) {
            EXPECT_FALSE(InstallFlow(s).run());
            EXPECT_EQ(dialogs.messages(), std::vector<std::string>{c.message});
            EXPECT_FALSE(fs::exists(paths().windowsDir + "/zentrix-uninstall.ini"));
            EXPECT_TRUE(s.screen.installVisible);  // the panel stays
        } else {
            ASSERT_TRUE(InstallFlow(s).run());
            EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "HomeDir"),
                      installDir() + "/");
            EXPECT_NE(readFile(paths().windowsDir + "/zentrix-uninstall.ini")
                          .find("InstalledTo=" + installDir() + "\n"),
                      std::string::npos);
        }
    }
}

TEST_F(InstallFlowTest, ASharedLibraryInstalledTwiceIsCountedTwice) {
    writeProduct();
    ASSERT_TRUE(install());
    fs::remove_all(installDir());  // as if another product shared the library
    ASSERT_TRUE(install());
    EXPECT_EQ(registryInteger(RootKey::LocalMachine, kSharedKey, paths().systemDir + "/helper.so"),
              2u);
}

TEST_F(InstallFlowTest, RegistrationProblemsAreReportedAndTheInstallGoesOn) {
    const struct {
        const char* library;  // copied to the medium as helper.so; nullptr: none
        const char* suffix;   // after the library path
        const char* prefix;   // before it
    } cases[] = {
        {ZENTRIX_FAILING_LIBRARY, texts::kRegisterFailedSuffix, ""},
        {ZENTRIX_FIXTURE_v3_0_0_0, "", texts::kProcAddressPrefix},  // a program: no such export
        {nullptr, "", texts::kProcAddressPrefix},                   // no library at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library ? c.library : "no library");
        writeProduct();
        fs::remove(medium("helper.so"));
        fs::remove(paths().systemDir + "/helper.so");
        fs::remove_all(installDir());
        if (c.library) fs::copy_file(c.library, medium("helper.so"));
        install();
        const std::string path = paths().systemDir + "/helper.so";
        EXPECT_TRUE(anyContains(dialogs.texts(Event::Error), c.prefix + path + c.suffix));
        EXPECT_TRUE(anyContains(dialogs.texts(Event::Information), texts::kCompleted));
    }
}

TEST_F(InstallFlowTest, OnlyTheLastDeferredProgramRunsAndOnlyAfterTheCompletionMessage) {
    writeScript(R"([Main]
Program Name=Zentrix
Setup Name=zentrix-install
UninstallIni Name=zentrix.ini
ExeName=\zentrix
NumGroups=2
[Group1]
SetupOnly=true
RunBeforeExit=true
Source=<InstallDir>
SetupExe=first.sh
[Group2]
SetupOnly=yes
RunBeforeExit=true
Source=<InstallDir>\tools
SetupExe=second.sh
)");
    writeMediumProgram("zentrix-install", "exit 0");
    writeMediumFile(SetupSession::engineLibraryName(), "engine library");
    const std::string log = scratch.work("deferred.log");
    for (const char* name : {"first.sh", "tools/second.sh"}) {
        writeMediumProgram(name, std::string("echo ") + name + " >> '" + log + "'");
    }
    // The programs are on the install folder's path only once copied there.
    fs::create_directories(installDir());
    fs::copy(medium("first.sh"), installDir() + "/first.sh");
    fs::create_directories(installDir() + "/tools");
    fs::copy(medium("tools/second.sh"), installDir() + "/tools/second.sh");
    ASSERT_TRUE(install());
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{texts::kCompleted});
    for (int i = 0; i < 500 && !fs::exists(log); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(readFile(log), "tools/second.sh\n");
}

TEST_F(InstallFlowTest, ScriptErrorsStopTheInstallAndKeepWhatIsDone) {
    const struct {
        const char* from;   // a line of the script...
        const char* to;     // ...and what breaks it
        const char* named;  // what the error names
    } cases[] = {
        {"NumLinks=1", "NumLinks=two", "NumLinks"},
        {"Root=HKEY_LOCAL_MACHINE\n", "Root=HKEY_LOCAL_MACHINE\n[Unused]\n", "[RegKey1]"},
        {"RegFile=true", "RegFile=true\nChangeDir=true\nDir=<InstallDir>\\missing", "missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        writeProduct();
        std::string script = productScript();
        const size_t at = script.rfind(c.from);
        ASSERT_NE(at, std::string::npos);
        script.replace(at, std::string(c.from).size(), c.to);
        writeScript(script);
        fs::remove_all(installDir());
        fs::remove_all(paths().registryDir);
        fs::create_directories(paths().registryDir);
        EXPECT_FALSE(install());
        EXPECT_TRUE(anyContains(dialogs.texts(Event::Error), c.named));
        EXPECT_FALSE(anyContains(dialogs.messages(), texts::kCompleted));
        EXPECT_TRUE(fs::is_regular_file(installDir() + "/bin/zentrix"));  // done stays done
        EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "HomeDir"), "<no key>");
    }
}

}  // namespace
}  // namespace zentrix::setup::testing
