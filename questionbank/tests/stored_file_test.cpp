// The byte-memo form of stored files and writing them into an exam's folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "bank_fixture.h"
#include "questionbank/bank_path.h"
#include "questionbank/byte_memo.h"
#include "questionbank/exam_folder_file.h"

namespace zentrix::questionbank::testing {
namespace {

TEST(ByteMemo, RoundTripsBytesWithZerosAndHighBytes) {
    const std::string bytes("GIF\0\xff\x80z", 7);
    const std::string memo = ByteMemo::encode(bytes);
    ASSERT_EQ(11u, memo.size());
    EXPECT_EQ(std::string("\x07\0\0\0", 4), memo.substr(0, 4));
    EXPECT_EQ(bytes, ByteMemo::decode(memo, "q").value());
    EXPECT_EQ("", ByteMemo::encode(""));
    EXPECT_EQ("", ByteMemo::decode("", "q").value());
}

struct BadMemoCase {
    const char* name;
    std::string memo;
};

class ByteMemoRefuses : public ::testing::TestWithParam<BadMemoCase> {};

TEST_P(ByteMemoRefuses, ACountBeyondItsBytes) {
    xbase::Result<std::string> bytes = ByteMemo::decode(GetParam().memo, "exam X, question 2");
    ASSERT_FALSE(bytes.isOk());
    EXPECT_NE(std::string::npos, bytes.message().find("exam X, question 2")) << bytes.message();
}

INSTANTIATE_TEST_SUITE_P(
    Memos, ByteMemoRefuses,
    ::testing::Values(BadMemoCase{"ShorterThanCount", std::string("\x02\0\0", 3)},
                      BadMemoCase{"CountOneTooMany", std::string("\x04\0\0\0abc", 7)},
                      BadMemoCase{"HugeCount", std::string("\xff\xff\xff\xff"
                                                           "abc",
                                                           7)}),
    [](const ::testing::TestParamInfo<BadMemoCase>& info) { return info.param.name; });

struct NameCase {
    const char* name;
    std::string fileName;
    bool accepted;
    std::string written;  // relative path expected on disk when accepted
};

class ExamFolderFileNames : public BankTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ExamFolderFileNames, WritesOnlyInsideTheFolder) {
    const NameCase& c = GetParam();
    const std::string folder = path("exam/");
    std::filesystem::create_directories(folder);
    xbase::Result<std::string> written =
        ExamFolderFile::writeIfMissing(folder, c.fileName, "bytes");
    EXPECT_EQ(c.accepted, written.isOk()) << written.message();
    if (c.accepted) {
        EXPECT_EQ("bytes", readBytes(folder + c.written));
    } else {
        EXPECT_NE(std::string::npos, written.message().find("file name")) << written.message();
        // Nothing anywhere below the scratch folder but the empty exam folder.
        int files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_))
            files += entry.is_regular_file();
        EXPECT_EQ(0, files);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExamFolderFileNames,
    ::testing::Values(NameCase{"PlainName", "ex1.gif", true, "ex1.gif"},
                      NameCase{"SubFolder", "pics/ex1.gif", true, "pics/ex1.gif"},
                      NameCase{"BackslashSubFolder", "pics\\ex1.gif", true, "pics/ex1.gif"},
                      NameCase{"DotInside", "./ex1.gif", true, "ex1.gif"},
                      NameCase{"ParentFolder", "../ex1.gif", false, ""},
                      NameCase{"ParentInTheMiddle", "pics/../../ex1.gif", false, ""},
                      NameCase{"BackslashParent", "..\\ex1.gif", false, ""},
                      NameCase{"AbsolutePath", "/tmp/ex1.gif", false, ""},
                      NameCase{"AbsoluteBackslash", "\\ex1.gif", false, ""},
                      NameCase{"DriveLetter", "C:ex1.gif", false, ""},
                      NameCase{"DriveLetterPath", "c:\\temp\\ex1.gif", false, ""},
                      NameCase{"Empty", "   ", false, ""}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST_F(BankTest, PresentFileIsUsedUnchanged) {
    writeBytes(path("exam/ex1.gif"), "on disk");
    ASSERT_TRUE(ExamFolderFile::writeIfMissing(path("exam/"), "EX1.GIF", "stored").isOk());
    EXPECT_EQ("on disk", readBytes(path("exam/ex1.gif")));
}

}  // namespace
}  // namespace zentrix::questionbank::testing
