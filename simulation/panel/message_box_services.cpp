#include "simulation/panel/message_box_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace zentrix::simulation::panel {

bool MessageBoxQuestions::askYesNo(const QString& question) {
    QApplication::beep();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), question, QMessageBox::NoButton,
                    parent_);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace zentrix::simulation::panel
