// The engine's start-up as the program runs it, ending at the first painted
// main screen. The benchmark starts this as a process and times it. Modal
// messages are recorded instead of shown, so a graphics folder without
// pictures cannot stop it.

#include <QApplication>
#include <QEvent>

#include "engine/engine_data.h"
#include "engine/platform_desktop_shell.h"
#include "engine/recording_dialog_service.h"
#include "engine/tfrm_main.h"
#include "platform/platform.h"

namespace {

class FirstPaintQuits : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    using namespace zentrix;
    QApplication application(argc, argv);
    auto platform = platform::createPlatform(platform::PlatformPaths::fromEnvironment());
    if (!platform) return 2;
    engine::RecordingDialogService dialogs;
    engine::PlatformDesktopShell shell(*platform.value()->shell);
    engine::MainWindowContext context{dialogs,
                                      *platform.value()->registry,
                                      *platform.value()->profiles,
                                      shell,
                                      engine::OpenEngineData,
                                      QApplication::arguments(),
                                      platform.value()->paths.tempDir + "/zentrix.INI"};
    engine::TfrmMain main(context);
    if (!main.StartupSucceeded()) return 3;
    main.LoadSkin(main.Folders().GraphicDir);
    FirstPaintQuits quit;
    main.installEventFilter(&quit);
    main.show();
    const int code = QApplication::exec();
    return code == 0 && main.TreeRows().empty() ? 4 : code;
}
