#pragma once

// The Study Guide Options dialog: when the study guide pops up during an
// open-book exam and which answers it lists by default. Save changes the
// running settings and writes them to the settings file if that file exists.

#include <QDialog>

#include "engine/study_guide_settings.h"

class QButtonGroup;

namespace zentrix::engine {

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    TfrmOptions(StudyGuideSettings& settings, StudyGuideSettingsFile& file,
                QWidget* parent = nullptr);

    QButtonGroup* afterQuestionGroup() const { return afterQuestion_; }
    QButtonGroup* listModeGroup() const { return listMode_; }

public slots:
    void Save();

private:
    StudyGuideSettings& settings_;
    StudyGuideSettingsFile& file_;
    QButtonGroup* afterQuestion_;
    QButtonGroup* listMode_;
};

}  // namespace zentrix::engine
