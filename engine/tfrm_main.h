#pragma once

// The engine's one main window: a frameless 640 by 480 client area that
// switches between screens by parking one group of controls and placing
// another at the positions of the screen layout tables. Constructing it runs
// the start-up: folders from the registry, the data objects, the course
// tree, the first screen and the study-guide settings. StartupSucceeded()
// tells the program entry whether to go on.
//
// The exam itself (assembly, questions, review, results) belongs to the
// screens behind the exam-type and confirm screens; their entry points are
// the virtual Start/Finish hooks, which here only make the screen changes.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/exam_bank.h"
#include "engine/screen_id.h"
#include "engine/skin.h"
#include "engine/study_guide_settings.h"
#include "ui/course_tree_view.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace zentrix::platform {
class ProfileStore;
class Registry;
}  // namespace zentrix::platform

namespace zentrix::engine {

class DesktopShell;
class DialogService;

struct MainWindowContext {
    DialogService& dialogs;
    platform::Registry& registry;
    platform::ProfileStore& profiles;
    DesktopShell& shell;
    EngineDataFactory openData;
    QStringList arguments;     // the program path first
    std::string settingsFile;  // the study-guide INI file
};

class TfrmMain : public QWidget, private CatalogueListener {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 480;
    static constexpr const char* kWebAddress = "https://zentrix.example.org/";
    static constexpr const char* kHelpPage = "help/index.html";

    explicit TfrmMain(MainWindowContext context, QWidget* parent = nullptr);
    ~TfrmMain() override;

    bool StartupSucceeded() const { return startupSucceeded_; }

    // Reads the skin of `folder` and applies it; reports missing pictures.
    void LoadSkin(const std::string& folder);
    void ShowScreen(ScreenId leave, ScreenId enter);

    ScreenId CurrentScreen() const { return currentScreen_; }
    const EngineFolders& Folders() const { return folders_; }
    bool RandomQuestionOrder() const { return randomQuestionOrder_; }
    int ExamMode() const { return examMode_; }
    const StudyGuideSettings& StudyGuide() const { return studyGuide_; }
    const Skin& CurrentSkin() const { return skin_; }
    const std::vector<questionbank::QVSimListInfo>& TreeRows() const { return rows_; }
    // The selected exam row and its course row, for the reports.
    const std::optional<questionbank::QVSimListInfo>& SelectedRow() const { return selectedRow_; }
    const std::optional<questionbank::QVSimListInfo>& SelectedCourseRow() const {
        return selectedCourseRow_;
    }
    const QString& CandidateName() const { return candidateName_; }
    EngineData* Data() const { return data_.get(); }

    ui::CourseTreeView* vsiTestSelectBox() const { return tree_; }
    QLineEdit* edName() const { return nameBox_; }
    QSpinBox* edtNumQuestions() const { return questionCount_; }
    QLabel* lbNoQuestions() const { return questionsAvailable_; }
    QWidget* control(const char* name) const;

public slots:
    void BtnMainEnterClick();
    void btOptionsClick();
    void btnHistoryClick();
    void btnExitClick();
    void vsiTestSelectBoxClick(int item);
    void vsiTestSelectBoxActivate(int item);
    void SelectExamRow(int row);
    void btnOpenBookClick();
    void btnClosedBookClick();
    void btnExamTypeMainClick();
    void btnConfirmBeginClick();
    void btnConfirmMainClick();
    void btnTMainClick();
    void btnCloseProgClick();
    void BtnMinimizeClick();
    void btHelp_AboutClick();
    void btnGoWebSiteClick();
    void HelpClick();
    void AboutClick();

protected:
    // Entry points of the exam screens; these versions make the screen
    // changes only.
    virtual void StartSingleExam() {}
    virtual void StartMixedExam();
    virtual void FinishHistory() {}
    virtual void ShowReportSelection() {}

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSelectBegin() override;
    void OnSelectItem(const questionbank::QVSimListInfo& row) override;
    void OnSelectEnd() override;

    void runStartup();
    void buildTitleStrip();
    void buildMainScreen();
    void buildExamTypeScreen();
    void buildConfirmScreen();
    void buildExamScreens();
    void hideScreen(ScreenId screen);
    void enterScreen(ScreenId screen);
    void loadBackground(ScreenId screen);
    void applySkin();
    void confirmExitExam();
    void startExamOfType(int mode);
    int currentRow() const;
    ui::CourseTreeRowStyle rowStyle(int item) const;

    MainWindowContext context_;
    bool startupSucceeded_ = false;
    bool randomQuestionOrder_ = true;
    bool examEnded_ = false;
    bool firstActivation_ = true;
    int examMode_ = 0;
    ScreenId currentScreen_ = ScreenId::None;
    EngineFolders folders_;
    StudyGuideSettings studyGuide_;
    std::unique_ptr<StudyGuideSettingsFile> settingsFile_;
    Skin skin_;
    std::unique_ptr<EngineData> data_;
    std::vector<questionbank::QVSimListInfo> rows_;
    std::optional<questionbank::QVSimListInfo> selectedRow_;
    std::optional<questionbank::QVSimListInfo> selectedCourseRow_;
    std::string selectedTestId_;
    QString candidateName_;
    QString stepsTitle_;

    QLabel* background_ = nullptr;
    ui::CourseTreeView* tree_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QSpinBox* questionCount_ = nullptr;
    QLabel* questionsAvailable_ = nullptr;
    QWidget* questionArea_ = nullptr;
    QWidget* simulationPanel_ = nullptr;

    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace zentrix::engine
