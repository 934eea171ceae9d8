#include "setup/placeholders.h"

#include <gtest/gtest.h>

#include "setup/shorten_path.h"

namespace zentrix::setup {
namespace {

TEST(ExpandPlaceholders, ReplacesTheFirstPlaceholderOnly) {
    const PlaceholderFolders folders{"C:\\Apps\\Exam", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "D"};
    struct Case {
        const char* value;
        const char* expanded;
    } cases[] = {
        {"<InstallDir>\\Database\\", "C:\\Apps\\Exam\\Database\\"},
        {"<installdir>\\Database\\", "C:\\Apps\\Exam\\Database\\"},
        {"<CurrentDrive>:\\Setup", "D:\\Setup"},
        {"<WindowsDir>\\a;<SystemDir>\\b", "C:\\WINDOWS\\a;<SystemDir>\\b"},
        {"x<Other>y", "y"},  // unknown tag: prefix and tag dropped
        {"pre<SystemDir>post", "preC:\\WINDOWS\\SYSTEMpost"},
        {"no placeholder", "no placeholder"},
        {"<InstallDir", "<InstallDir"},           // no closing bracket
        {"a>b<WindowsDir>c", "a>bC:\\WINDOWSc"},  // a '>' before the '<' is plain text
        {"<>rest", "rest"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandPlaceholders(c.value, folders), c.expanded) << c.value;
}

TEST(ExpandPlaceholders, InstallFolderNeverDoublesASeparatorAndEmptyDriveExpandsToNothing) {
    const PlaceholderFolders typed{"/opt/Exam/", "/w", "/s", ""};
    EXPECT_EQ(ExpandPlaceholders("<InstallDir>\\Database", typed), "/opt/Exam\\Database");
    EXPECT_EQ(ExpandPlaceholders("<CurrentDrive>:\\Setup", typed), ":\\Setup");
}

TEST(ShortenPath, KeepsTheFirstPartAndTheLastPartsThatFit) {
    struct Case {
        const char* path;
        size_t limit;
        const char* shortened;
    } cases[] = {
        // 60 characters in five parts, limit 35.
        {"C:\\Program Files\\Brenlo Software Ltd\\Zentrix Practice\\Data01", 35,
         "C:\\...\\Zentrix Practice\\Data01"},
        {"C:\\Apps\\Brenlo\\Zentrix\\Data", 35, "C:\\Apps\\Brenlo\\Zentrix\\Data"},  // fits
        {"C:\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", 35,
         "C:\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"},  // two parts stay
        {"C:\\a\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", 35,
         "C:\\...\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"},
        {"C:\\aaaa\\bbbb\\cccc\\dddd\\eeee", 20, "C:\\...\\dddd\\eeee"},
        {"C:\\aaaa\\bbbb\\cccc\\dddd\\eeee", 25, "C:\\...\\cccc\\dddd\\eeee"},
        {"C:\\aaaaaaaaaaaaaaaa\\zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz", 10,
         "C:\\...\\zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"},  // at worst three parts
        {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenPath(c.path, "\\", "...", c.limit), c.shortened) << c.path;
    EXPECT_EQ(
        std::string("C:\\Program Files\\Brenlo Software Ltd\\Zentrix Practice\\Data01").size(),
        60u);
}

}  // namespace
}  // namespace zentrix::setup
