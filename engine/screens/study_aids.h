#pragma once

// What the test screen needs of the study-aid windows (built in engine/aids/):
// the hint (THintForm) and references (TRefForm) viewers, the steps window
// of a simulation (TSteps), the exhibit picture (TExibitForm), the feedback
// picture after an open-book answer (TInfoForm.ShowImage) and the case-study
// window (TfrmDisplayCaseStudy). The windows exist for the main window's
// whole life; the test screen replaces their content on every question.
//
// The hint and reference texts arrive as the bank stores them (8-bit
// Windows-1252, rich text or plain): the viewer cleans and renders them.

#include <QByteArray>
#include <QString>
#include <string_view>

class QWidget;

namespace zentrix::engine {

class StudyAids {
public:
    virtual ~StudyAids() = default;

    // ---- hint and references ------------------------------------------------
    virtual void SetHintText(std::string_view stored) = 0;
    virtual void SetReferenceText(std::string_view stored) = 0;
    // Shows the window when hidden, hides it when shown.
    virtual void ToggleHint() = 0;
    virtual void ToggleReference() = 0;

    // ---- steps of a simulation ------------------------------------------------
    virtual void SetStepsTitle(const QString& title) = 0;
    virtual void ClearSteps() = 0;
    // One section: the heading ("Step 1: ") drawn bold, then its text.
    virtual void AddStep(const QString& heading, const QString& text) = 0;
    virtual void ToggleSteps() = 0;
    virtual void HideSteps() = 0;

    // ---- exhibit and feedback -------------------------------------------------
    // Loads the question's picture file (written out of the bank beforehand).
    virtual void LoadExhibit(const QString& path) = 0;
    // Shows the loaded picture modally (through the dialog service).
    virtual void ShowExhibit() = 0;
    // The "correct" or "incorrect" picture of the skin, shown modally for two
    // seconds or until clicked.
    virtual void ShowFeedback(const QByteArray& picture) = 0;

    // ---- case study -------------------------------------------------------------
    // Shows case `number` of the open exam; false when it cannot be found.
    virtual bool LoadCase(int number) = 0;
    virtual void ClearCase() = 0;
    virtual void SetCaseNumber(int number) = 0;
    virtual void ToggleCase() = 0;
    // The window's size at the main window's first activation, given back at
    // every exam start.
    virtual void RememberCaseWindowSize() = 0;
    virtual void RestoreCaseWindowSize() = 0;

    // ---- the windows ------------------------------------------------------------
    // Whether `window` is one of the aid windows (the test screen's aid keys
    // work there too).
    virtual bool IsAidWindow(const QWidget* window) const = 0;

    // ---- leaving the test screen --------------------------------------------------
    // Hides the hint, references and steps windows and clears the two texts.
    virtual void LeaveTestScreen() = 0;
};

}  // namespace zentrix::engine
