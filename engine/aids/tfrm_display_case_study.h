#pragma once

// "Display Case Study": up to ten tabs of one case study, tab k showing the
// k-th of TAB1MEMO..TAB10MEMO of the case record, with the tab's name
// (TAB1..TAB10) as its tooltip and its first five characters + "..." as its
// caption. Close box only, centred on the screen.
//
// The main window, on every question of an exam with case studies: a
// CaseID below 1 calls ClearCase and sets CaseNumber 0; otherwise it sets
// CaseNumber and calls LoadCase, and clears the window when that gives
// false. Its case-study button shows or hides the window (ToggleVisible).
// TTesting's OnCaseStudyClosed should call ClearCase.
//
// On the first activation after opening, a case that is not loaded is
// loaded; when it cannot be, the window beeps, says "Could not find the
// associated case study record for this question." and closes. Hiding or
// closing the window forgets the loaded case, so the next showing reloads.

#include <QDialog>
#include <QScrollBar>
#include <QTabWidget>
#include <array>

#include "engine/aids/case_study_source.h"
#include "engine/dialog_service.h"
#include "ui/rich_text_viewer.h"

class QPushButton;

namespace zentrix::engine::aids {

class CaseTabBar;

class TfrmDisplayCaseStudy : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTabs = questionbank::CaseStudy::kMaxTabs;
    static constexpr int kScrollRange = 10000;
    static constexpr const char* kNotFoundText =
        "Could not find the associated case study record for this question.";

    // `cases` and `dialogs` must outlive the window.
    TfrmDisplayCaseStudy(CaseStudySource& cases, DialogService& dialogs, QWidget* owner = nullptr);

    // Finds case `number`, shows it and gives true; false (nothing changed)
    // when it is not there.
    bool LoadCase(long number);
    // Asks the window to close (after the current event), hides tabs 2..10
    // and forgets the loaded case.
    void ClearCase();
    void ToggleVisible();

    long CaseNumber() const { return caseNumber_; }
    void SetCaseNumber(long number) { caseNumber_ = number; }
    bool Loaded() const { return loaded_; }
    int TabsInUse() const { return tabsInUse_; }

    QTabWidget* PageControl1() const { return pageControl_; }
    CaseTabBar* TabBar() const { return tabBar_; }
    QWidget* TabSheet(int k) const {
        return sheets_[static_cast<std::size_t>(k - 1)];
    }  // k = 1..10
    ui::RichTextViewer* edRich(int k) const { return viewers_[static_cast<std::size_t>(k - 1)]; }
    QScrollBar* ScrollBar(int k) const { return scrollBars_[static_cast<std::size_t>(k - 1)]; }
    QPushButton* btClose() const { return btClose_; }

    // The layout of a window of this client size: the tab control, the
    // close button and every viewer with its scroll bar.
    void LayOut(QSize client);

    // The border and title of the window the layout's numbers were made for:
    // they are given in outer window sizes.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 30;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormActivate();
    void growTabs();
    void bindScrollBar(int index);

    CaseStudySource& cases_;
    DialogService& dialogs_;
    CaseTabBar* tabBar_;
    QTabWidget* pageControl_;
    std::array<QWidget*, kTabs> sheets_{};
    std::array<ui::RichTextViewer*, kTabs> viewers_{};
    std::array<QScrollBar*, kTabs> scrollBars_{};
    QPushButton* btClose_;
    long caseNumber_ = 0;
    bool activated_ = false;
    bool loaded_ = false;
    int tabsInUse_ = 0;
};

}  // namespace zentrix::engine::aids
