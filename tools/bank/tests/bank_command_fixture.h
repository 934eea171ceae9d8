#pragma once

// A scratch folder with an empty bank for running zentrix-bank in-process:
// root_/bank is the bank, root_/src where a test puts its source files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "tools/bank/bank_command.h"

namespace zentrix::banktool {

inline std::string readBytes(const std::filesystem::path& path) {
    xbase::Result<std::optional<std::string>> bytes = platform::readWholeFile(path.string());
    return bytes && bytes.value() ? *bytes.value() : std::string();
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(platform::writeFileAtomically(path.string(), bytes).isOk()) << path;
}

class BankCommandFixture : public ::testing::Test {
protected:
    // prefix names the scratch folder, so that suites running side by side
    // never share one.
    explicit BankCommandFixture(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                (prefix_ + "-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "src");
        bank_ = (root_ / "bank").string();
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    int run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = BankCommand::run(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }

    // Every file below the folder with its bytes.
    static std::map<std::string, std::string> snapshot(const std::filesystem::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file())
                files[std::filesystem::relative(entry.path(), folder).string()] =
                    readBytes(entry.path());
        }
        return files;
    }

    std::filesystem::path root_;
    std::string bank_;
    std::string out_, err_;

private:
    std::string prefix_;
};

}  // namespace zentrix::banktool
