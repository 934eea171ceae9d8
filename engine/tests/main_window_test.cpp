#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <set>

#include "engine/screen_layout_table.h"
#include "engine/tfrm_about_box.h"
#include "engine/tfrm_options.h"
#include "engine_fixture.h"

namespace zentrix::engine::testing {
namespace {

using Event = RecordingDialogService::Event;

class MainWindowTest : public EngineFixture {
protected:
    void SetUp() override {
        writeRegistryKey();
        main = makeMainWindow();
        ASSERT_TRUE(main->StartupSucceeded());
    }
    void clickControl(const char* name) {
        QWidget* widget = main->control(name);
        ASSERT_NE(widget, nullptr) << name;
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    std::unique_ptr<TfrmMain> main;
};

TEST_F(MainWindowTest, EveryScreenPlacesItsControlsAndParksThemAgain) {
    // Entering a screen places every control of its table; these the screen's
    // own rules hide again (the test screen's navigation waits for an exam
    // start, the review's item buttons for the end of the attempt).
    const std::set<std::string> hiddenOnEntry = {"btnJumpTo",           "btnItemReview",
                                                 "btnReviewInComplete", "btnReview",
                                                 "btnExamResults",      "ReviewItemEdit"};
    for (ScreenId screen : kAllScreens) {
        main->ShowScreen(ScreenId::None, screen);
        EXPECT_EQ(main->CurrentScreen(), screen);
        for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
            const QWidget* widget = main->control(placement.control);
            ASSERT_NE(widget, nullptr) << placement.control;
            EXPECT_EQ(widget->pos(), placement.shown) << placement.control;
            EXPECT_EQ(widget->isHidden(), hiddenOnEntry.count(placement.control) == 1)
                << placement.control;
            if (placement.shownSize) {
                EXPECT_EQ(widget->size(), *placement.shownSize) << placement.control;
            }
        }
        main->ShowScreen(screen, ScreenId::None);
        for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
            const QWidget* widget = main->control(placement.control);
            EXPECT_EQ(widget->pos(), placement.parked) << placement.control;
            EXPECT_TRUE(widget->isHidden()) << placement.control;
            if (placement.parkedSize) {
                EXPECT_EQ(widget->size(), *placement.parkedSize) << placement.control;
            }
        }
    }
}

TEST_F(MainWindowTest, LeavingAllScreensHidesEveryOtherScreensControls) {
    main->ShowScreen(ScreenId::None, ScreenId::ComfirmQV);
    for (ScreenId screen : kAllScreens) {
        if (screen == ScreenId::ComfirmQV) continue;
        for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
            EXPECT_TRUE(main->control(placement.control)->isHidden()) << placement.control;
        }
    }
    EXPECT_TRUE(main->control("TestScrollBox")->isHidden());
    main->ShowScreen(ScreenId::ComfirmQV, ScreenId::TestWindow);
    EXPECT_EQ(main->control("TestScrollBox")->geometry(), QRect(10, 26, 621, 381));
    main->ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
    EXPECT_EQ(main->control("TestScrollBox")->geometry(), QRect(830, 20, 10, 10));
    EXPECT_EQ(main->control("BZDemoQEngine1")->geometry(), QRect(1, 1, 1, 1));
}

TEST_F(MainWindowTest, MainScreenRefusalsBeepExplainAndStay) {
    struct Refusal {
        const char* name;
        int row;
        bool enterButton;  // else double-click in the tree
        const char* name_text;
        Event event;
        const char* message;
    };
    const Refusal cases[] = {
        {"Enter on a course row", 0, true, "Student", Event::Information,
         "You are on a Course title."},
        {"Enter on a blank row", 4, true, "Student", Event::Information,
         "You are on a blank line."},
        {"double-click on a blank row", 4, false, "Student", Event::Information,
         "You clicked on a blank line!"},
        {"exam row without a name", 1, true, "", Event::Error, "A User Name is required."},
        {"mixed row without a name", 3, false, "", Event::Error, "A User Name is required."},
        {"exam missing from the bank", 2, true, "Student", Event::Error, nullptr},
    };
    bank->exams.erase("NET2");
    for (const Refusal& c : cases) {
        dialogs.clear();
        main->edName()->setText(QString::fromLatin1(c.name_text));
        main->vsiTestSelectBox()->setCurrentItem(c.row);
        if (c.enterButton) {
            main->BtnMainEnterClick();
        } else {
            main->vsiTestSelectBoxActivate(c.row);
        }
        ASSERT_EQ(dialogs.entries().size(), 2u) << c.name;
        EXPECT_EQ(dialogs.entries()[0].event, Event::Beep) << c.name;
        EXPECT_EQ(dialogs.entries()[1].event, c.event) << c.name;
        if (c.message) {
            EXPECT_EQ(dialogs.entries()[1].text, c.message) << c.name;
        }
        EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface) << c.name;
        EXPECT_EQ(main->vsiTestSelectBox()->currentItem(), c.row) << c.name;
    }
}

TEST_F(MainWindowTest, MissingNamePutsTheFocusIntoTheNameBox) {
    main->show();
    main->vsiTestSelectBox()->setFocus();
    main->edName()->clear();
    main->SelectExamRow(1);
    EXPECT_EQ(main->focusWidget(), main->edName());
    EXPECT_TRUE(bank->opened.empty());
}

TEST_F(MainWindowTest, EnterWithNoSelectionUsesRowZero) {
    main->vsiTestSelectBox()->setCurrentItem(-1);
    main->BtnMainEnterClick();
    EXPECT_EQ(dialogs.texts(Event::Information),
              std::vector<QString>{"You are on a Course title."});
}

TEST_F(MainWindowTest, DoubleClickOnACourseFoldsInsteadOfRefusing) {
    main->vsiTestSelectBoxActivate(0);
    EXPECT_TRUE(main->vsiTestSelectBox()->isFolded(0));
    EXPECT_FALSE(main->vsiTestSelectBox()->isItemShown(1));
    EXPECT_TRUE(dialogs.entries().empty());
    main->vsiTestSelectBoxActivate(0);
    EXPECT_TRUE(main->vsiTestSelectBox()->isItemShown(1));
}

TEST_F(MainWindowTest, ChoosingAnExamOpensItAndShowsTheExamTypeScreen) {
    main->edName()->setText("Ada");
    main->vsiTestSelectBox()->setCurrentItem(2);
    main->BtnMainEnterClick();
    // a second choice closes the first exam
    main->ShowScreen(ScreenId::QVTestType, ScreenId::MainInterface);
    main->vsiTestSelectBoxActivate(1);

    EXPECT_EQ(bank->opened, (std::vector<std::string>{"NET2", "NET1"}));
    EXPECT_TRUE(bank->lastPreferAlternative);
    EXPECT_EQ(bank->closeCalls, 1);
    EXPECT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
    EXPECT_EQ(main->edtNumQuestions()->minimum(), 1);
    EXPECT_EQ(main->edtNumQuestions()->maximum(), 12);
    EXPECT_EQ(main->edtNumQuestions()->value(), 12);
    EXPECT_EQ(main->lbNoQuestions()->text(), "Total number of questions available: 12");
    EXPECT_EQ(main->windowTitle(), "Network Basics");
    EXPECT_EQ(main->CandidateName(), "Ada");
    ASSERT_TRUE(main->SelectedCourseRow().has_value());
    EXPECT_EQ(main->SelectedCourseRow()->Title, "Networking");
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(MainWindowTest, AnExamWithoutQuestionsIsRefusedAndTheCountStartsAtOneAfterwards) {
    bank->exams["NET2"].questions.clear();
    main->SelectExamRow(2);
    EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    EXPECT_EQ(dialogs.texts(Event::Information),
              std::vector<QString>{"This exam has no questions. Choose another exam."});
    EXPECT_FALSE(bank->IsOpen()) << "the empty exam is closed again";
    main->SelectExamRow(1);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
    EXPECT_EQ(main->edtNumQuestions()->minimum(), 1);
    EXPECT_EQ(main->edtNumQuestions()->maximum(), 12);
    main->edtNumQuestions()->setValue(0);
    EXPECT_EQ(main->edtNumQuestions()->value(), 1) << "no attempt of 0 questions";
}

TEST_F(MainWindowTest, ChoosingAMixedRowShowsTheConfirmScreenWithoutOpeningAnExam) {
    main->vsiTestSelectBoxActivate(7);
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ComfirmQV);
    EXPECT_TRUE(bank->opened.empty());
    EXPECT_EQ(main->SelectedRow()->NodeKind, questionbank::kMixedRow);
    EXPECT_EQ(main->SelectedCourseRow()->Title, "Security");
    clickControl("btnConfirmBegin");
    EXPECT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(main->CurrentExamMode(), ExamMode::Mixed);
}

TEST_F(MainWindowTest, ExamTypeButtonsSetTheModeAndEnterTheTest) {
    const struct {
        const char* button;
        ExamMode mode;
    } cases[] = {{"btnOpenBook", ExamMode::OpenBook}, {"btnClosedBook", ExamMode::ClosedBook}};
    for (const auto& c : cases) {
        main->ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
        main->SelectExamRow(1);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
        clickControl(c.button);
        EXPECT_EQ(main->CurrentScreen(), ScreenId::TestWindow) << c.button;
        EXPECT_EQ(main->CurrentExamMode(), c.mode) << c.button;
    }
}

TEST_F(MainWindowTest, TitleStripCloseGoesBackToTheMainScreenFromEveryOtherScreen) {
    const struct {
        ScreenId screen;
        bool confirmExit;
    } cases[] = {{ScreenId::QVTestType, false},
                 {ScreenId::ComfirmQV, false},
                 {ScreenId::TestWindow, true},
                 {ScreenId::ExamReview, false},
                 {ScreenId::ExamResults, false}};
    main->show();
    for (const auto& c : cases) {
        dialogs.clear();
        main->ShowScreen(ScreenId::None, c.screen);
        if (c.confirmExit) {
            clickControl("btnCloseProg");  // answered "no"
            EXPECT_EQ(main->CurrentScreen(), c.screen);
            dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
        }
        clickControl("btnCloseProg");
        EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface) << static_cast<int>(c.screen);
        EXPECT_EQ(dialogs.count(Event::Dialog), c.confirmExit ? 2 : 0);
        if (c.confirmExit) {
            EXPECT_EQ(dialogs.texts(Event::Dialog)[0], "Confirm Exit Exam");
        }
        EXPECT_TRUE(main->isVisible());
    }
    clickControl("btnCloseProg");
    EXPECT_FALSE(main->isVisible()) << "on the main screen the close button ends the program";
}

TEST_F(MainWindowTest, ClosingTheWindowClosesTheOpenExam) {
    main->show();
    main->SelectExamRow(1);
    ASSERT_TRUE(bank->IsOpen());
    main->close();
    EXPECT_FALSE(bank->IsOpen());
}

TEST_F(MainWindowTest, OptionsSaveWritesOnlyIntoAnExistingSettingsFile) {
    for (bool fileExists : {true, false}) {
        if (!fileExists) QFile::remove(QString::fromStdString(settingsFile));
        dialogs.answerNextDialog([fileExists](QDialog& dialog) {
            auto& options = static_cast<TfrmOptions&>(dialog);
            options.afterQuestionGroup()->button(3)->click();
            options.listModeGroup()->button(fileExists ? 2 : 1)->click();
            options.Save();
            return dialog.result();
        });
        clickControl("btOptions");
        EXPECT_EQ(dialogs.texts(Event::Dialog).back(), "Study Guide Options");
        EXPECT_EQ(main->StudyGuide().SG_AfterQues, 3);
        EXPECT_EQ(main->StudyGuide().ListStudyGuide, fileExists ? 2 : 1);
        EXPECT_EQ(QFile::exists(QString::fromStdString(settingsFile)), fileExists);
        if (fileExists) {
            EXPECT_EQ(profiles.readInteger(settingsFile, "StudyGuide", "ListStudyGuide", -1), 2);
            EXPECT_EQ(profiles.readInteger(settingsFile, "StudyGuide", "SG_AfterQues", -1), 3);
        }
    }
}

TEST_F(MainWindowTest, OptionsDialogStartsFromTheCurrentSettingsAndCancelKeepsThem) {
    dialogs.answerNextDialog([](QDialog& dialog) {
        auto& options = static_cast<TfrmOptions&>(dialog);
        EXPECT_EQ(options.afterQuestionGroup()->checkedId(), 0);
        EXPECT_EQ(options.listModeGroup()->checkedId(), 0);
        options.afterQuestionGroup()->button(2)->click();
        return QDialog::Rejected;
    });
    clickControl("btOptions");
    EXPECT_EQ(main->StudyGuide().SG_AfterQues, 0);
}

TEST_F(MainWindowTest, HelpButtonOffersHelpAndAboutUnderItself) {
    main->show();
    clickControl("btHelp_About");
    QMenu* menu = main->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Help");
    EXPECT_EQ(menu->actions()[1]->text(), "About");
    EXPECT_EQ(menu->pos().y(), main->control("btHelp_About")->mapToGlobal(QPoint(0, 0)).y() +
                                   main->control("btHelp_About")->height());
    menu->actions()[1]->trigger();
    EXPECT_EQ(dialogs.texts(Event::Dialog), std::vector<QString>{"About Zentrix"});
    menu->close();
}

TEST_F(MainWindowTest, HelpAboutAndWebSiteGoToTheDesktop) {
    main->HelpClick();
    ASSERT_EQ(shell.documents.size(), 1u);
    EXPECT_EQ(shell.documents[0], folder("home") + "help/index.html");
    EXPECT_EQ(shell.minimized, 1);

    dialogs.answerNextDialog([](QDialog&) { return TfrmAboutBox::kHelpRequested; });
    main->AboutClick();
    EXPECT_EQ(shell.documents.size(), 2u)
        << "closing the about box with its help button opens help";
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Rejected; });
    main->AboutClick();
    EXPECT_EQ(shell.documents.size(), 2u);

    clickControl("btnGoWebSite");
    EXPECT_EQ(shell.addresses, std::vector<std::string>{TfrmMain::kWebAddress});
}

TEST_F(MainWindowTest, SkinPicturesAndBackgroundsReachTheScreen) {
    QImage picture(30, 18, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(QString::fromStdString(folder("graphics") + "close.png")));
    QImage backdrop(640, 480, QImage::Format_RGB32);
    backdrop.fill(QColor(10, 20, 30));
    ASSERT_TRUE(backdrop.save(QString::fromStdString(folder("graphics") + "main.png")));
    writeFile(folder("graphics") + "scheme.ini",
              "[Misc]\nbtnClose=close.png\n[BackGrounds]\nMainInterface=main.png\n");
    main->LoadSkin(main->Folders().GraphicDir);
    EXPECT_EQ(main->control("btnCloseProg")->size(), QSize(30, 18));
    const QImage shown = main->grab().toImage();
    EXPECT_EQ(shown.pixelColor(320, 60), QColor(10, 20, 30))
        << "the screen already shown takes the skin's background";
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindow) {
    main->show();
    const QPoint start = main->pos();
    QWidget* background = main->findChild<QWidget*>("imBackground");
    QTest::mousePress(background, Qt::LeftButton, {}, QPoint(300, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(340, 230),
                     background->mapToGlobal(QPointF(340, 230)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(background, &move);
    EXPECT_EQ(main->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseRelease(background, Qt::LeftButton, {}, QPoint(340, 230));
    EXPECT_EQ(main->pos(), start + QPoint(40, 30));
    EXPECT_EQ(main->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace zentrix::engine::testing
