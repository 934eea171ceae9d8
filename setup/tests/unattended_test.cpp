#include <gtest/gtest.h>

#include <sstream>

#include "setup/setup_texts.h"
#include "setup/unattended_run.h"
#include "setup_fixture.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;

class UnattendedTest : public SetupFixture {
protected:
    int run(const std::vector<std::string>& argv) {
        out.str("");
        err.str("");
        UnattendedRun unattended(platform(), *location, out, err);
        return unattended.run(SetupCommandLine::parse(argv));
    }
    std::ostringstream out, err;
};

TEST_F(UnattendedTest, InstallsToTheTargetPrintsProgressAndUninstallsAgain) {
    writeProduct();
    const std::string target = paths().programFilesDir + "/Lab Seat";
    ASSERT_EQ(run({"zentrix-install", "--unattended", "--target", target}), 0) << err.str();
    EXPECT_TRUE(fs::exists(target + "/bin/zentrix"));
    EXPECT_NE(out.str().find("  Copying the graphics...\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find(std::string(texts::kCompleted) + "\n"), std::string::npos);

    // Started again, the product is found where it is, whatever the target says.
    ASSERT_EQ(run({"zentrix-install", "--unattended", "--target", installDir()}), 0) << err.str();
    EXPECT_NE(out.str().find("Zentrix is already installed"), std::string::npos) << out.str();
    EXPECT_FALSE(fs::exists(installDir()));

    ASSERT_EQ(run({"uninstall-zentrix", "--unattended", "-u", "zentrix-uninstall.ini"}), 0)
        << err.str();
    EXPECT_NE(out.str().find("Are you sure about deleting the Zentrix program? Yes"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(target + "/bin"));
}

TEST_F(UnattendedTest, AFailureGivesANonZeroStatusWithTheMessage) {
    writeProduct();
    std::string script = productScript();
    script.replace(script.find("NumRegKeys=1"), 12, "NumRegKeys=x");
    writeScript(script);
    EXPECT_EQ(run({"zentrix-install", "--unattended"}), 1);
    EXPECT_NE(err.str().find("NumRegKeys"), std::string::npos) << err.str();

    // Nothing installed: the uninstall has nothing to remove, and says so.
    fs::remove_all(installDir());
    EXPECT_EQ(run({"uninstall-zentrix", "--unattended", "-u", "zentrix-uninstall.ini"}), 1);
    EXPECT_NE(err.str().find(texts::kNothingToUninstall), std::string::npos) << err.str();
}

}  // namespace
}  // namespace zentrix::setup::testing
