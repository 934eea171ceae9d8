// The distribution medium end to end, through the real programs: install it
// into a fresh platform root, start the installed engine from its shortcut,
// run the setup again for the exam package and the newer engine, once more
// from a medium with an older engine, and uninstall; and an uninstall
// script whose groups point at "\" removes nothing.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "platform/file_version.h"
#include "questionbank/ttesting.h"
#include "setup/desktop_command.h"
#include "setup_fixture.h"
#include "xbase/engine.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;
using platform::RootKey;

struct Ran {
    int exitCode = -1;
    std::string output;
};

class MediumTest : public SetupFixture {
protected:
    std::string mediumDir() const { return ZENTRIX_MEDIUM_DIR; }
    std::string library() const { return SetupSession::engineLibraryName(); }

    Ran runProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder = "", const QProcessEnvironment& extra = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZENTRIX_PLATFORM_ROOT", QString::fromStdString(paths().root));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        for (const QString& key : extra.keys()) environment.insert(key, extra.value(key));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        if (!folder.empty()) process.setWorkingDirectory(QString::fromStdString(folder));
        QStringList words;
        for (const std::string& argument : arguments) words << QString::fromStdString(argument);
        process.start(QString::fromStdString(program), words);
        Ran ran;
        if (!process.waitForStarted(60000) || !process.waitForFinished(300000)) {
            process.kill();
            process.waitForFinished();
            ran.output = "did not run to its end: " + process.errorString().toStdString();
            return ran;
        }
        ran.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        ran.output = process.readAll().toStdString();
        return ran;
    }

    Ran setup(const std::string& medium) {
        return runProgram(medium + "/zentrix-install", {"--unattended"});
    }

    // Starts the installed engine from its shortcut's command and gives its
    // start-up report: the screen and the rows of its course tree.
    std::string engineFromShortcut() {
        const std::string entry = paths().startMenuDir + "/Zentrix/Zentrix.desktop";
        Result<DesktopCommand> command = DesktopCommand::parse(readFile(entry));
        EXPECT_TRUE(command) << command.message();
        if (!command) return {};
        const std::string report = scratch.work("startup-report.txt");
        fs::remove(report);
        QProcessEnvironment extra;
        extra.insert("ZENTRIX_STARTUP_REPORT", QString::fromStdString(report));
        const std::vector<std::string> words(command->arguments.begin() + 1,
                                             command->arguments.end());
        const Ran ran = runProgram(command->arguments.front(), words, command->workingDir, extra);
        EXPECT_EQ(ran.exitCode, 0) << ran.output;
        return readFile(report);
    }

    static std::string sha(const std::string& path) {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) return "missing";
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
            .toHex()
            .toStdString();
    }

    struct ExamCounts {
        int courseNum = -1, numTestQ = -1, nextId = -1;
    };
    static ExamCounts counts(const std::string& database, const std::string& course,
                             const std::string& exam) {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        questionbank::TTesting bank(engine, database, sink);
        ExamCounts result;
        result.courseNum = bank.ParentExists(course) ? bank.GetParentNum(course) : -1;
        if (bank.OpenTest(exam) == 0) {
            result.numTestQ = bank.OpenInfo().NUMTESTQ;
            result.nextId = bank.OpenInfo().NEXTID;
        }
        return result;
    }

    std::string installDirOnMedium() const { return paths().programFilesDir + "/Zentrix"; }

    bool validEntry(const std::string& entry) {
        return std::system(("desktop-file-validate '" + entry + "'").c_str()) == 0;
    }

    // A copy of the medium (hard links where the file system allows) with
    // another file in place of one of its files.
    std::string mediumWith(const std::string& relative, const std::string& replacement) {
        // No dash in the name: a path with "-u" in it would select the uninstall.
        const std::string copy = scratch.work("olderMedium");
        std::error_code error;
        fs::copy(mediumDir(), copy,
                 fs::copy_options::recursive | fs::copy_options::create_hard_links, error);
        if (error) {
            fs::remove_all(copy);
            fs::copy(mediumDir(), copy, fs::copy_options::recursive);
        }
        fs::remove(copy + "/" + relative);
        fs::copy_file(replacement, copy + "/" + relative);
        return copy;
    }
};

TEST_F(MediumTest, InstallExtendUpdateAndUninstallThroughTheSetupProgram) {
    ASSERT_TRUE(fs::is_regular_file(mediumDir() + "/install.ini"));
    const std::string home = installDirOnMedium();

    // ---- install ---------------------------------------------------------
    Ran ran = setup(mediumDir());
    ASSERT_EQ(ran.exitCode, 0) << ran.output;
    EXPECT_NE(ran.output.find("Completed the installation."), std::string::npos) << ran.output;
    for (const std::string& file :
         {std::string("zentrix"), library(), std::string("graphics/scheme.ini"),
          std::string("help/index.html"), std::string("database/gtest.dbf")}) {
        EXPECT_TRUE(fs::is_regular_file(home + "/" + file)) << file;
    }
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "HomeDir"), home + "/");
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "GraphicDir"), home + "/graphics/");
    EXPECT_EQ(registryString(RootKey::LocalMachine, kEngineKey, "DatabaseDir"),
              home + "/database/");
    const std::string windows = paths().windowsDir;
    EXPECT_NE(readFile(windows + "/zentrix-uninstall.ini").find("InstalledTo=" + home),
              std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(windows + "/uninstall-zentrix"));
    EXPECT_TRUE(fs::is_regular_file(windows + "/" + library()));
    const std::string sharedLibrary = paths().systemDir + "/" + library();
    EXPECT_EQ(registryInteger(RootKey::LocalMachine, kSharedKey, sharedLibrary), 1u);
    for (const char* entry : {"Zentrix.desktop", "Uninstall Zentrix.desktop"}) {
        EXPECT_TRUE(validEntry(paths().startMenuDir + "/Zentrix/" + entry)) << entry;
    }
    std::string report = engineFromShortcut();
    EXPECT_EQ(report.rfind("screen 1\n", 0), 0u) << report;
    EXPECT_NE(report.find("\tNETESS\t\tNetworking Essentials\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\tLINUXADM\tLNX-FILES\tFiles and Permissions\n"), std::string::npos);
    EXPECT_EQ(report.find("SECBAS"), std::string::npos);

    // ---- again, with the exam package and the newer engine --------------------
    const std::string demoExam = home + "/database/linux/LNXFILES.dbf";
    const std::string demoExamBefore = sha(demoExam);
    ran = setup(mediumDir());
    ASSERT_EQ(ran.exitCode, 0) << ran.output;
    EXPECT_NE(ran.output.find("All exams have been installed."), std::string::npos) << ran.output;
    EXPECT_EQ(sha(home + "/zentrix"), sha(mediumDir() + "/vire/zentrix"));
    EXPECT_EQ(sha(demoExam), demoExamBefore);  // nothing overwritten
    report = engineFromShortcut();
    EXPECT_NE(report.find("\tSECBAS\t\tSecurity Basics\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\tSECBAS\tSEC-FUND\tSecurity Fundamentals\n"), std::string::npos);
    EXPECT_NE(report.find("\tSECBAS\tSEC-NET\tProtecting Networks\n"), std::string::npos);
    for (const char* exam : {"SEC-FUND", "SEC-NET"}) {
        const ExamCounts installed = counts(home + "/database/", "SECBAS", exam);
        const ExamCounts package = counts(mediumDir() + "/vire/database/", "SECBAS", exam);
        EXPECT_EQ(installed.courseNum, 2) << exam;
        EXPECT_EQ(installed.numTestQ, package.numTestQ) << exam;
        EXPECT_EQ(installed.nextId, package.nextId) << exam;
        EXPECT_GT(installed.numTestQ, 0) << exam;
    }

    // ---- a medium with an older engine leaves the installed one alone ----------
    const std::string newer = sha(home + "/zentrix");
    const std::string older = mediumWith("vire/zentrix", ZENTRIX_OLDER_ENGINE);
    ASSERT_TRUE(platform::IsNewerVersion(
        platform::ParseVersionText(platform::FileVersionText(home + "/zentrix")),
        platform::ParseVersionText(platform::FileVersionText(older + "/vire/zentrix"))));
    ran = setup(older);
    ASSERT_EQ(ran.exitCode, 0) << ran.output;
    EXPECT_EQ(sha(home + "/zentrix"), newer);

    // ---- uninstall -------------------------------------------------------
    ran =
        runProgram(windows + "/uninstall-zentrix", {"--unattended", "-u", "zentrix-uninstall.ini"});
    ASSERT_EQ(ran.exitCode, 0) << ran.output;
    EXPECT_NE(ran.output.find("Uninstall has been completed."), std::string::npos) << ran.output;
    EXPECT_FALSE(fs::exists(home));
    EXPECT_TRUE(fs::is_regular_file(paths().trashDir + "/files/Zentrix/zentrix"));
    EXPECT_TRUE(fs::is_regular_file(paths().trashDir + "/files/Zentrix/database/gtest.dbf"));
    EXPECT_NE(readFile(paths().trashDir + "/info/Zentrix.trashinfo").find("Path=" + home),
              std::string::npos);
    EXPECT_FALSE(platform().registry->keyExists(RootKey::LocalMachine, kEngineKey));
    EXPECT_FALSE(platform().registry->keyExists(
        RootKey::LocalMachine,
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zentrix"));
    EXPECT_EQ(registryInteger(RootKey::LocalMachine, kSharedKey, sharedLibrary), std::nullopt);
    EXPECT_FALSE(fs::exists(paths().startMenuDir + "/Zentrix/Zentrix.desktop"));
    EXPECT_FALSE(fs::exists(paths().startMenuDir + "/Zentrix/Uninstall Zentrix.desktop"));
    // What stays, stays.
    EXPECT_TRUE(fs::is_directory(paths().startMenuDir + "/Zentrix"));
    EXPECT_TRUE(fs::is_regular_file(windows + "/zentrix.ini"));
    EXPECT_TRUE(fs::is_regular_file(windows + "/uninstall-zentrix"));
    EXPECT_TRUE(fs::is_regular_file(windows + "/zentrix-uninstall.ini"));
    EXPECT_TRUE(fs::is_regular_file(windows + "/" + library()));
    EXPECT_TRUE(fs::is_regular_file(sharedLibrary));  // not registered, so not deleted
}

TEST_F(MediumTest, AnUninstallScriptWhoseGroupsPointAtTheRootRemovesNothing) {
    Ran ran = setup(mediumDir());
    ASSERT_EQ(ran.exitCode, 0) << ran.output;
    // The uninstall script with every group's folder turned into "\" and
    // nothing else to remove.
    std::string script = readFile(paths().windowsDir + "/zentrix-uninstall.ini");
    for (const char* line : {"Dest=<InstallDir>\\graphics", "Dest=<InstallDir>\\help",
                             "Dest=<InstallDir>\\database", "Dest=<InstallDir>\\"}) {
        for (size_t at; (at = script.find(line)) != std::string::npos;)
            script.replace(at, std::string(line).size(), "Dest=\\");
    }
    for (const char* count : {"NumDllToReg=1", "NumLinks=2", "NumRegKeys=2"}) {
        const size_t at = script.find(count);
        ASSERT_NE(at, std::string::npos);
        script[at + std::string(count).size() - 1] = '0';
    }
    writeFile(paths().windowsDir + "/root-uninstall.ini", script);
    const std::string everything = fs::path(paths().root).parent_path().string();
    const std::vector<std::string> before = treeOf(everything);

    ran = runProgram(paths().windowsDir + "/uninstall-zentrix",
                     {"--unattended", "-u", "root-uninstall.ini"});
    EXPECT_EQ(ran.exitCode, 0) << ran.output;
    for (int group = 1; group <= 5; ++group) {
        EXPECT_NE(ran.output.find("[Group" + std::to_string(group) + "] not removed"),
                  std::string::npos)
            << ran.output;
    }
    EXPECT_EQ(treeOf(everything), before);
    EXPECT_TRUE(fs::is_directory("/usr"));
}

}  // namespace
}  // namespace zentrix::setup::testing
