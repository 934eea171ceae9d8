#include "setup_fixture.h"

#include <algorithm>
#include <thread>

#include "setup/install_flow.h"
#include "setup/setup_startup.h"

namespace zentrix::setup::testing {

namespace fs = std::filesystem;

void RecordingHost::screenChanged() {
    if (!screen_ || !screen_->panelVisible || screen_->status.empty()) return;
    if (statuses.empty() || statuses.back() != screen_->status) statuses.push_back(screen_->status);
}

bool RecordingHost::waitStep(std::chrono::milliseconds) {
    // Real programs are awaited, so a little real time passes; the 50 ms of
    // the interval do not.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ++waitSteps;
    return stopAtStep < 0 || waitSteps < stopAtStep;
}

SetupFixture::SetupFixture() {
    fs::create_directories(medium());
    location = std::make_unique<FixedSetupLocation>(medium());
}

SetupFixture::~SetupFixture() {
    session_.reset();
    if (realSystem_) platform().system = std::move(realSystem_);
}

void SetupFixture::setAdmin(bool admin) {
    if (!realSystem_) realSystem_ = std::move(platform().system);
    platform().system = std::make_unique<SystemWithAdmin>(*realSystem_, admin);
}

std::string SetupFixture::medium(const std::string& relative) const {
    return scratch.work("medium") + (relative.empty() ? "" : "/" + relative);
}

void SetupFixture::writeMediumFile(const std::string& relative, const std::string& bytes) {
    writeFile(medium(relative), bytes);
}

void SetupFixture::writeMediumProgram(const std::string& relative, const std::string& body) {
    writeFile(medium(relative), "#!/bin/sh\n" + body + "\n");
    fs::permissions(medium(relative),
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

const char* SetupFixture::productScript() {
    return R"([Main]
Program Name=Zentrix
Version=2.1
Setup Name=zentrix-install
UninstallExe Name=uninstall-zentrix
UninstallIni Name=zentrix-uninstall.ini
Key=\software\Brenlo\Quaylo\Test Engine
ExeName=\bin\zentrix
DatabaseKey=\software\Brenlo\Quaylo\Test Engine
DatabaseString=DatabaseDir
NumGroups=4
NumDllToReg=1
NumInis=1
NumLinks=1
NumRegKeys=1

[Group1]
Description=Copying the program...
Source=\zentrix
Dest=<InstallDir>\bin\

[Group2]
Description=Copying the graphics...
Source=\graphics\*.*
Dest=<InstallDir>\graphics
FilesOnly=True

[Group3]
Description=Copying the question bank...
Source=\database\*.*
Dest=<InstallDir>\database
DontDelete=true

[Group4]
Description=Starting the runtime setup...
SetupOnly=true
Source=\runtime
SetupExe=setup.sh
WaitTillFinished=true

[RegDll1]
Description=Registering the helper...
Source=\helper.so
Dest=<SystemDir>\helper.so
Shared=true
RegFile=true

[Ini1]
FileName=<WindowsDir>\zentrix.ini
Group=Zentrix
String=HelpPage
Value=<InstallDir>\graphics\a.png

[Link1]
Descr=Making the shortcut...
Dest=\Programs\Zentrix
LinkName=\Zentrix.lnk
FileName=<InstallDir>\bin\zentrix
WorkingDir=<InstallDir>
Description=Practice exams
Params=--demo "two words"

[RegKey1]
Root=HKEY_LOCAL_MACHINE
Key=\software\Brenlo\Quaylo\Test Engine
HomeDir=<InstallDir>\
GraphicDir=<InstallDir>\graphics\
DatabaseDir=<InstallDir>\database\
(Default)=<InstallDir>
Seats=integer:25
Digits=25
)";
}

void SetupFixture::writeProduct() {
    writeScript(productScript());
    writeMediumProgram("zentrix-install", "exit 0");
    writeMediumFile(SetupSession::engineLibraryName(), "engine library");
    writeMediumProgram("zentrix", "echo engine");
    writeMediumFile("graphics/a.png", "a");
    writeMediumFile("graphics/sub/b.png", "b");
    writeMediumFile("database/gtest.dbf", "bank");
    writeMediumProgram("runtime/setup.sh", "sleep 0.2; echo ran > '" + runtimeLog() + "'");
    fs::copy_file(ZENTRIX_MARKER_LIBRARY, medium("helper.so"),
                  fs::copy_options::overwrite_existing);
    ::setenv("ZENTRIX_TEST_REGISTRATION_LOG", registrationLog().c_str(), 1);
}

bool SetupFixture::install(const std::string& folder) {
    SetupSession& s = newSession();
    if (SetupStartup(s).activate() != StartupOutcome::InstallPanel) return false;
    if (!folder.empty()) s.screen.installFolder = folder;
    return InstallFlow(s).run();
}

SetupSession& SetupFixture::newSession(std::vector<std::string> arguments) {
    session_.reset();
    dialogs.clear();
    host = RecordingHost();
    session_ =
        std::make_unique<SetupSession>(platform(), dialogs, host, *location, std::move(arguments));
    host.watch(session_->screen);
    SetupStartup(*session_).create();
    return *session_;
}

std::string SetupFixture::registryString(platform::RootKey root, const std::string& key,
                                         const std::string& name) {
    Result<std::string> value = platform().registry->readString(root, key, name);
    return value ? value.value() : "<no key>";
}

std::optional<uint32_t> SetupFixture::registryInteger(platform::RootKey root,
                                                      const std::string& key,
                                                      const std::string& name) {
    Result<std::optional<uint32_t>> value = platform().registry->readInteger(root, key, name);
    return value ? value.value() : std::nullopt;
}

bool anyContains(const std::vector<std::string>& texts, const std::string& text) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(text) != std::string::npos; });
}

std::vector<std::string> treeOf(const std::string& folder) {
    std::vector<std::string> entries;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        entries.push_back(fs::relative(it->path(), folder).string());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace zentrix::setup::testing
