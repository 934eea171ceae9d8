// The Zentrix practice-exam engine.

#include <QApplication>
#include <QStandardPaths>

#include "engine/message_box_dialog_service.h"
#include "engine/program_entry.h"
#include "engine/qt_desktop_shell.h"
#include "engine/study_guide_settings.h"
#include "platform/file_registry.h"
#include "platform/platform_paths.h"
#include "platform/profile_store.h"

int main(int argc, char** argv) {
    using namespace zentrix;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrix"));

    const platform::PlatformPaths paths = platform::PlatformPaths::fromEnvironment();
    platform::FileRegistry registry(paths.registryDir, {});
    platform::TextProfileStore profiles;
    engine::MessageBoxDialogService dialogs;
    engine::QtDesktopShell shell;

    const std::string configFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString() + "/";
    const std::string settingsFile = engine::StudyGuideSettingsFile::PathForProgram(
        QApplication::applicationFilePath().toStdString(), configFolder);

    engine::ProgramServices services{dialogs, registry, profiles, shell, QApplication::arguments(),
                                     settingsFile};
    return engine::RunEngineProgram(services);
}
