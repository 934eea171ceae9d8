#pragma once

// The real main window over a copy of the built demo's question bank (the
// attempt writes its history and the questions' files beside the bank), the
// demo's skin, questions in order and the attempt's clock in the test's
// hands; pictures of the window go to demo/attempt-screens/ under the build
// folder. A fixture may bind its own simulation panel and change the copy
// of the bank before SetUp.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "engine/attempt/exam_clock.h"
#include "engine/desktop_shell.h"
#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/recording_dialog_service.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/test_screen.h"
#include "engine/screens/treport_popup.h"
#include "engine/tfrm_main.h"
#include "platform/file_registry.h"
#include "platform/profile_store.h"
#include "questionbank/bank_records.h"
#include "ui/picture_button.h"

namespace zentrix::demo {

inline const std::string kTree = ZENTRIX_DEMO_TREE;

struct NoShell : engine::DesktopShell {
    void openDocument(const std::string&) override {}
    void openAddress(const std::string&) override {}
    void minimizeApplication() override {}
};

class DemoAttempt : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(QString::fromStdString(kTree + "/database/ptest.dbf")))
            << "the demo tree is built by the zentrix_demo target";
        const auto root = platform::RootKey::LocalMachine;
        ASSERT_TRUE(registry.createKey(root, engine::kEngineRegistryKey).isOk());
        copyTree(QString::fromStdString(kTree + "/database/"), database());
        if (prepareBank) {
            prepareBank(database());
            if (HasFatalFailure()) return;
        }
        const std::pair<const char*, std::string> values[] = {
            {"HomeDir", kTree + "/"},
            {"GraphicDir", kTree + "/graphics/"},
            {"DatabaseDir", database().toStdString()}};
        for (const auto& [name, value] : values)
            ASSERT_TRUE(registry.setValue(root, engine::kEngineRegistryKey, name, value).isOk());
        engine::MainWindowContext context{dialogs,
                                          registry,
                                          profiles,
                                          shell,
                                          engine::OpenEngineData,
                                          {QStringLiteral("zentrix"), "NotRandomQuestions"},
                                          scratch.path().toStdString() + "/zentrix.INI"};
        context.plugins.clock = clock;
        context.plugins.simulationPanel = simulationPanel;
        main = std::make_unique<engine::TfrmMain>(context);
        ASSERT_TRUE(main->StartupSucceeded());
        main->LoadSkin(kTree + "/graphics/");
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        QDir().mkpath(out);
    }

    // The copy of the demo's database folder the window works on.
    QString database() const { return scratch.path() + QStringLiteral("/database/"); }

    static void copyTree(const QString& from, const QString& to) {
        QDir().mkpath(to);
        const QDir source(from);
        for (const QString& name : source.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(source.filePath(name), to + name));
        for (const QString& sub : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            copyTree(source.filePath(sub) + "/", to + sub + "/");
    }

    // The window as the learner sees it, with the score popup over it.
    void shot(const char* name) {
        QCoreApplication::processEvents();  // scroll bars settle after the event loop runs
        QImage image = main->grab().toImage();
        engine::TReportPopup* popup = main->Attempt()->Test().ReportPopup();
        if (popup->isVisible()) {
            QPainter painter(&image);
            painter.drawPixmap(main->mapFromGlobal(popup->pos()), popup->grab());
        }
        EXPECT_EQ(image.size(), QSize(640, 480));
        EXPECT_TRUE(image.save(out + QLatin1Char('/') + QLatin1String(name))) << name;
    }
    int row(const char* testId, unsigned char kind, const char* course = "") {
        const auto& rows = main->TreeRows();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].NodeKind == kind && rows[i].TestId == testId &&
                (!*course || rows[i].CourseId == course))
                return int(i);
        }
        ADD_FAILURE() << "no row " << testId;
        return 0;
    }
    engine::TestScreen& test() { return main->Attempt()->Test(); }
    void next() { QTest::mouseClick(test().btnRight(), Qt::LeftButton); }
    // Moves on until the question on screen satisfies `want`.
    template <typename Want>
    bool nextUntil(Want want) {
        for (int i = 0; i < 40 && main->CurrentScreen() == engine::ScreenId::TestWindow; ++i) {
            if (want(main->Attempt()->Attempt().ShownQuestion())) return true;
            next();
        }
        return false;
    }

    QTemporaryDir scratch;
    platform::FileRegistry registry{scratch.path().toStdString() + "/registry", {}};
    platform::TextProfileStore profiles;
    engine::RecordingDialogService dialogs;
    NoShell shell;
    std::shared_ptr<engine::ManualExamClock> clock =
        std::make_shared<engine::ManualExamClock>(engine::TimeOfDay(10, 0));
    // Empty: the panel the main window makes itself.
    engine::SimulationPanelFactory simulationPanel;
    // Changes the copy of the bank before the window opens it.
    std::function<void(const QString& database)> prepareBank;
    std::unique_ptr<engine::TfrmMain> main;
    const QString out = QStringLiteral(ZENTRIX_DEMO_ATTEMPT_SCREENS);
};

}  // namespace zentrix::demo
