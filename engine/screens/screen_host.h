#pragma once

// What the attempt's screens need of the main window that hosts them: the
// one screen switch, the window caption, the confirm-exit window, closing the
// program, and what the reports read about the learner's choice.

#include <QString>

#include "engine/screen_id.h"
#include "engine/screens/report_hooks.h"

class QWidget;

namespace zentrix::engine {

class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    virtual void ShowScreen(ScreenId leave, ScreenId enter) = 0;
    virtual ScreenId CurrentScreen() const = 0;
    virtual QWidget* HostWindow() = 0;
    virtual void SetCaption(const QString& caption) = 0;
    // The confirm-exit window; true when the learner answered yes.
    virtual bool ConfirmExitExam() = 0;
    virtual void CloseProgram() = 0;
    // The candidate, the chosen rows, the skin and the settings; the attempt
    // adds its items, mode and bank.
    virtual AttemptReportData ReportData() const = 0;
    virtual const StudyGuideSettings& StudyGuide() const = 0;
};

}  // namespace zentrix::engine
