// The Zentrix practice-exam engine.

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>

#include "engine/message_box_dialog_service.h"
#include "engine/platform_desktop_shell.h"
#include "engine/program_entry.h"
#include "engine/study_guide_settings.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    using namespace zentrix;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrix"));

    auto platform = platform::createPlatform(platform::PlatformPaths::fromEnvironment());
    if (!platform) {
        std::fprintf(stderr, "zentrix: %s\n", platform.message().c_str());
        return 1;
    }
    engine::MessageBoxDialogService dialogs;
    engine::PlatformDesktopShell shell(*platform.value()->shell);

    // Beside the program when its folder can be written, else in the user's
    // configuration folder (a program installed into a system folder).
    const std::string configFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString() + "/";
    const std::string settingsFile = engine::StudyGuideSettingsFile::PathForProgram(
        QApplication::applicationFilePath().toStdString(), configFolder);

    engine::ProgramServices services{
        dialogs, *platform.value()->registry, *platform.value()->profiles,
        shell,   QApplication::arguments(),   settingsFile};
    return engine::RunEngineProgram(services);
}
