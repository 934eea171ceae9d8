#include "setup/desktop_command.h"

#include <gtest/gtest.h>

#include "platform/linux/desktop_entry.h"

namespace zentrix::setup {
namespace {

using platform::Result;

TEST(DesktopCommand, ReadsBackWhatTheShortcutsAreWrittenWith) {
    const struct {
        std::string target;
        std::vector<std::string> arguments;
    } cases[] = {
        {"/opt/Zentrix/zentrix", {}},
        {"/home/ann/My Programs/zentrix", {"-u", "zentrix uninstall.ini"}},
        {"/opt/odd \"quoted\" $HOME `tick` back\\slash/100%", {"%f", "a\tb", "line\nbreak"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        platform::ShortcutSpec shortcut{c.target, "/work dir\\x", "", ""};
        const std::string text =
            platform::DesktopEntry::text("Zentrix", shortcut, c.arguments, false);
        Result<DesktopCommand> command = DesktopCommand::parse(text);
        ASSERT_TRUE(command) << command.message() << "\n" << text;
        std::vector<std::string> expected = {c.target};
        expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(command->arguments, expected);
        EXPECT_EQ(command->workingDir, "/work dir\\x");
    }
}

TEST(DesktopCommand, SplitsExecAsTheDesktopEntryRulesSay) {
    const struct {
        const char* exec;
        std::vector<std::string> arguments;  // empty: an error
    } cases[] = {
        {"zentrix --demo %U", {"zentrix", "--demo"}},
        {"\"/a b/c\" 100%%", {"/a b/c", "100%"}},
        {"  spaced   out  ", {"spaced", "out"}},
        {"\"unclosed", {}},
        {"\"bad \\q escape\"", {}},
        {"trailing %", {}},
        {"code %z", {}},
        {"", {}},
        {"%f", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exec);
        Result<std::vector<std::string>> split = DesktopCommand::splitExec(c.exec);
        if (c.arguments.empty()) {
            EXPECT_FALSE(split);
        } else {
            ASSERT_TRUE(split) << split.message();
            EXPECT_EQ(split.value(), c.arguments);
        }
    }
}

TEST(DesktopCommand, AnEntryWithoutItsGroupOrCommandIsAnError) {
    for (const char* text :
         {"", "[Desktop Action x]\nExec=zentrix\n", "[Desktop Entry]\nName=Zentrix\n",
          "[Desktop Entry]\nExec=zentrix\\q\n"}) {
        EXPECT_FALSE(DesktopCommand::parse(text)) << text;
    }
    Result<DesktopCommand> other = DesktopCommand::parse(
        "# comment\n[Desktop Entry]\nExec=first\n[Desktop Action go]\nExec=second\n");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->arguments, std::vector<std::string>{"first"});
}

}  // namespace
}  // namespace zentrix::setup
