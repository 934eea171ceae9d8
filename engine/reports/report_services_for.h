#pragma once

// The report windows' services from the engine's one dialog service, so
// that the results screen and the History button wire reports in a line:
//
//     report::DialogPrintService printer([&](QDialog& d) { return dialogs.runModal(d); });
//     const report::ReportServices services = ReportServicesFor(dialogs, printer);
//     report::ShowPreview(services, this, guide.Render(), programFolder);

#include "engine/dialog_service.h"
#include "ui/report/report_services.h"

namespace zentrix::engine::reports {

inline report::ReportServices ReportServicesFor(DialogService& dialogs,
                                                report::PrintService& printer) {
    report::ReportServices services;
    services.runModal = [&dialogs](QDialog& dialog) { return dialogs.runModal(dialog); };
    services.showError = [&dialogs](const QString& text) {
        dialogs.beep();
        dialogs.error(text);
    };
    services.printer = &printer;
    return services;
}

}  // namespace zentrix::engine::reports
