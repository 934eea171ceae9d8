#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_copier.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScratchPlatform;
using testing::writeFile;

// A distribution medium: files at the top, a graphics folder with a sub-folder.
class ShellCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(medium("setup.bin"), "setup");
        writeFile(medium("README"), "no dot");
        writeFile(medium("vire/graphics/back.jpg"), "jpg");
        writeFile(medium("vire/graphics/Button.GIF"), "gif");
        writeFile(medium("vire/graphics/skins/scheme.ini"), "[MainInterface]");
    }
    std::string medium(const std::string& relative) const {
        return scratch_.work("medium/" + relative);
    }
    std::string install(const std::string& relative = "") const {
        return scratch_.work("install" + (relative.empty() ? "" : "/" + relative));
    }
    Shell& shell() { return *scratch_.platform().shell; }

    ScratchPlatform scratch_;
};

TEST_F(ShellCopyTest, FileLandsAsNamedOrInsideAnExistingFolder) {
    ASSERT_TRUE(shell().copy(medium("setup.bin"), scratch_.paths().windowsDir + "/uninst.bin", {}));
    EXPECT_EQ(readFile(scratch_.paths().windowsDir + "/uninst.bin"), "setup");
    ASSERT_TRUE(shell().copy(medium("setup.bin"), scratch_.paths().windowsDir, {}));
    EXPECT_EQ(readFile(scratch_.paths().windowsDir + "/setup.bin"), "setup");
    ASSERT_TRUE(shell().copy(medium("setup.bin"), install("new/deeper/"), {}));
    EXPECT_EQ(readFile(install("new/deeper/setup.bin")), "setup");
}

TEST_F(ShellCopyTest, OverwritesSilentlyEvenReadOnlyFiles) {
    writeFile(install("setup.bin"), "old");
    fs::permissions(install("setup.bin"), fs::perms::owner_read);
    ASSERT_TRUE(shell().copy(medium("setup.bin"), install("setup.bin"), {}));
    EXPECT_EQ(readFile(install("setup.bin")), "setup");
}

TEST_F(ShellCopyTest, FolderTreeBecomesAMissingTargetOrGoesInsideAnExistingOne) {
    ASSERT_TRUE(shell().copy(medium("vire/graphics"), install("graphics"), {}));
    EXPECT_EQ(readFile(install("graphics/skins/scheme.ini")), "[MainInterface]");
    // As with the Windows shell, a second copy lands inside the existing folder.
    ASSERT_TRUE(shell().copy(medium("vire/graphics/"), install("graphics"), {}));
    EXPECT_EQ(readFile(install("graphics/graphics/back.jpg")), "jpg");
}

TEST_F(ShellCopyTest, WildcardsCopyMatchesIntoTheTargetFolder) {
    struct Case {
        const char* pattern;
        bool filesOnly;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } cases[] = {
        {"vire/graphics/*.*", false, {"back.jpg", "Button.GIF", "skins/scheme.ini"}, {}},
        {"vire/graphics/*.*", true, {"back.jpg", "Button.GIF"}, {"skins"}},
        {"vire/graphics/*.gif", false, {"Button.GIF"}, {"back.jpg", "skins"}},
        {"*.*", true, {"setup.bin", "README"}, {"vire"}},
        {"?EADME", true, {"README"}, {"setup.bin"}},
    };
    int round = 0;
    for (const Case& c : cases) {
        const std::string target = install(std::to_string(++round));
        ASSERT_TRUE(shell().copy(medium(c.pattern), target, {c.filesOnly})) << c.pattern;
        for (const std::string& name : c.present) {
            EXPECT_TRUE(fs::exists(target + "/" + name)) << c.pattern << " -> " << name;
        }
        for (const std::string& name : c.absent) {
            EXPECT_FALSE(fs::exists(target + "/" + name)) << c.pattern << " -> " << name;
        }
    }
}

TEST_F(ShellCopyTest, ReportsMissingSourcesAndCopiesIntoItself) {
    Status missing = shell().copy(medium("nothing.bin"), install(), {});
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.message().find("nothing.bin: no such file or folder"), std::string::npos);
    EXPECT_FALSE(shell().copy(medium("nowhere/*.*"), install(), {}));
    Status recursive = shell().copy(medium("vire"), medium("vire/graphics/copy"), {});
    ASSERT_FALSE(recursive);
    EXPECT_NE(recursive.message().find("into itself"), std::string::npos);
}

TEST_F(ShellCopyTest, CopiesFromAReadOnlyMediumCanBeMadeWritable) {
    fs::permissions(medium("vire/graphics/back.jpg"), fs::perms::owner_read);
    ASSERT_TRUE(shell().copy(medium("vire/graphics/*.*"), install("graphics"), {}));
    fs::permissions(install("graphics/skins"), fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_TRUE(shell().makeFolderEntriesWritable(install("graphics")));
    for (const char* name : {"back.jpg", "Button.GIF", "skins"}) {
        const fs::perms perms = fs::status(install("graphics/") + name).permissions();
        EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none) << name;
    }
    EXPECT_FALSE(shell().makeWritable(install("missing.ini")));
    EXPECT_FALSE(shell().makeFolderEntriesWritable(install("missing")));
}

TEST(WildcardMatch, FollowsWindowsRules) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},
        {"*.dbf", "GTEST.DBF", true},
        {"*.dbf", "gtest.dbf.bak", false},
        {"g*t.*", "gtest.cdx", true},
        {"??.txt", "ab.txt", true},
        {"??.txt", "abc.txt", false},
        {"*a*b", "xaxxb", true},
        {"*a*b", "xaxxbc", false},
        {"", "x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileCopier::matchesWildcard(c.pattern, c.name), c.matches)
            << c.pattern << " " << c.name;
    }
}

}  // namespace
}  // namespace zentrix::platform
