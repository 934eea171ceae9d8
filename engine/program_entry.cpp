#include "engine/program_entry.h"

#include <QApplication>

#include "engine/engine_data.h"
#include "engine/message_box_dialog_service.h"
#include "engine/tfrm_main.h"

namespace zentrix::engine {

int RunEngineProgram(const ProgramServices& services) {
    MainWindowContext context{services.dialogs,     services.registry, services.profiles,
                              services.shell,       OpenEngineData,    services.arguments,
                              services.settingsFile};
    TfrmMain main(context);
    if (!main.StartupSucceeded()) return 0;
    QApplication::setApplicationName(QStringLiteral("Zentrix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zentrix"));
    if (auto* boxes = dynamic_cast<MessageBoxDialogService*>(&services.dialogs))
        boxes->setOwner(&main);
    main.LoadSkin(main.Folders().GraphicDir);
    main.show();
    return QApplication::exec();
}

}  // namespace zentrix::engine
