#pragma once

// The engine's one main window: a frameless 640 by 480 client area that
// switches between screens by parking one group of controls and placing
// another at the positions of the screen layout tables (ShowScreen, the one
// place that does). Constructing it runs the start-up: folders from the
// registry, the data objects, the screens, the course tree, the first screen
// and the study-guide settings. StartupSucceeded() tells the program entry
// whether to go on.
//
// Each screen has its controller (engine/screens/), which creates its
// controls, registers them under the names of the layout tables and keeps
// typed pointers to them; the attempt across the test, review and results
// screens is the AttemptController's. The main window keeps the title strip,
// the background, the choice of an exam and the way into an attempt.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/exam_bank.h"
#include "engine/screen_id.h"
#include "engine/screens/control_registry.h"
#include "engine/screens/screen_host.h"
#include "engine/screens/simulation_panel.h"
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
namespace zentrix::report {
class PrintService;
}

namespace zentrix::engine {

class AttemptController;
class ConfirmScreen;
class DesktopShell;
class DialogService;
class ExamClock;
class ExamTypeScreen;
class MainScreen;
class RandomSource;
class ReportHooks;
class ScreenController;
class StudyAids;

// The pieces other parts of the program plug into the screens. Each may be
// left empty: the engine then uses its own stand-in.
struct ScreenPlugins {
    // The simulation player; default: TBZDemoQEngine (DemoQEnginePanel) with
    // the system's temporary folder.
    SimulationPanelFactory simulationPanel;
    // The study aids; default: their windows (StudyAidWindows), feedback
    // closed by a Qt timer.
    std::function<std::unique_ptr<StudyAids>(QWidget* owner, DialogService& dialogs,
                                             AttemptBank& bank)>
        studyAids;
    // The reports; default: ReportWindows over the bank's TTesting (a
    // message that they are not available when the bank is not TTesting).
    std::shared_ptr<ReportHooks> reports;
    // Where the reports print; default: the platform's print dialog.
    std::shared_ptr<report::PrintService> printer;
    // The clock and the random draws of attempts; default: local time and a
    // generator seeded from the clock.
    std::shared_ptr<ExamClock> clock;
    std::shared_ptr<RandomSource> random;
};

struct MainWindowContext {
    DialogService& dialogs;
    platform::Registry& registry;
    platform::ProfileStore& profiles;
    DesktopShell& shell;
    EngineDataFactory openData;
    QStringList arguments;     // the program path first
    std::string settingsFile;  // the study-guide INI file
    ScreenPlugins plugins = {};
};

class TfrmMain : public QWidget, private CatalogueListener, public ScreenHost {
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
    void ShowScreen(ScreenId leave, ScreenId enter) override;

    ScreenId CurrentScreen() const override { return currentScreen_; }
    const EngineFolders& Folders() const { return folders_; }
    bool RandomQuestionOrder() const { return randomQuestionOrder_; }
    ExamMode CurrentExamMode() const;
    const StudyGuideSettings& StudyGuide() const override { return studyGuide_; }
    const Skin& CurrentSkin() const { return skin_; }
    const std::vector<questionbank::QVSimListInfo>& TreeRows() const { return rows_; }
    // The selected exam row and its course row, for the reports.
    const std::optional<questionbank::QVSimListInfo>& SelectedRow() const { return selectedRow_; }
    const std::optional<questionbank::QVSimListInfo>& SelectedCourseRow() const {
        return selectedCourseRow_;
    }
    const QString& CandidateName() const { return candidateName_; }
    EngineData* Data() const { return data_.get(); }

    ui::CourseTreeView* vsiTestSelectBox() const;
    QLineEdit* edName() const;
    QSpinBox* edtNumQuestions() const;
    QLabel* lbNoQuestions() const;
    // A control of any screen by its layout-table name; null when unknown.
    QWidget* control(const char* name) const { return controls_.find(name); }
    const ControlRegistry& Controls() const { return controls_; }
    MainScreen& Main() const { return *mainScreen_; }
    ExamTypeScreen& ExamType() const { return *examTypeScreen_; }
    ConfirmScreen& Confirm() const { return *confirmScreen_; }
    // Null when start-up stopped before the data objects existed.
    AttemptController* Attempt() const { return attempt_.get(); }
    StudyAids* Aids() const { return aids_.get(); }
    SimulationPanel* Simulation() const { return simulation_.get(); }

    // ScreenHost
    QWidget* HostWindow() override { return this; }
    void SetCaption(const QString& caption) override { setWindowTitle(caption); }
    bool ConfirmExitExam() override;
    void CloseProgram() override { close(); }
    AttemptReportData ReportData() const override;

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
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSelectBegin() override;
    void OnSelectItem(const questionbank::QVSimListInfo& row) override;
    void OnSelectEnd() override;

    void runStartup();
    void buildTitleStrip();
    void buildAttempt();
    void connectScreens();
    void hideScreen(ScreenId screen);
    void enterScreen(ScreenId screen);
    void loadBackground(ScreenId screen);
    void applySkin();
    void startExamOfType(ExamMode mode);
    ScreenController* controllerOf(ScreenId screen) const;
    int currentRow() const;
    std::shared_ptr<ReportHooks> makeReportWindows();
    std::string programFolder() const;
    std::string historyName() const;
    int selectedRowIndex() const;
    ui::CourseTreeRowStyle rowStyle(int item) const;

    MainWindowContext context_;
    ControlRegistry controls_;
    bool startupSucceeded_ = false;
    bool randomQuestionOrder_ = true;
    bool firstActivation_ = true;
    ScreenId currentScreen_ = ScreenId::None;
    EngineFolders folders_;
    StudyGuideSettings studyGuide_;
    std::unique_ptr<StudyGuideSettingsFile> settingsFile_;
    Skin skin_;
    std::unique_ptr<EngineData> data_;
    std::vector<questionbank::QVSimListInfo> rows_;
    std::optional<questionbank::QVSimListInfo> selectedRow_;
    std::optional<questionbank::QVSimListInfo> selectedCourseRow_;
    int selectedIndex_ = 0;
    std::string selectedTestId_;
    std::string openExamTitle_;
    QString candidateName_;

    QLabel* background_ = nullptr;
    std::unique_ptr<MainScreen> mainScreen_;
    std::unique_ptr<ExamTypeScreen> examTypeScreen_;
    std::unique_ptr<ConfirmScreen> confirmScreen_;
    std::shared_ptr<ExamClock> clock_;
    std::shared_ptr<RandomSource> random_;
    std::shared_ptr<report::PrintService> printer_;
    std::shared_ptr<ReportHooks> reports_;
    std::unique_ptr<SimulationPanel> simulation_;
    std::unique_ptr<StudyAids> aids_;
    std::unique_ptr<AttemptController> attempt_;

    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace zentrix::engine
