#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "setup/exam_package_flow.h"
#include "setup/setup_startup.h"
#include "setup/setup_texts.h"
#include "setup_fixture.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;
using Event = RecordingSetupDialogs::Event;

// An installed product and a medium whose files carry the versions each
// case asks for (programs built with those version notes).
class UpdateTest : public SetupFixture {
protected:
    UpdateTest() {
        writeScript(R"([Main]
Program Name=Zentrix
ExeName=\zentrix
NumDllToReg=2
[RegDll1]
Source=\checked.so
Dest=<SystemDir>\checked.so
CheckVersion=true
[Updating files1]
Description=Updating the checked library...
[RegDll2]
Source=\unchecked.so
Dest=<SystemDir>\unchecked.so
[Link1]
Descr=Making the shortcut...
Dest=\Zentrix
LinkName=\Zentrix.lnk
FileName=<InstallDir>\zentrix
WorkingDir=<InstallDir>
)");
        writeMediumProgram("zentrix-install", "exit 0");
        writeMediumFile("vire/graphics/new.png", "new");
        put(ZENTRIX_FIXTURE_v2_0_0_15, medium("checked.so"));
    }

    static void put(const char* fixture, const std::string& where) {
        fs::create_directories(fs::path(where).parent_path());
        fs::copy_file(fixture, where, fs::copy_options::overwrite_existing);
    }
    static std::string bytes(const char* fixture) { return readFile(fixture); }
    static ino_t inode(const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    void runUpdate() {
        SetupSession& s = newSession();
        SetupStartup(s).activate();
    }
};

TEST_F(UpdateTest, TheMainProgramIsReplacedOnlyByALaterVersion) {
    const struct {
        const char* installed;
        const char* medium;
        bool replaced;
    } cases[] = {
        {ZENTRIX_FIXTURE_v2_0_0_15, ZENTRIX_FIXTURE_v2_0_0_16_commas, true},  // "2, 0, 0, 16"
        {ZENTRIX_FIXTURE_v2_0_0_15, ZENTRIX_FIXTURE_v3_0_0_0, true},
        {ZENTRIX_FIXTURE_v2_0_0_15, ZENTRIX_FIXTURE_v1_9_0_20,
         false},  // a greater minor is not later
        {ZENTRIX_FIXTURE_v3_0_0_0, ZENTRIX_FIXTURE_v2_0_0_16_commas, false},
        {ZENTRIX_FIXTURE_v2_0_0_15, ZENTRIX_FIXTURE_v2_0_0_15, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.installed) + " <- " + c.medium);
        fs::remove_all(installDir());
        fs::remove_all(paths().startMenuDir + "/Zentrix");
        put(c.installed, installDir() + "/zentrix");
        put(c.medium, medium("vire/zentrix"));
        const ino_t before = inode(installDir() + "/zentrix");
        runUpdate();
        EXPECT_EQ(readFile(installDir() + "/zentrix"), bytes(c.replaced ? c.medium : c.installed));
        // A new file takes the name: a running engine keeps the one it started from.
        EXPECT_EQ(inode(installDir() + "/zentrix") != before, c.replaced);
        // The graphics and the main shortcut come with a new program only.
        EXPECT_EQ(fs::exists(installDir() + "/graphics/new.png"), c.replaced);
        EXPECT_EQ(fs::exists(paths().startMenuDir + "/Zentrix/Zentrix.desktop"), c.replaced);
        EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Zentrix is already installed"});
    }
}

TEST_F(UpdateTest, WithoutAdministratorRightsTheProgramIsNotReplaced) {
    put(ZENTRIX_FIXTURE_v2_0_0_15, installDir() + "/zentrix");
    put(ZENTRIX_FIXTURE_v3_0_0_0, medium("vire/zentrix"));
    setAdmin(false);
    runUpdate();
    EXPECT_EQ(readFile(installDir() + "/zentrix"), bytes(ZENTRIX_FIXTURE_v2_0_0_15));
    EXPECT_EQ(dialogs.texts(Event::Error), std::vector<std::string>{texts::kInstallNeedsAdmin});
    EXPECT_EQ(host.closesPosted, 1);
}

TEST_F(UpdateTest, LibrariesAreUpdatedByVersionOnlyWhenTheScriptAsks) {
    const std::string engineLibrary = SetupSession::engineLibraryName();
    const struct {
        const char* mediumFile;     // checked.so, unchecked.so and the engine library on the medium
        const char* installedFile;  // the same installed; nullptr: not installed
        bool checkedReplaced;
    } cases[] = {
        {ZENTRIX_FIXTURE_v3_0_0_0, nullptr, true},
        {ZENTRIX_FIXTURE_v3_0_0_0, ZENTRIX_FIXTURE_v2_0_0_15, true},
        {ZENTRIX_FIXTURE_v2_0_0_15, ZENTRIX_FIXTURE_v3_0_0_0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mediumFile) + " <- " +
                     (c.installedFile ? c.installedFile : "nothing"));
        fs::remove_all(installDir());
        fs::remove_all(paths().systemDir);
        fs::create_directories(paths().systemDir);
        put(ZENTRIX_FIXTURE_v2_0_0_15, installDir() + "/zentrix");
        for (const std::string& name :
             {std::string("checked.so"), std::string("unchecked.so"), engineLibrary}) {
            put(c.mediumFile, medium(name));
        }
        if (c.installedFile) {
            put(c.installedFile, paths().systemDir + "/checked.so");
            put(c.installedFile, paths().systemDir + "/unchecked.so");
            put(c.installedFile, installDir() + "/" + engineLibrary);
        }
        runUpdate();
        const std::string expected = bytes(c.checkedReplaced ? c.mediumFile : c.installedFile);
        EXPECT_EQ(readFile(paths().systemDir + "/checked.so"), expected);
        // The engine library beside the program follows the same rule.
        EXPECT_EQ(readFile(installDir() + "/" + engineLibrary), expected);
        // A library without CheckVersion is never touched by the update.
        EXPECT_EQ(readFile(paths().systemDir + "/unchecked.so"),
                  c.installedFile ? bytes(c.installedFile) : "");
        EXPECT_TRUE(anyContains(host.statuses, "Updating the checked library..."));
    }
}

}  // namespace
}  // namespace zentrix::setup::testing
