#include <gtest/gtest.h>

#include "setup/setup_command_line.h"

namespace zentrix::setup {
namespace {

TEST(SetupCommandLine, AnyArgumentWithDashUSelectsTheUninstallButOurOwnOptionsDoNot) {
    const struct {
        std::vector<std::string> argv;
        bool uninstall;
        const char* script;
    } cases[] = {
        {{"zentrix-install"}, false, ""},
        {{"uninstall-zentrix", "-u", "zentrix.ini"}, true, "zentrix.ini"},
        {{"setup", "/quiet-uninstall"}, true, ""},          // within a longer word
        {{"/opt/zentrix/setup-u"}, true, ""},               // the program's name counts too
        {{"/media/cd-update/zentrix-install"}, false, ""},  // not the folders it lies in
        {{"setup", "-U"}, false, ""},                       // with case
        {{"setup", "--unattended"}, false, ""},             // our option, not "-u"
        {{"setup", "--target", "/srv/my-uni"}, false, ""},  // nor its value
        {{"setup", "--unattended", "-u", "z.ini"}, true, "z.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argv.back());
        const SetupCommandLine line = SetupCommandLine::parse(c.argv);
        EXPECT_TRUE(line.error.empty()) << line.error;
        EXPECT_EQ(line.selectsUninstall(), c.uninstall);
        EXPECT_EQ(line.uninstallScriptName(), c.script);
    }
}

TEST(SetupCommandLine, ReadsTheUnattendedOptionsAndRefusesUnknownOnes) {
    SetupCommandLine line = SetupCommandLine::parse(
        {"zentrix-install", "--unattended", "--target", "/opt/Zentrix", "--no-run"});
    EXPECT_TRUE(line.unattended);
    EXPECT_EQ(line.target, "/opt/Zentrix");
    EXPECT_TRUE(line.noRun);
    EXPECT_EQ(line.arguments, std::vector<std::string>{"zentrix-install"});

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"s", "--target"},
                                                {"s", "--target", ""},
                                                {"s", "--frobnicate"}}) {
        EXPECT_FALSE(SetupCommandLine::parse(bad).error.empty()) << bad.back();
    }
}

}  // namespace
}  // namespace zentrix::setup
