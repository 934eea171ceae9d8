#include "platform/file_version.h"

#include <gtest/gtest.h>

#include "platform/elf_version_note.h"
#include "platform/pe_version_resource.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

using testing::readFile;

std::string fixture(const std::string& name) { return ZENTRIX_PLATFORM_FIXTURES "/" + name; }

TEST(FileVersionText, ReadsPeVersionResources) {
    struct Case {
        const char* file;
        const char* version;
    } cases[] = {
        // The first translation's table, not the 040904E4 decoy; the string wins.
        {"versioned.dll", "2, 0, 0, 16"},
        // Translation 0/0 stands for 0409/04e4; an empty string gives the fixed version.
        {"fixed_only_pe32plus.dll", "1.9.0.20"},
        // No translation list: the default table, matched without regard to case.
        {"untranslated.dll", "3.1.4.1592"},
        {"no_version.dll", ""},
        {"make_pe_fixtures.py", ""},  // not a program at all
        {"missing.dll", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FileVersionText(fixture(c.file)), c.version) << c.file;
}

TEST(FileVersionText, ReadsTheVersionNoteOfOurOwnBinaries) {
    EXPECT_EQ(FileVersionText("/proc/self/exe"), ZENTRIX_PROJECT_VERSION_TEXT);
    EXPECT_EQ(FileVersionText(ZENTRIX_REGISTERING_LIBRARY), "4.3.2.1");
    EXPECT_EQ(FileVersionText(ZENTRIX_FAILING_LIBRARY), "") << "a library built without the note";
}

// Every prefix of every fixture, and every fixture with one byte smashed,
// must parse or fail cleanly: never read outside the bytes (run under the
// sanitizer build to see it).
TEST(FileVersionText, DamagedFilesNeverReadOutOfBounds) {
    std::vector<std::string> inputs;
    for (const char* name : {"versioned.dll", "fixed_only_pe32plus.dll", "untranslated.dll"}) {
        const std::string bytes = readFile(fixture(name));
        ASSERT_FALSE(bytes.empty()) << name;
        for (size_t length = 0; length < bytes.size(); length += 3)
            inputs.push_back(bytes.substr(0, length));
        for (size_t at = 0; at < bytes.size(); ++at) {
            for (unsigned char smash : {0x00, 0xFF, 0x7F}) {
                std::string damaged = bytes;
                damaged[at] = char(smash);
                inputs.push_back(std::move(damaged));
            }
        }
    }
    const std::string self = readFile("/proc/self/exe");
    for (size_t length : {size_t(0), size_t(20), size_t(64), size_t(200), self.size() / 2}) {
        inputs.push_back(self.substr(0, length));
    }
    size_t failures = 0;
    for (const std::string& input : inputs) {
        // Copy into an exact-size buffer so that the sanitizer sees any overrun.
        std::unique_ptr<char[]> exact(new char[input.size() + 1]);
        std::copy(input.begin(), input.end(), exact.get());
        const std::string_view bytes(exact.get(), input.size());
        failures += !readPeVersionResource(bytes).isOk();
        failures += !readElfVersionNote(bytes).isOk();
    }
    EXPECT_GT(failures, 0u) << "damage is reported, not ignored";
}

TEST(FileVersionText, DamageIsReportedWithTheFileName) {
    std::string bytes = readFile(fixture("versioned.dll"));
    // The resource directory's entry count at the start of the resource section.
    bytes[0x200 + 14] = char(0xFF);
    bytes[0x200 + 15] = char(0xFF);
    testing::writeFile(::testing::TempDir() + "/damaged.dll", bytes);
    Result<std::string> version = readFileVersion(::testing::TempDir() + "/damaged.dll");
    ASSERT_FALSE(version);
    EXPECT_NE(version.message().find("damaged.dll: resource directory claims 65535 entries"),
              std::string::npos)
        << version.message();
    EXPECT_EQ(FileVersionText(::testing::TempDir() + "/damaged.dll"), "");
}

TEST(ParseVersionText, ReadsFourDecimalParts) {
    struct Case {
        const char* text;
        VersionQuad expected;
    } cases[] = {
        {"2.0.0.15", {2, 0, 0, 15}},
        {"2, 0, 0, 16", {2, 0, 0, 16}},  // commas and blanks
        {"1.9", {1, 9, 0, 0}},           // missing parts
        {"", {0, 0, 0, 0}},
        {"3.x.1.2", {3, 0, 1, 2}},    // a part that is not a number
        {"4 .5.6.7", {0, 5, 6, 7}},   // trailing blank: not a number
        {"1.2.3.4.5", {1, 2, 3, 4}},  // extra parts ignored
        {"1.2.3.4 (beta)", {1, 2, 3, 0}},
        {"99999999999.1.1.1", {0, 1, 1, 1}},  // out of range
    };
    for (const Case& c : cases) EXPECT_EQ(ParseVersionText(c.text), c.expected) << c.text;
}

TEST(IsNewerVersion, ComparesPartsInOrderOfSignificance) {
    struct Case {
        VersionQuad a, b;
        bool newer;
    } cases[] = {
        {{2, 0, 0, 16}, {2, 0, 0, 15}, true},
        {{1, 9, 0, 20},
         {2, 0, 0, 15},
         false},  // an older program, though its minor and build are greater
        {{2, 0, 0, 0}, {1, 5, 0, 0}, true},
        {{1, 5, 0, 0}, {2, 0, 0, 0}, false},
        {{2, 1, 0, 0}, {2, 0, 9, 99}, true},
        {{2, 0, 0, 15}, {2, 0, 0, 15}, false},
        {{0, 0, 0, 0}, {0, 0, 0, 0}, false},
        {{2, 0, 0, 15}, {0, 0, 0, 0}, true},  // against a missing installed copy
        {{1, 0, 0, 0}, {1, 0, 0, 1}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNewerVersion(c.a, c.b), c.newer)
            << c.a.major << "." << c.a.minor << "." << c.a.release << "." << c.a.build << " vs "
            << c.b.major << "." << c.b.minor << "." << c.b.release << "." << c.b.build;
    }
}

}  // namespace
}  // namespace zentrix::platform
