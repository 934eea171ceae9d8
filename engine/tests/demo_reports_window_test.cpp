// The reports as a learner reaches them through the real main window on the
// bundled demo (a copy of its bank, its skin), headless: after an attempt the
// results screen previews, prints (to a PDF file), saves, reopens and exports
// the study guide and the certificate; the study guide of a question follows
// an open-book answer; the History button's dialog lists the attempts just
// taken, of one course and of all, and prints them. Every window and file
// chooser is answered through the recording dialog service. The previews are
// kept as PNGs under engine-screens/ for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "engine/attempt/exam_clock.h"
#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/recording_dialog_service.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/main_screen.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/test_screen.h"
#include "engine/tfrm_main.h"
#include "engine_fixture.h"
#include "history/history_clock.h"
#include "history/views/tfrm_report_selection.h"
#include "history/views/tfrm_show_history.h"
#include "questionbank/ttesting.h"
#include "ui/picture_button.h"
#include "ui/report/page_painter.h"
#include "ui/report/print_service.h"
#include "ui/report/report_preview.h"
#include "window_test_hands.h"

// Failed comparisons show texts, not their code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace zentrix::engine::testing {
namespace {

using questionbank::QVSimListInfo;
using report::RenderedReport;
using report::ReportPreview;
using Event = RecordingDialogService::Event;

const QString kOut = QStringLiteral(ZENTRIX_BINARY_DIR "/engine-screens");

QString ReportText(const RenderedReport& report) {
    QStringList runs;
    for (const report::RenderedPage& page : report.pages) {
        for (const report::PageCommand& command : page.commands) {
            if (const auto* text = std::get_if<report::TextCommand>(&command)) runs << text->text;
        }
    }
    return runs.join(QLatin1Char(' '));
}

QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdftotext did not run: install poppler-utils";
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

bool SamePages(const RenderedReport& a, const RenderedReport& b) {
    if (a.pages.size() != b.pages.size() || a.pages.empty()) return false;
    for (int p = 0; p < static_cast<int>(a.pages.size()); ++p) {
        if (report::RenderPageImage(a, p, 96) != report::RenderPageImage(b, p, 96)) return false;
    }
    return true;
}

class DemoReportsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString tree = QStringLiteral(ZENTRIX_DEMO_TREE);
        const QString from = tree + QStringLiteral("/database");
        ASSERT_TRUE(QDir(from).exists())
            << "the demo is built with the project: " << from.toStdString();
        QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString target = dir("data") + QDir(from).relativeFilePath(path);
            QDir().mkpath(QFileInfo(target).absolutePath());
            ASSERT_TRUE(QFile::copy(path, target));
        }
        for (const char* name : {"home", "program"}) QDir().mkpath(dir(name));
        graphics_ = tree + QStringLiteral("/graphics/");
        const auto root = platform::RootKey::LocalMachine;
        const std::pair<const char*, QString> values[] = {
            {"HomeDir", dir("home")}, {"GraphicDir", graphics_}, {"DatabaseDir", dir("data")}};
        ASSERT_TRUE(registry_.createKey(root, kEngineRegistryKey).isOk());
        for (const auto& [name, value] : values)
            ASSERT_TRUE(
                registry_.setValue(root, kEngineRegistryKey, name, value.toStdString()).isOk());
        QDir().mkpath(kOut);
    }
    void TearDown() override { main.reset(); }

    QString dir(const char* name) const {
        return scratch_.path() + QLatin1Char('/') + QLatin1String(name) + QLatin1Char('/');
    }
    QString programFolder() const { return QDir(dir("program")).absolutePath(); }

    // The main window on the demo with the study-guide settings given.
    void open(int listStudyGuide, int afterQuestion) {
        const std::string settings = dir("program").toStdString() + "zentrix.INI";
        ASSERT_TRUE(profiles_
                        .writeString(settings, "StudyGuide", "ListStudyGuide",
                                     std::to_string(listStudyGuide))
                        .isOk());
        ASSERT_TRUE(
            profiles_
                .writeString(settings, "StudyGuide", "SG_AfterQues", std::to_string(afterQuestion))
                .isOk());
        MainWindowContext context{
            dialogs,
            registry_,
            profiles_,
            shell_,
            [this](const EngineFolders& folders, DialogService& d) {
                return OpenEngineDataWithClock(folders, d, clock_);
            },
            {dir("program") + QStringLiteral("zentrix"), QStringLiteral("NotRandomQuestions")},
            settings};
        context.plugins.clock = clock_;
        context.plugins.printer = printer;
        main = std::make_unique<TfrmMain>(context);
        ASSERT_TRUE(main->StartupSucceeded());
        main->LoadSkin(graphics_.toStdString());
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    int rowOf(const std::string& testId, unsigned char kind = questionbank::kExamRow) const {
        for (size_t i = 0; i < main->TreeRows().size(); ++i) {
            const QVSimListInfo& row = main->TreeRows()[i];
            if (row.NodeKind == kind && row.TestId == testId) return int(i);
        }
        ADD_FAILURE() << "no row " << testId;
        return 0;
    }
    int mixedRowOf(const std::string& courseId) const {
        for (size_t i = 0; i < main->TreeRows().size(); ++i) {
            const QVSimListInfo& row = main->TreeRows()[i];
            if (row.NodeKind == questionbank::kMixedRow && row.CourseId == courseId) return int(i);
        }
        ADD_FAILURE() << "no mixed exam of " << courseId;
        return 0;
    }
    AttemptController& attempt() const { return *main->Attempt(); }
    TestScreen& test() const { return attempt().Test(); }
    ResultsScreen& results() const { return attempt().Results(); }
    questionbank::TTesting& bank() const { return *main->Data()->testing; }

    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { TypeKey(main.get(), k, m); }
    void click(QWidget* w) { ClickShown(w); }

    // Chooses the exam in the tree with the keyboard and starts it.
    void start(const QString& learner, const std::string& testId, ExamMode mode, int count) {
        main->edName()->setText(learner);
        main->vsiTestSelectBox()->setCurrentItem(rowOf(testId));
        main->vsiTestSelectBox()->setFocus();
        QTest::keyClick(main->vsiTestSelectBox(), Qt::Key_Return);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
        main->edtNumQuestions()->setValue(count);
        click(main->control(mode == ExamMode::OpenBook ? "btnOpenBook" : "btnClosedBook"));
        ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    }
    // Answers the question on screen right ('r'), wrong ('w') or not at
    // all ('-'), with the keys of the choices, and goes on.
    void answer(char how) {
        const questionbank::TestQuestionInfo& q = attempt().Attempt().ShownQuestion();
        const std::string key = QString::fromStdString(q.ANSWER).trimmed().toStdString();
        if (how != '-' && q.TYPE == questionbank::kTrueFalse) {
            this->key(((key == "TRUE") == (how == 'r')) ? Qt::Key_T : Qt::Key_F);
        } else if (how != '-' && q.TYPE == questionbank::kSingleChoice) {
            const int right = std::stoi(key);
            const int choice = how == 'r' ? right : right % q.NUMANSWER + 1;
            this->key(Qt::Key_A + choice - 1);
        } else if (how != '-' && q.TYPE == questionbank::kMultipleChoice) {
            const int mask = std::stoi(key);
            for (int k = 0; k < q.NUMANSWER; ++k) {
                const bool set = (mask >> k) & 1;
                if (set == (how == 'r')) this->key(Qt::Key_A + k);
            }
        }
        click(test().btnRight());
    }
    // The rest of an attempt: one letter per item, then the results.
    void finish(const std::string& answers) {
        for (char how : answers) {
            ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
            answer(how);
            clock_->advance(1);
        }
        ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
        click(attempt().Review().btnExamResults());
        ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamResults);
    }

    // The next dialog must be a preview; `inside` acts in it like a person.
    // With `othersFirst`, dialogs before it (the feedback picture after an
    // answer) are closed and the preview is waited for.
    void inPreview(std::function<void(ReportPreview&)> inside, bool othersFirst = false) {
        dialogs.answerNextDialog([this, inside, othersFirst](QDialog& dialog) {
            auto* preview = qobject_cast<ReportPreview*>(&dialog);
            if (!preview && othersFirst) {
                inPreview(inside, true);
                return int(QDialog::Rejected);
            }
            EXPECT_NE(preview, nullptr)
                << "expected a preview: " << dialog.windowTitle().toStdString();
            if (preview) inside(*preview);
            return int(QDialog::Rejected);
        });
    }
    // The next dialog must be a file chooser of saved reports; it picks `path`.
    void choose(const QString& path, QString* startFolder = nullptr) {
        dialogs.answerNextDialog([path, startFolder](QDialog& dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(&dialog);
            EXPECT_NE(chooser, nullptr) << "expected a file chooser";
            if (!chooser) return int(QDialog::Rejected);
            if (startFolder) *startFolder = chooser->directory().absolutePath();
            chooser->selectFile(path);
            return int(QDialog::Accepted);
        });
    }
    // Shows the preview as a person sees it and keeps its picture.
    static void keepPicture(ReportPreview& preview, const QString& file) {
        preview.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
        QListWidget* pages = preview.thumbnails();
        EXPECT_TRUE(QTest::qWaitFor([pages] {
            return pages->count() > 0 && !pages->item(pages->count() - 1)->icon().isNull();
        }));
        EXPECT_TRUE(preview.grab().save(kOut + QLatin1Char('/') + file)) << file.toStdString();
    }

    QTemporaryDir scratch_;
    platform::FileRegistry registry_{scratch_.path().toStdString() + "/registry", {}};
    platform::TextProfileStore profiles_;
    RecordingShell shell_;
    QString graphics_;
    std::shared_ptr<SharedClock> clock_ = std::make_shared<SharedClock>();

    RecordingDialogService dialogs;
    std::shared_ptr<report::PdfFilePrintService> printer =
        std::make_shared<report::PdfFilePrintService>(scratch_.path() + "/printed.pdf");
    std::unique_ptr<TfrmMain> main;
};

TEST_F(DemoReportsWindowTest, ResultsPreviewPrintSaveReopenAndExportTheStudyGuideAndCertificate) {
    open(/*ListStudyGuide: items not correct*/ 0, /*never after a question*/ 0);
    start(QStringLiteral("Ada Lovelace"), "NET-FUND", ExamMode::OpenBook, 6);
    finish("rwrr-r");
    EXPECT_EQ(results().lbScore()->text(), "667");  // 4 of 6
    EXPECT_EQ(results().lbPass()->text(), "833");   // 5 of 6 needed
    EXPECT_EQ(results().lbGrade()->text(), "FAIL");
    EXPECT_TRUE(main->grab().save(kOut + "/demo-7-results.png"));

    const struct {
        const char* name;
        ui::PictureButton* view;
        ui::PictureButton* save;
        ui::PictureButton* reopen;
        QStringList contains;
        QStringList lacks;
    } reports[] = {
        {"study-guide",
         results().btnViewStudy(),
         results().btnSaveStudy(),
         results().btnOpenStudy(),
         {"Study Material for:", "Network Fundamentals", "Ada Lovelace",
          "Question 2:", "Question 5:", "Correct Answer:", "References:"},
         // The filter lists the wrong and the unanswered items only.
         {"Question 1:", "Question 3:", "Question 6:"}},
        {"certificate",
         results().btnViewExam(),
         results().btnSaveExam(),
         results().btnOpenExam(),
         {"Examination Score Report", "Candidate:", "Ada Lovelace", "Exam:", "Network Fundamentals",
          "Networking Essentials", "PASSING SCORE: 833", "YOUR SCORE: 667", "GRADE: FAIL",
          "Section Analysis", "1: Network Fundamentals", "3: Network Services", "N/A"},
         {"Linux"}},
    };
    for (const auto& r : reports) {
        SCOPED_TRACE(r.name);
        const QString name = QString::fromLatin1(r.name);
        const QString exported = dir("home") + name + ".pdf";
        QFile::remove(printer->path());
        const int printedBefore = printer->printed();

        // View: the preview shows it; Print goes to the printer, Export PDF
        // to a chosen file.
        RenderedReport viewed;
        QString saveStart;
        inPreview([&](ReportPreview& preview) {
            viewed = preview.report();
            keepPicture(preview, "demo-results-" + name + "-preview.png");
            QTest::mouseClick(preview.printButton(), Qt::LeftButton);
            choose(exported, &saveStart);
            QTest::mouseClick(preview.exportButton(), Qt::LeftButton);
            QTest::keyClick(&preview, Qt::Key_Escape);
            EXPECT_FALSE(preview.isVisible());
        });
        click(r.view);
        const QString text = ReportText(viewed);
        for (const QString& part : r.contains)
            EXPECT_TRUE(text.contains(part)) << part.toStdString();
        for (const QString& part : r.lacks) EXPECT_FALSE(text.contains(part)) << part.toStdString();
        EXPECT_EQ(printer->printed(), printedBefore + 1);
        EXPECT_TRUE(PdfText(printer->path()).contains(r.contains.front()));
        EXPECT_TRUE(PdfText(exported).contains(r.contains.front())) << "exported with real text";
        EXPECT_EQ(saveStart, programFolder()) << "the preview saves where the Open dialog looks";

        // Save: the chooser takes a name without its extension.
        QString chooserFilter, chooserSuffix, start;
        dialogs.answerNextDialog([&](QDialog& dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(&dialog);
            EXPECT_NE(chooser, nullptr);
            if (!chooser) return int(QDialog::Rejected);
            chooserFilter = chooser->nameFilters().join(";;");
            chooserSuffix = chooser->defaultSuffix();
            start = chooser->directory().absolutePath();
            chooser->selectFile(dir("program") + name);
            return int(QDialog::Accepted);
        });
        click(r.save);
        EXPECT_TRUE(chooserFilter.contains("*.qrp")) << chooserFilter.toStdString();
        EXPECT_EQ(chooserSuffix, "qrp");
        EXPECT_EQ(start, programFolder());
        const QString saved = dir("program") + name + ".qrp";
        ASSERT_TRUE(QFileInfo::exists(saved));

        // Open: starts in the program's folder and shows the very same pages.
        QString openStart;
        RenderedReport reopened;
        choose(saved, &openStart);
        inPreview([&](ReportPreview& preview) { reopened = preview.report(); });
        click(r.reopen);
        EXPECT_EQ(openStart, programFolder());
        EXPECT_TRUE(SamePages(viewed, reopened)) << "the saved report reopens pixel for pixel";
    }
    EXPECT_EQ(dialogs.count(Event::Error), 0);
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamResults);
}

TEST_F(DemoReportsWindowTest, ReportFilesThatCannotBeWrittenOrReadSayWhyAndNothingElseHappens) {
    open(2, 0);
    start(QStringLiteral("Ada"), "NET-FUND", ExamMode::ClosedBook, 2);
    finish("rw");
    QFile broken(dir("program") + "broken.qrp");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("QRP? not really a report");
    broken.close();
    const QString missingFolder = dir("program") + "no such folder/guide.qrp";

    const struct {
        const char* name;
        ui::PictureButton* button;
        QString chosen;  // empty: the chooser is cancelled
        const char* error;
    } cases[] = {
        {"save cancelled", results().btnSaveStudy(), {}, nullptr},
        {"save into a missing folder", results().btnSaveExam(), missingFolder, "guide.qrp"},
        {"open cancelled", results().btnOpenStudy(), {}, nullptr},
        {"open a damaged file", results().btnOpenExam(), broken.fileName(),
         "is not a Zentrix report."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        if (c.chosen.isEmpty()) {
            dialogs.answerNextDialog([](QDialog& d) {
                EXPECT_NE(qobject_cast<QFileDialog*>(&d), nullptr);
                return int(QDialog::Rejected);
            });
        } else {
            choose(c.chosen);
        }
        click(c.button);
        EXPECT_EQ(dialogs.count(Event::Dialog), 1) << "no preview after the chooser";
        const std::vector<QString> errors = dialogs.texts(Event::Error);
        if (c.error) {
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_TRUE(errors[0].contains(QString::fromLatin1(c.error)))
                << errors[0].toStdString();
            EXPECT_EQ(dialogs.count(Event::Beep), 1);
        } else {
            EXPECT_TRUE(errors.empty());
        }
    }
    EXPECT_FALSE(QFileInfo::exists(missingFolder));
    EXPECT_EQ(QDir(dir("program")).entryList({"*.qrp"}), QStringList{"broken.qrp"});
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamResults);
}

TEST_F(DemoReportsWindowTest, AMixedExamsCertificateAnalysesItsSectionsAndGuideListsEveryItem) {
    open(/*ListStudyGuide: all*/ 2, 0);
    main->edName()->setText(QStringLiteral("Ada"));
    main->vsiTestSelectBox()->setCurrentItem(mixedRowOf("NETESS"));
    main->vsiTestSelectBox()->setFocus();
    QTest::keyClick(main->vsiTestSelectBox(), Qt::Key_Return);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ComfirmQV);
    click(main->control("btnConfirmBegin"));
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    const int n = attempt().Attempt().ItemCount();
    ASSERT_GT(n, 3);
    finish(std::string(size_t(n), 'r'));

    RenderedReport certificate, guide;
    inPreview([&](ReportPreview& preview) {
        certificate = preview.report();
        keepPicture(preview, "demo-results-mixed-certificate-preview.png");
    });
    click(results().btnViewExam());
    inPreview([&](ReportPreview& preview) { guide = preview.report(); });
    click(results().btnViewStudy());

    const QString text = ReportText(certificate);
    EXPECT_TRUE(text.contains("Zentrix Certificate"));
    EXPECT_TRUE(text.contains("Networking Essentials"));
    // Sections in the order each exam's first question came up.
    std::vector<std::string> order;
    for (const QuestionAnswer& item : attempt().Attempt().Items()) {
        if (std::find(order.begin(), order.end(), item.TestId) == order.end())
            order.push_back(item.TestId);
    }
    qsizetype at = 0;
    for (const std::string& exam : order) {
        const QString title = QString::fromStdString(bank().GetGTest_Title(exam)).trimmed();
        const qsizetype found = text.indexOf(title, at);
        EXPECT_GT(found, at - 1) << exam;
        at = found;
    }
    const QString listed = ReportText(guide);
    EXPECT_TRUE(listed.contains("Study Material for:"));
    EXPECT_TRUE(listed.contains(QStringLiteral("Question %1:").arg(n)));
    EXPECT_FALSE(listed.contains("could not be read")) << "each item's exam is opened for it";
    // The last item's exam and question are current again.
    const QuestionAnswer& last = attempt().Attempt().Items().back();
    EXPECT_EQ(QString::fromStdString(bank().OpenInfo().PRODID).trimmed().toStdString(),
              last.TestId);
    EXPECT_EQ(bank().QuestionInfo().NUM, last.QuestionNo);
}

TEST_F(DemoReportsWindowTest, StudyGuideOfTheItemFollowsAWrongOpenBookAnswerAndKeepsTheScreen) {
    open(0, /*SG_AfterQues: after a wrong answer*/ 1);
    start(QStringLiteral("Ada"), "NET-FUND", ExamMode::OpenBook, 4);
    const QString first = test().lblQuestion()->text();

    int shown = 0;
    QString during;
    int cursorDuring = 0;
    RenderedReport guide;
    inPreview(
        [&](ReportPreview& preview) {
            ++shown;
            guide = preview.report();
            during = test().lblQuestion()->text();
            cursorDuring = bank().QuestionInfo().NUM;
            keepPicture(preview, "demo-study-guide-after-question.png");
        },
        true);
    answer('r');
    EXPECT_EQ(shown, 0) << "nothing after a right answer";
    dialogs.clear();
    answer('w');  // the second item
    EXPECT_EQ(shown, 1);
    const QString text = ReportText(guide);
    EXPECT_TRUE(text.contains("Question 2:"));
    EXPECT_FALSE(text.contains("Question 1:"));
    EXPECT_FALSE(text.contains("Question 3:"));
    EXPECT_NE(during, first);
    EXPECT_EQ(cursorDuring, attempt().Attempt().Items()[1].QuestionNo)
        << "the cursor stays on the item while its guide is shown";
    EXPECT_EQ(attempt().Attempt().CurrentItem(), 2) << "then the next question comes";
    EXPECT_EQ(bank().QuestionInfo().NUM, attempt().Attempt().Items()[2].QuestionNo);
    EXPECT_TRUE(attempt().Attempt().Items()[1].Answered);
    EXPECT_FALSE(attempt().Attempt().Items()[1].Correct);
    // The screen is the third question's, drawn once.
    click(test().btnLeft());
    EXPECT_EQ(attempt().Attempt().CurrentItem(), 1);
    EXPECT_EQ(shown, 1) << "going back records nothing new wrong";
}

TEST_F(DemoReportsWindowTest,
       HistoryListsTheAttemptsJustTakenOfOneCourseAndAllPrintsThemAndOpensSavedReports) {
    open(0, 0);
    const QString learner = QStringLiteral("Zoë Çelik");  // kept in the Windows code page
    clock_->setDay(2);
    clock_->set(9, 0);
    start(learner, "NET-FUND", ExamMode::OpenBook, 4);
    finish("rrrw");
    click(results().btnResultsMain());
    clock_->setDay(3);
    clock_->set(10, 0);
    start(learner, "NET-FUND", ExamMode::ClosedBook, 5);
    finish("rrrrr");
    click(results().btnResultsMain());
    clock_->setDay(4);
    clock_->set(11, 0);
    start(learner, "LNX-PROC", ExamMode::OpenBook, 3);
    finish("rw-");

    // A study guide saved after the last attempt.
    const QString savedGuide = dir("program") + "guide.qrp";
    choose(savedGuide);
    click(results().btnSaveStudy());
    click(results().btnResultsMain());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::MainInterface);

    main->vsiTestSelectBox()->setCurrentItem(rowOf("NET-FUND"));
    QString openStart;
    RenderedReport reopened;
    std::vector<std::vector<QString>> oneCourse, allCourses;
    QString courseLabel, allLabel, nameLabel;
    RenderedReport printedCourse, printedAll;
    auto gridRows = [](QTableWidget* grid) {
        std::vector<std::vector<QString>> rows;
        for (int r = 0; r < grid->rowCount(); ++r) {
            std::vector<QString> cells;
            for (int c = 0; c < grid->columnCount(); ++c)
                cells.push_back(grid->item(r, c) ? grid->item(r, c)->text().trimmed() : QString());
            rows.push_back(cells);
        }
        return rows;
    };
    dialogs.answerNextDialog([&](QDialog& dialog) {
        auto* selection = qobject_cast<history::views::TfrmReportSelection*>(&dialog);
        EXPECT_NE(selection, nullptr);
        if (!selection) return int(QDialog::Rejected);
        dialogs.answerNextDialog([&](QDialog& window) {
            auto* history = qobject_cast<history::views::TfrmShowHistory*>(&window);
            EXPECT_NE(history, nullptr);
            if (!history) return int(QDialog::Rejected);
            history->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(history));
            oneCourse = gridRows(history->gridHistory());
            courseLabel = history->lbCourse()->text();
            nameLabel = history->lbStudentName()->text();
            inPreview([&](ReportPreview& preview) {
                printedCourse = preview.report();
                QTest::mouseClick(preview.printButton(), Qt::LeftButton);
            });
            QTest::mouseClick(history->btnPrint(), Qt::LeftButton);
            EXPECT_TRUE(history->btAllCourses()->isVisible());
            QTest::mouseClick(history->btAllCourses(), Qt::LeftButton);
            allCourses = gridRows(history->gridHistory());
            allLabel = history->lbCourse()->text();
            EXPECT_TRUE(history->grab().save(kOut + "/demo-history-all-courses.png"));
            inPreview([&](ReportPreview& preview) {
                printedAll = preview.report();
                keepPicture(preview, "demo-history-printout-preview.png");
            });
            QTest::mouseClick(history->btnPrint(), Qt::LeftButton);
            QTest::keyClick(history, Qt::Key_Escape);
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(selection->btHistory(), Qt::LeftButton);
        // Saved reports open from here too, starting in the program's folder.
        choose(savedGuide, &openStart);
        inPreview([&](ReportPreview& preview) { reopened = preview.report(); });
        QTest::mouseClick(selection->btnUserRpts(), Qt::LeftButton);
        QTest::mouseClick(selection->btCancel(), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    click(main->Main().btnHistory());

    EXPECT_EQ(openStart, programFolder());
    EXPECT_TRUE(ReportText(reopened).contains("Processes, Services and Users"));
    EXPECT_EQ(nameLabel, learner);
    // The history keeps the name in the Windows code page, as other xBase
    // readers expect it.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys\nfrom dbfread import DBF\n"
                                 "print(sorted({r['NAME'] for r in DBF(sys.argv[1], "
                                 "encoding='cp1252', ignore_missing_memofile=True)}))"),
                  dir("data") + "TESTHIST.DBF"});
    ASSERT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).trimmed(),
              QStringLiteral("['Zoë Çelik']"))
        << python.readAllStandardError().toStdString();
    EXPECT_EQ(courseLabel, "Networking Essentials");
    // Newest first, then the trailing empty row.
    ASSERT_EQ(oneCourse.size(), 3u);
    EXPECT_EQ(oneCourse[0][0], "Closed");
    EXPECT_EQ(oneCourse[0][2], "5");
    EXPECT_EQ(oneCourse[0][3], "5");
    EXPECT_EQ(oneCourse[0][5], "100.00");
    EXPECT_EQ(oneCourse[0][7], "Network Fundamentals");
    EXPECT_EQ(oneCourse[1][0], "Open");
    EXPECT_EQ(oneCourse[1][3], "3");
    EXPECT_EQ(oneCourse[1][5], "75.00");
    for (const QString& cell : oneCourse[2]) EXPECT_TRUE(cell.isEmpty());

    EXPECT_EQ(allLabel, "All Courses");
    std::vector<QString> titles;
    for (const auto& row : allCourses) titles.push_back(row[7]);
    // In the order of the bank's courses.
    const std::vector<QString> expected = {"Course: Linux System Administration",
                                           "Processes, Services and Users",
                                           "Course: Networking Essentials",
                                           "Network Fundamentals",
                                           "Network Fundamentals",
                                           ""};
    EXPECT_EQ(titles, expected);

    EXPECT_EQ(printer->printed(), 1);
    const QString printedText = PdfText(printer->path());
    EXPECT_TRUE(printedText.contains("Exam History for:"));
    EXPECT_TRUE(printedText.contains(learner)) << printedText.toStdString();
    const QString all = ReportText(printedAll);
    EXPECT_TRUE(all.contains("All Courses"));
    EXPECT_TRUE(all.contains("Course: Linux System Administration"));
    EXPECT_TRUE(ReportText(printedCourse).contains("Networking Essentials"));
    EXPECT_EQ(dialogs.count(Event::Error), 0);
}

}  // namespace
}  // namespace zentrix::engine::testing
