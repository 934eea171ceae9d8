#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/linux/linux_system.h"
#include "platform/path_text.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;
using testing::ScratchPlatform;

// Sets environment variables for one test and restores them afterwards.
class EnvironmentOverride {
public:
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~EnvironmentOverride() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(PlatformPaths, DefaultRootFollowsTheXdgBaseDirectories) {
    EnvironmentOverride environment;
    environment.set(PlatformPaths::kRootVariable, nullptr);
    environment.set("HOME", "/home/learner");
    environment.set("XDG_DATA_HOME", nullptr);
    environment.set("TMPDIR", nullptr);
    PlatformPaths paths = PlatformPaths::fromEnvironment();
    EXPECT_FALSE(paths.relocated);
    EXPECT_EQ(paths.root, "/home/learner/.local/share/zentrix");
    EXPECT_EQ(paths.registryDir, "/home/learner/.local/share/zentrix/registry");
    EXPECT_EQ(paths.windowsDir, "/home/learner/.local/share/zentrix/windows");
    EXPECT_EQ(paths.systemDir, "/home/learner/.local/share/zentrix/windows/system");
    EXPECT_EQ(paths.startMenuDir, "/home/learner/.local/share/applications");
    EXPECT_EQ(paths.trashDir, "/home/learner/.local/share/Trash");
    EXPECT_EQ(paths.tempDir, "/tmp");

    environment.set("XDG_DATA_HOME", "/data/");
    EXPECT_EQ(PlatformPaths::fromEnvironment().startMenuDir, "/data/applications");
    environment.set("XDG_DATA_HOME", "relative/is/ignored");
    EXPECT_EQ(PlatformPaths::fromEnvironment().root, "/home/learner/.local/share/zentrix");
}

TEST(PlatformPaths, OneVariableMovesEverythingButTheHomeFolder) {
    EnvironmentOverride environment;
    environment.set(PlatformPaths::kRootVariable, "/scratch/zx/");
    environment.set("HOME", "/home/learner");
    PlatformPaths paths = PlatformPaths::fromEnvironment();
    EXPECT_TRUE(paths.relocated);
    EXPECT_EQ(paths.root, "/scratch/zx");
    for (const std::string& folder :
         {paths.registryDir, paths.windowsDir, paths.systemDir, paths.startMenuDir, paths.trashDir,
          paths.tempDir, paths.programFilesDir}) {
        EXPECT_EQ(folder.rfind("/scratch/zx/", 0), 0u) << folder;
    }
    EXPECT_EQ(paths.homeDir, "/home/learner");
}

TEST(System, FoldersShortPathsAndInputSettings) {
    ScratchPlatform scratch;
    System& system = *scratch.platform().system;
    EXPECT_EQ(system.windowsFolder(), scratch.paths().windowsDir);
    EXPECT_EQ(system.systemFolder(), scratch.paths().systemDir);
    EXPECT_EQ(system.tempFolder(), scratch.paths().tempDir);
    EXPECT_TRUE(fs::is_directory(system.tempFolder()));
    EXPECT_EQ(system.shortPath(scratch.paths().windowsDir).value(), scratch.paths().windowsDir);
    EXPECT_FALSE(system.shortPath(scratch.work("missing")));

    EXPECT_EQ(system.doubleClickTimeMs(), LinuxSystem::kDefaultDoubleClickTimeMs);
    EXPECT_FALSE(system.isKeyDown(ModifierKey::Control));
    system.setDoubleClickTimeProvider([] { return 250; });
    system.setKeyStateProvider([](ModifierKey key) { return key == ModifierKey::Shift; });
    EXPECT_EQ(system.doubleClickTimeMs(), 250);
    EXPECT_TRUE(system.isKeyDown(ModifierKey::Shift));
    EXPECT_FALSE(system.isKeyDown(ModifierKey::Alt));
}

TEST(System, AdministratorIsTheSuperuserOrTheOwnerOfThePlatformRoot) {
    ScratchPlatform scratch;
    const uid_t me = ::geteuid();
    const uid_t someoneElse = me == 0 ? 12345 : me + 1;
    EXPECT_TRUE(LinuxSystem::isAdministrator(scratch.paths().root, 0));
    if (me != 0) {
        EXPECT_TRUE(LinuxSystem::isAdministrator(scratch.paths().root, me));
    }
    EXPECT_FALSE(LinuxSystem::isAdministrator(scratch.paths().root, someoneElse));
    // A root not made yet: the nearest existing folder above decides.
    if (me != 0) {
        EXPECT_TRUE(LinuxSystem::isAdministrator(scratch.work("not/yet/made"), me));
    }
    EXPECT_FALSE(LinuxSystem::isAdministrator("/usr/zentrix-root", someoneElse));
}

TEST(NativePath, TurnsScriptPathsIntoLinuxPaths) {
    struct Case {
        const char* script;
        const char* native;
    } cases[] = {
        {"/media/cd\\vire\\database\\", "/media/cd/vire/database/"},
        {"C:\\Program Files\\Zentrix", "/Program Files/Zentrix"},
        {":\\Setup", "/Setup"},                     // an empty drive placeholder
        {"/opt/z\\\\Database", "/opt/z/Database"},  // doubled separators
        {"relative\\file.ini", "relative/file.ini"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(nativePath(c.script), c.native) << c.script;
    EXPECT_EQ(withoutTrailingSeparators("/opt/z\\/"), "/opt/z");
    EXPECT_EQ(withoutTrailingSeparators("/"), "/");
}

TEST(NativePath, FindsFilesNamedWithAnotherCase) {
    ScratchPlatform scratch;
    testing::writeFile(scratch.work("Medium/install.ini"), "[Main]");
    testing::writeFile(scratch.work("Medium/vire/BZ_C4.DLL"), "lib");
    struct Case {
        std::string asked;
        std::string found;
    } cases[] = {
        {scratch.work("Medium/Install.ini"), scratch.work("Medium/install.ini")},
        {scratch.work("MEDIUM/VIRE/bz_c4.dll"), scratch.work("Medium/vire/BZ_C4.DLL")},
        {scratch.work("Medium/install.ini"), scratch.work("Medium/install.ini")},
        {scratch.work("Medium/missing.ini"), scratch.work("Medium/missing.ini")},  // unchanged
    };
    for (const Case& c : cases) EXPECT_EQ(resolvedIgnoringCase(c.asked), c.found) << c.asked;
}

}  // namespace
}  // namespace zentrix::platform
