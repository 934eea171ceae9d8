#include <gtest/gtest.h>

#include <filesystem>

#include "platform/linux/desktop_entry.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScratchPlatform;
using testing::writeFile;

TEST(Shell, OpensFilesAndAddressesThroughTheDesktopHandler) {
    ScratchPlatform scratch;
    Shell& shell = *scratch.platform().shell;
    ASSERT_TRUE(shell.open("https://example.org/zentrix"));
    writeFile(scratch.work("help/index.html"), "<html>");
    // A document is opened, not started, and gives no process.
    Result<std::optional<ProcessId>> launched =
        shell.launchProgram("index.html", "", scratch.work("help"));
    ASSERT_TRUE(launched);
    EXPECT_FALSE(launched.value().has_value());
    EXPECT_EQ(scratch.opened, (std::vector<std::string>{"https://example.org/zentrix",
                                                        scratch.work("help") + "/index.html"}));
    EXPECT_FALSE(shell.open(""));
    EXPECT_FALSE(shell.launchProgram("missing.exe", "", scratch.work()));
}

TEST(Shell, LaunchesProgramsWithParametersInTheirFolder) {
    ScratchPlatform scratch;
    Shell& shell = *scratch.platform().shell;
    const std::string folder = scratch.work("medium/tools");
    writeFile(folder + "/run.sh",
              "#!/bin/sh\npwd > out.txt\nfor a in \"$@\"; do echo \"$a\" >> out.txt; done\n");
    fs::permissions(folder + "/run.sh", fs::perms::owner_all);
    Result<std::optional<ProcessId>> launched =
        shell.launchProgram("run.sh", "one \"two words\"", folder);
    ASSERT_TRUE(launched) << launched.message();
    ASSERT_TRUE(launched.value().has_value());
    Result<int> ended = scratch.platform().processes->waitForExit(
        *launched.value(), [] { return true; }, std::chrono::milliseconds(5));
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended.value(), 0);
    EXPECT_EQ(readFile(folder + "/out.txt"), folder + "\none\ntwo words\n");
}

TEST(Shortcut, IsWrittenAsADesktopEntryAndDeletedAgain) {
    ScratchPlatform scratch;
    Shell& shell = *scratch.platform().shell;
    const std::string link = scratch.paths().startMenuDir + "/Programs/Brenlo/Brenlo Zentrix.lnk";
    ShortcutSpec spec{"/opt/zentrix/Zentrix", "/opt/zentrix", "Practice exams\nfor 100% ",
                      "-x \"a b\""};
    Result<std::string> written = shell.createShortcut(link, spec);
    ASSERT_TRUE(written) << written.message();
    EXPECT_EQ(written.value(),
              scratch.paths().startMenuDir + "/Programs/Brenlo/Brenlo Zentrix.desktop");
    EXPECT_EQ(readFile(written.value()),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Version=1.0\n"
              "Name=Brenlo Zentrix\n"
              "Comment=Practice exams\\nfor 100% \n"
              "Exec=xdg-open \"/opt/zentrix/Zentrix\" \"-x\" \"a b\"\n"
              "Path=/opt/zentrix\n"
              "Terminal=false\n");
    ASSERT_TRUE(shell.deleteShortcut(link));
    EXPECT_FALSE(fs::exists(written.value()));
}

TEST(DesktopEntry, ExecArgumentsAreQuotedAndEscaped) {
    struct Case {
        const char* argument;
        const char* quoted;
    } cases[] = {
        {"plain", "\"plain\""},
        {"a b", "\"a b\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"$HOME`x`", "\"\\$HOME\\`x\\`\""},
        {"C:\\dir", "\"C:\\\\dir\""},
        {"50%", "\"50%%\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopEntry::execArgument(c.argument), c.quoted) << c.argument;
    EXPECT_EQ(DesktopEntry::entryPath("/m/X.LNK"), "/m/X.desktop");
    EXPECT_EQ(DesktopEntry::entryPath("/m/X"), "/m/X.desktop");
}

}  // namespace
}  // namespace zentrix::platform
