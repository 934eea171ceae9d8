#include "engine/program_entry.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include "engine/engine_data.h"
#include "engine/message_box_dialog_service.h"
#include "engine/screens/demo_q_engine_panel.h"
#include "engine/tfrm_main.h"

namespace zentrix::engine {

namespace {

// ZENTRIX_STARTUP_REPORT=FILE: once the main window is up, its screen and the
// rows of the course tree are written to FILE and the program ends. Lets a
// script check an installed engine, started from its shortcut, end to end.
void writeStartupReport(const QString& file, const TfrmMain& main) {
    QByteArray report = "screen " + QByteArray::number(int(main.CurrentScreen())) + "\n";
    for (const questionbank::QVSimListInfo& row : main.TreeRows()) {
        report += "row " + QByteArray::number(row.NodeKind) + "\t" +
                  QByteArray::fromStdString(row.CourseId) + "\t" +
                  QByteArray::fromStdString(row.TestId) + "\t" +
                  QByteArray::fromStdString(row.Title) + "\n";
    }
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) out.write(report);
}

}  // namespace

int RunEngineProgram(const ProgramServices& services) {
    MainWindowContext context{services.dialogs,     services.registry, services.profiles,
                              services.shell,       OpenEngineData,    services.arguments,
                              services.settingsFile};
    SimulationPanelOptions simulation;
    simulation.tempFolder = QString::fromStdString(services.tempFolder);
    context.plugins.simulationPanel = DemoQEnginePanel::Plugin(simulation);
    TfrmMain main(context);
    if (!main.StartupSucceeded()) return 0;
    QApplication::setApplicationName(QStringLiteral("Zentrix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zentrix"));
    if (auto* boxes = dynamic_cast<MessageBoxDialogService*>(&services.dialogs))
        boxes->setOwner(&main);
    main.LoadSkin(main.Folders().GraphicDir);
    main.show();
    const QString report = qEnvironmentVariable("ZENTRIX_STARTUP_REPORT");
    if (!report.isEmpty()) {
        QTimer::singleShot(0, &main, [&main, report] {
            writeStartupReport(report, main);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}

}  // namespace zentrix::engine
