#include "setup/setup_script.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "platform/profile_store.h"

namespace zentrix::setup {
namespace {

class SetupScriptTest : public ::testing::Test {
protected:
    SetupScript script(const std::string& text) {
        const std::string path = dir_.path().toStdString() + "/install.ini";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return SetupScript(store_, path);
    }

    QTemporaryDir dir_;
    platform::TextProfileStore store_;
};

constexpr const char* kFullScript = R"([Main]
Version=2.0
Program Name=Zentrix
Setup Name=Setup.exe
UninstallExe Name=ZxUninst.exe
UninstallIni Name=ZxUninst.ini
DefaultInstallDir=C:\Apps\Zentrix
InstallDirRoot=HKEY_CURRENT_USER
Install Dir Root=hkey_users
Key=\software\Brenlo\Quaylo\Test Engine
ExeName=\Zentrix.exe
NumPreInstalledTests=2
Pre1=CISCO
DatabaseRoot=HKEY_LOCAL_MACHINE
DatabaseKey=\software\Brenlo\Quaylo\Test Engine
DatabaseString=DatabaseDir
NumGroups=2
NumDllToReg=1
NumInis=1
NumLinks=1
NumRegKeys=2
InstalledTo=C:\Apps\Zentrix

[Group1]
Description=Copying program files
Source=\vire\*.*
Dest=<InstallDir>\
FilesOnly=True
DontDelete=true

[Group2]
Description=Installing the runtime
SetupOnly=true
Source=\runtime
SetupExe=setup.exe
WaitTillFinished=true
WindowClassName=TRuntimeSetup
PauseAfterFinish=1500
AlternateWindowClassName=TRuntimeFinish
AlternateDescription=Finishing the runtime
RunBeforeExit=false

[RegDll1]
Description=Registering the viewer
Source=\viewer.dll
Dest=<SystemDir>\viewer.dll
Shared=true
CheckVersion=true
ChangeDir=true
Dir=<SystemDir>
RegFile=true
NoDelete=false

[Updating files1]
Description=Updating the viewer

[Ini1]
FileName=<WindowsDir>\win.ini
Group=Zentrix
String=Home
Value=<InstallDir>

[Link1]
Descr=Making the shortcut
Dest=\Programs\Brenlo
LinkName=\Brenlo Zentrix.lnk
FileName=<InstallDir>\Zentrix.exe
WorkingDir=<InstallDir>
Description=Practice exams
Params=/NotRandomQuestions

[RegKey1]
Root=HKEY_LOCAL_MACHINE
Path=\software\Brenlo\Quaylo\Test Engine
HomeDir=<InstallDir>\
(Default)=<InstallDir>
Count=integer:5
Negative=integer:-1
Digits=5

[RegKey2]
Root=HKEY_CURRENT_USER
Path=\software\Brenlo\Empty
)";

TEST_F(SetupScriptTest, ReadsEveryKeyOfAFullScript) {
    SetupScript s = script(kFullScript);
    ScriptMain m = s.main();
    EXPECT_EQ(m.version, "2.0");
    EXPECT_EQ(m.programName, "Zentrix");
    EXPECT_EQ(m.setupName, "Setup.exe");
    EXPECT_EQ(m.uninstallExeName, "ZxUninst.exe");
    EXPECT_EQ(m.uninstallIniName, "ZxUninst.ini");
    EXPECT_EQ(m.defaultInstallDir, "C:\\Apps\\Zentrix");
    EXPECT_EQ(m.installDirRoot, "HKEY_CURRENT_USER");
    EXPECT_EQ(m.uninstallDirRoot, "hkey_users");
    EXPECT_EQ(m.key, "\\software\\Brenlo\\Quaylo\\Test Engine");
    EXPECT_EQ(m.exeName, "\\Zentrix.exe");
    EXPECT_EQ(m.databaseRoot, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(m.databaseKey, "\\software\\Brenlo\\Quaylo\\Test Engine");
    EXPECT_EQ(m.databaseString, "DatabaseDir");
    EXPECT_EQ(m.installedTo, "C:\\Apps\\Zentrix");
    EXPECT_EQ(s.preInstalledTest(1), "CISCO");
    EXPECT_EQ(s.preInstalledTest(2), "0");

    const std::pair<ScriptCount, int> counts[] = {
        {ScriptCount::Groups, 2}, {ScriptCount::DllToReg, 1}, {ScriptCount::Inis, 1},
        {ScriptCount::Links, 1},  {ScriptCount::RegKeys, 2},  {ScriptCount::PreInstalledTests, 2}};
    for (const auto& [which, expected] : counts) {
        EXPECT_EQ(s.count(which).value(), expected) << SetupScript::countKey(which);
    }

    ScriptGroup files = s.group(1);
    EXPECT_EQ(files.description, "Copying program files");
    EXPECT_EQ(files.fileSource(), "\\vire\\*.*");
    EXPECT_EQ(files.dest, "<InstallDir>\\");
    EXPECT_TRUE(files.filesOnly.isNotFalse());
    EXPECT_FALSE(files.filesOnly.isTrue()) << "flags compare with case";
    EXPECT_TRUE(files.dontDelete.isTrue());
    EXPECT_FALSE(files.setupOnly.isNotFalse());

    ScriptGroup program = s.group(2);
    EXPECT_TRUE(program.setupOnly.isTrue());
    EXPECT_EQ(program.programFolder(), "\\runtime");
    EXPECT_EQ(program.setupExe, "setup.exe");
    EXPECT_TRUE(program.waitTillFinished.isTrue());
    EXPECT_EQ(program.windowClassName, "TRuntimeSetup");
    EXPECT_EQ(program.pauseAfterFinish, 1500);
    EXPECT_EQ(program.alternateWindowClassName, "TRuntimeFinish");
    EXPECT_EQ(program.alternateDescription, "Finishing the runtime");
    EXPECT_FALSE(program.runBeforeExit.isTrue());

    ScriptRegDll library = s.regDll(1);
    EXPECT_EQ(library.description, "Registering the viewer");
    EXPECT_EQ(library.source, "\\viewer.dll");
    EXPECT_EQ(library.dest, "<SystemDir>\\viewer.dll");
    EXPECT_TRUE(library.shared.isTrue());
    EXPECT_TRUE(library.checkVersion.isTrue());
    EXPECT_TRUE(library.changeDir.isTrue());
    EXPECT_EQ(library.dir, "<SystemDir>");
    EXPECT_TRUE(library.regFile.isTrue());
    EXPECT_FALSE(library.noDelete.isTrue());
    EXPECT_EQ(s.updatingDescription(1), "Updating the viewer");

    ScriptIni ini = s.ini(1);
    EXPECT_EQ(ini.fileName, "<WindowsDir>\\win.ini");
    EXPECT_EQ(ini.group, "Zentrix");
    EXPECT_EQ(ini.string, "Home");
    EXPECT_EQ(ini.value, "<InstallDir>");

    ScriptLink link = s.link(1);
    EXPECT_EQ(link.descr, "Making the shortcut");
    EXPECT_EQ(link.dest, "\\Programs\\Brenlo");
    EXPECT_EQ(link.linkName, "\\Brenlo Zentrix.lnk");
    EXPECT_EQ(link.fileName, "<InstallDir>\\Zentrix.exe");
    EXPECT_EQ(link.workingDir, "<InstallDir>");
    EXPECT_EQ(link.description, "Practice exams");
    EXPECT_EQ(link.params, "/NotRandomQuestions");
}

TEST_F(SetupScriptTest, EverythingMissingGivesTheDefaults) {
    SetupScript s = script("[Other]\nx=1\n");
    ScriptMain m = s.main();
    EXPECT_EQ(m.version, "");
    EXPECT_EQ(m.programName, "Undefined");
    EXPECT_EQ(m.setupName, "Undefined");
    EXPECT_EQ(m.uninstallExeName, "bzQVUnInst.exe");
    EXPECT_EQ(m.uninstallIniName, "Undefined");
    EXPECT_EQ(m.defaultInstallDir, "C:\\Program Files\\Undefined");
    EXPECT_EQ(m.installDirRoot, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(m.uninstallDirRoot, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(m.databaseRoot, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(m.key + m.exeName + m.databaseKey + m.databaseString + m.installedTo, "");
    for (ScriptCount which :
         {ScriptCount::Groups, ScriptCount::DllToReg, ScriptCount::Inis, ScriptCount::Links,
          ScriptCount::RegKeys, ScriptCount::PreInstalledTests}) {
        EXPECT_EQ(s.count(which).value(), 0) << SetupScript::countKey(which);
    }
    EXPECT_EQ(s.preInstalledTest(1), "0");

    ScriptGroup g = s.group(1);
    EXPECT_EQ(g.description, "");
    EXPECT_EQ(g.setupOnly.text, "false");
    EXPECT_EQ(g.filesOnly.text, "false");
    EXPECT_EQ(g.fileSource(), "\\");
    EXPECT_EQ(g.programFolder(), "blah");
    EXPECT_EQ(g.dest, "\\");
    EXPECT_EQ(g.dontDelete.text, "false");
    EXPECT_EQ(g.setupExe, "blah");
    EXPECT_EQ(g.waitTillFinished.text, "false");
    EXPECT_EQ(g.windowClassName, "blah");
    EXPECT_EQ(g.pauseAfterFinish, 0);
    EXPECT_EQ(g.alternateWindowClassName + g.alternateDescription, "");
    EXPECT_EQ(g.runBeforeExit.text, "false");

    ScriptRegDll d = s.regDll(1);
    EXPECT_EQ(d.description, "");
    EXPECT_EQ(d.source, "\\");
    EXPECT_EQ(d.dest, "\\");
    EXPECT_EQ(d.dir, "\\");
    for (const ScriptFlag* flag :
         {&d.shared, &d.checkVersion, &d.changeDir, &d.regFile, &d.noDelete}) {
        EXPECT_EQ(flag->text, "false");
    }
    EXPECT_EQ(s.updatingDescription(1), "");
    ScriptIni i = s.ini(1);
    EXPECT_EQ(i.fileName + i.group + i.string + i.value, "");
    ScriptLink l = s.link(1);
    EXPECT_EQ(l.descr + l.dest + l.linkName + l.fileName + l.workingDir + l.description + l.params,
              "");
}

TEST_F(SetupScriptTest, EmptyValuesAreNotDefaults) {
    SetupScript s =
        script("[Main]\nProgram Name=\nUninstallExe Name=\n[Group1]\nSource=\nSetupExe=\n");
    EXPECT_EQ(s.main().programName, "");
    EXPECT_EQ(s.main().uninstallExeName, "");
    EXPECT_EQ(s.main().defaultInstallDir, "C:\\Program Files\\");
    EXPECT_EQ(s.group(1).fileSource(), "");
    EXPECT_EQ(s.group(1).programFolder(), "");
    EXPECT_EQ(s.group(1).setupExe, "");
}

TEST_F(SetupScriptTest, DefaultInstallFolderFollowsThePlatformsProgramsFolder) {
    script("[Main]\nProgram Name=Zentrix\n");
    SetupScript s(store_, dir_.path().toStdString() + "/install.ini",
                  "/home/u/.local/share/zentrix/programs/");
    EXPECT_EQ(s.main().defaultInstallDir, "/home/u/.local/share/zentrix/programs/Zentrix");
}

TEST_F(SetupScriptTest, CountsThatAreNotDecimalNumbersAreErrorsNamingTheKey) {
    struct Case {
        const char* value;
        std::optional<int> expected;
    } cases[] = {
        {"12", 12},
        {"-1", -1},
        {"+3", 3},
        {"007", 7},
        {"", std::nullopt},
        {"3 groups", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SetupScript s = script(std::string("[Main]\nNumLinks=") + c.value + "\n");
        Result<int> count = s.count(ScriptCount::Links);
        if (c.expected) {
            ASSERT_TRUE(count) << c.value;
            EXPECT_EQ(count.value(), *c.expected);
        } else {
            ASSERT_FALSE(count) << c.value;
            EXPECT_NE(count.message().find("install.ini: [Main] NumLinks: \"" +
                                           std::string(c.value) + "\" is not a decimal number"),
                      std::string::npos)
                << count.message();
        }
    }
}

TEST_F(SetupScriptTest, RegKeySectionsArePositional) {
    SetupScript s = script(kFullScript);
    Result<ScriptRegKey> key = s.regKey(1);
    ASSERT_TRUE(key) << key.message();
    EXPECT_EQ(key->rootName, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(key->root, platform::RootKey::LocalMachine);
    EXPECT_EQ(key->keyPath, "\\software\\Brenlo\\Quaylo\\Test Engine");
    ASSERT_EQ(key->values.size(), 5u);
    EXPECT_EQ(key->values[0].name, "HomeDir");
    EXPECT_EQ(key->values[0].text, "<InstallDir>\\");
    EXPECT_FALSE(key->values[0].integer);
    EXPECT_TRUE(key->values[1].isDefault());
    EXPECT_EQ(key->values[1].text, "<InstallDir>");
    EXPECT_EQ(key->values[2].integer, 5u);
    EXPECT_EQ(key->values[3].integer, 0xFFFFFFFFu);
    EXPECT_FALSE(key->values[4].integer) << "digits without the marker are a text";

    Result<ScriptRegKey> onlyKey = s.regKey(2);
    ASSERT_TRUE(onlyKey);
    EXPECT_EQ(onlyKey->root, platform::RootKey::CurrentUser);
    EXPECT_TRUE(onlyKey->values.empty());
}

TEST_F(SetupScriptTest, BrokenRegKeySectionsAreScriptErrors) {
    struct Case {
        const char* section;
        const char* fault;
    } cases[] = {
        {"", "[RegKey1] needs a root key line and a key path line, found 0 line(s)"},
        {"Root=HKEY_LOCAL_MACHINE\n",
         "[RegKey1] needs a root key line and a key path line, found 1 line(s)"},
        {"R=HKEY_LOCAL_MACHINE\nP=\\k\nCount=integer:five\n",
         "[RegKey1] Count: \"integer:five\" is not a 32-bit integer"},
        {"R=HKEY_LOCAL_MACHINE\nP=\\k\nBig=integer:4294967296\n", "is not a 32-bit integer"},
        {"R=HKEY_LOCAL_MACHINE\nP=\\k\nLate=x integer:5\n",
         "Late: \"x integer:5\" is not a 32-bit integer"},
    };
    for (const Case& c : cases) {
        SetupScript s = script(std::string("[RegKey1]\n") + c.section);
        Result<ScriptRegKey> key = s.regKey(1);
        ASSERT_FALSE(key) << c.section;
        EXPECT_NE(key.message().find(c.fault), std::string::npos) << key.message();
    }
    SetupScript unknownRoot = script("[RegKey1]\nR=HKEY_NOWHERE\nP=\\k\n");
    EXPECT_FALSE(unknownRoot.regKey(1).value().root.has_value());
}

TEST_F(SetupScriptTest, LongValuesPassWholeAndTheUninstallScriptIsWritable) {
    const std::string longPath = "\\" + std::string(3000, 'p');
    const std::string longParams(100, 'a');
    SetupScript s = script("[Main]\nProgram Name=Z\n[Link1]\nParams=" + longParams +
                           "\n[Group1]\nSource=" + longPath + "\n");
    EXPECT_EQ(s.link(1).params, longParams);
    EXPECT_EQ(s.group(1).fileSource(), longPath);
    ASSERT_TRUE(s.writeText("Main", "InstalledTo", "/opt/" + std::string(2100, 'z')));
    EXPECT_EQ(s.main().installedTo, "/opt/" + std::string(2100, 'z'));
    EXPECT_EQ(s.main().programName, "Z");
}

}  // namespace
}  // namespace zentrix::setup
