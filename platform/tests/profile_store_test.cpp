#include "platform/profile_store.h"

#include <gtest/gtest.h>

#include "platform/profile_document.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

using testing::readFile;
using testing::ScratchPlatform;
using testing::writeFile;

constexpr const char* kScript =
    "; setup script\r\n"
    "[Main]\r\n"
    "Program Name = Zentrix Demo \r\n"
    "Version=\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "NumGroups=3 groups\r\n"
    "Negative=-12\r\n"
    "NoEquals\r\n"
    "=no name\r\n"
    "; a comment between keys\r\n"
    "Key=first\r\n"
    "key=second\r\n"
    "\r\n"
    "[regkey1]\r\n"
    "Root=HKEY_LOCAL_MACHINE\r\n"
    "Path=\\software\\x\r\n"
    "(Default)=<InstallDir>\r\n"
    "HomeDir=<InstallDir>\\\r\n"
    "[Main]\r\n"
    "Key=shadowed\r\n";

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = scratch_.work("install.ini");
        writeFile(file_, kScript);
    }
    ProfileStore& store() { return *scratch_.platform().profiles; }

    ScratchPlatform scratch_;
    std::string file_;
};

TEST_F(ProfileStoreTest, ReadsTextsWithProfileSemantics) {
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Main", "Program Name", "Zentrix Demo"},  // trimmed
        {"MAIN", "program name", "Zentrix Demo"},  // names without regard to case
        {"Main", "Version", ""},                   // present and empty: not the default
        {"Main", "Missing", "<default>"},          // missing: the default
        {"Main", "Quoted", "  spaced  "},          // one pair of quotes removed
        {"Main", "NoEquals", ""},                  // a bare name is present and empty
        {"Main", "Key", "first"},                  // first of duplicate keys and sections
        {"Nowhere", "Key", "<default>"},
        {"RegKey1", "(Default)", "<InstallDir>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(store().readString(file_, c.section, c.key, "<default>"), c.expected)
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(store().readString(scratch_.work("absent.ini"), "Main", "Key", "d"), "d");
}

TEST_F(ProfileStoreTest, ReadsIntegersLikeTheProfileFunctions) {
    struct Case {
        const char* key;
        int expected;
    } cases[] = {
        {"NumGroups", 3},                        // leading number
        {"Negative", -12}, {"Program Name", 0},  // not a number
        {"Version", 7},                          // empty: the default
        {"Missing", 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(store().readInteger(file_, "Main", c.key, 7), c.expected) << c.key;
}

TEST_F(ProfileStoreTest, ListsKeyNamesInFileOrder) {
    EXPECT_EQ(store().keyNames(file_, "REGKEY1").value(),
              (std::vector<std::string>{"Root", "Path", "(Default)", "HomeDir"}));
    EXPECT_EQ(store().keyNames(file_, "Main").value(),
              (std::vector<std::string>{"Program Name", "Version", "Quoted", "NumGroups",
                                        "Negative", "NoEquals", "Key", "key"}));
    EXPECT_TRUE(store().keyNames(file_, "Nowhere").value().empty());
}

TEST_F(ProfileStoreTest, WritesKeepTheRestOfTheFile) {
    ASSERT_TRUE(store().writeString(file_, "main", "VERSION", "2.0"));         // replace, keep name
    ASSERT_TRUE(store().writeString(file_, "Main", "InstalledTo", "/opt/z"));  // add to section
    ASSERT_TRUE(store().writeString(file_, "Ini1", "Value", "x"));             // add section
    std::string expected = kScript;
    expected.replace(expected.find("Version=\r\n"), 10, "Version=2.0\r\n");
    expected.replace(expected.find("key=second\r\n"), 12, "key=second\r\nInstalledTo=/opt/z\r\n");
    expected += "\r\n[Ini1]\r\nValue=x\r\n";
    EXPECT_EQ(readFile(file_), expected);
    EXPECT_EQ(store().readString(file_, "Main", "InstalledTo", ""), "/opt/z");
}

TEST_F(ProfileStoreTest, LongValuesPassWhole) {
    const std::string longValue(5000, 'v');
    ASSERT_TRUE(store().writeString(file_, "Main", "Long", longValue));
    EXPECT_EQ(store().readString(file_, "Main", "Long", ""), longValue);
}

TEST_F(ProfileStoreTest, CreatesAMissingFileAndRefusesLineBreaks) {
    const std::string fresh = scratch_.work("sub/Zentrix.INI");
    ASSERT_TRUE(store().writeString(fresh, "StudyGuide", "ListStudyGuide", "0"));
    ASSERT_TRUE(store().writeString(fresh, "StudyGuide", "SG_AfterQues", "0"));
    EXPECT_EQ(readFile(fresh), "[StudyGuide]\nListStudyGuide=0\nSG_AfterQues=0\n");
    Status refused = store().writeString(fresh, "StudyGuide", "Evil", "a\n[Main]\nKey=b");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.message().find("Zentrix.INI"), std::string::npos);
    EXPECT_EQ(readFile(fresh), "[StudyGuide]\nListStudyGuide=0\nSG_AfterQues=0\n");
}

TEST(ProfileDocument, FileWithoutFinalLineEndGainsOneOnlyWhenAppendedTo) {
    ProfileDocument document = ProfileDocument::parse("[A]\nx=1");
    EXPECT_EQ(document.serialize(), "[A]\nx=1");
    ASSERT_TRUE(document.setValue("A", "y", "2"));
    EXPECT_EQ(document.serialize(), "[A]\nx=1\ny=2\n");
}

}  // namespace
}  // namespace zentrix::platform
