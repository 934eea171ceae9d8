#include "engine/tfrm_options.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zentrix::engine {
namespace {

QButtonGroup* addRadioGroup(QWidget* owner, QVBoxLayout* into, const QString& title,
                            const QStringList& items, int selected) {
    auto* box = new QGroupBox(title, owner);
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        column->addWidget(radio);
    }
    if (QAbstractButton* button = group->button(selected)) button->setChecked(true);
    into->addWidget(box);
    return group;
}

}  // namespace

TfrmOptions::TfrmOptions(StudyGuideSettings& settings, StudyGuideSettingsFile& file,
                         QWidget* parent)
    : QDialog(parent), settings_(settings), file_(file) {
    setWindowTitle(QStringLiteral("Study Guide Options"));
    auto* layout = new QVBoxLayout(this);
    afterQuestion_ =
        addRadioGroup(this, layout, QStringLiteral("Show Study Guides after each Question"),
                      {QStringLiteral("Never"), QStringLiteral("Only if Incorrect"),
                       QStringLiteral("Only if Correct"), QStringLiteral("After all Questions")},
                      settings.SG_AfterQues);
    listMode_ = addRadioGroup(this, layout, QStringLiteral("Default mode for listing Study Guide"),
                              {QStringLiteral("Incorrect answers"),
                               QStringLiteral("Correct answers"), QStringLiteral("All answers")},
                              settings.ListStudyGuide);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    save->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TfrmOptions::Save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmOptions::Save() {
    if (afterQuestion_->checkedId() >= 0) settings_.SG_AfterQues = afterQuestion_->checkedId();
    if (listMode_->checkedId() >= 0) settings_.ListStudyGuide = listMode_->checkedId();
    file_.saveIfExists(settings_);
    accept();
}

}  // namespace zentrix::engine
