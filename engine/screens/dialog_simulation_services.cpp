#include "engine/screens/dialog_simulation_services.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "engine/dialog_service.h"

namespace zentrix::engine {

bool DialogSimulationServices::askYesNo(const QString& question) {
    dialogs_.beep();
    QWidget* shownOwner = owner_ && owner_->isVisible() ? owner_->window() : nullptr;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), question,
                    QMessageBox::Yes | QMessageBox::No, shownOwner);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Yes"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    box.setEscapeButton(QMessageBox::No);
    dialogs_.runModal(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

void DialogSimulationServices::reportError(const QString& text) {
    dialogs_.error(QString::fromLatin1(kCannotPlayMessage) + QLatin1Char('\n') + text);
}

}  // namespace zentrix::engine
