#include "engine/screens/report_hooks.h"

#include "engine/dialog_service.h"

namespace zentrix::engine {

void PendingReportHooks::tell() { dialogs_.information(QString::fromLatin1(kNotAvailableMessage)); }

}  // namespace zentrix::engine
