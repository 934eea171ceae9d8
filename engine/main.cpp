// The Zentrix practice-exam engine.

#include <QApplication>
#include <QDir>
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

    const platform::PlatformPaths paths = platform::PlatformPaths::fromEnvironment();
    auto platform = platform::createPlatform(paths);
    if (!platform) {
        std::fprintf(stderr, "zentrix: %s\n", platform.message().c_str());
        return 1;
    }
    engine::MessageBoxDialogService dialogs;
    engine::PlatformDesktopShell shell(*platform.value()->shell);

    // Beside the program when its folder can be written, else in the user's
    // configuration folder (a program installed into a system folder); below
    // the platform root when that is relocated, so a demo or test run never
    // writes into the real home folder.
    const std::string configFolder =
        paths.relocated
            ? QDir(QString::fromStdString(paths.root))
                      .filePath(QStringLiteral("config/Zentrix"))
                      .toStdString() +
                  "/"
            : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString() +
                  "/";
    const std::string settingsFile = engine::StudyGuideSettingsFile::PathForProgram(
        QApplication::applicationFilePath().toStdString(), configFolder);

    engine::ProgramServices services{dialogs,
                                     *platform.value()->registry,
                                     *platform.value()->profiles,
                                     shell,
                                     QApplication::arguments(),
                                     settingsFile,
                                     platform.value()->system->tempFolder()};
    return engine::RunEngineProgram(services);
}
