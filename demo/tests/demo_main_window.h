#pragma once

// The engine's main window on a copy of the bundled demo bank, with its skin,
// its clock in the test's hands and the questions in tree order; the steps a
// learner takes to get to a question.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "engine/attempt/exam_clock.h"
#include "engine/desktop_shell.h"
#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/recording_dialog_service.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/test_screen.h"
#include "engine/tfrm_main.h"
#include "platform/file_registry.h"
#include "platform/profile_store.h"
#include "ui/picture_button.h"

namespace zentrix::demo {

using engine::ScreenId;

inline const std::string kTree = ZENTRIX_DEMO_TREE;

struct NoShell : engine::DesktopShell {
    void openDocument(const std::string&) override {}
    void openAddress(const std::string&) override {}
    void minimizeApplication() override {}
};

class DemoMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(QString::fromStdString(kTree + "/database/ptest.dbf")))
            << "the demo tree is built by the zentrix_demo target";
        const auto root = platform::RootKey::LocalMachine;
        ASSERT_TRUE(registry.createKey(root, engine::kEngineRegistryKey).isOk());
        // The attempt writes its history and the questions' files beside the
        // bank: work on a copy.
        const QString database = scratch.path() + QStringLiteral("/database/");
        copyTree(QString::fromStdString(kTree + "/database/"), database);
        const std::pair<const char*, std::string> values[] = {
            {"HomeDir", kTree + "/"},
            {"GraphicDir", kTree + "/graphics/"},
            {"DatabaseDir", database.toStdString()}};
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
        main = std::make_unique<engine::TfrmMain>(context);
        ASSERT_TRUE(main->StartupSucceeded());
        main->LoadSkin(kTree + "/graphics/");
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    static void copyTree(const QString& from, const QString& to) {
        QDir().mkpath(to);
        const QDir source(from);
        for (const QString& name : source.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(source.filePath(name), to + name));
        for (const QString& sub : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            copyTree(source.filePath(sub) + "/", to + sub + "/");
    }

    // The row of the exam (or of the mixed exam of `course`) in the tree.
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
        for (int i = 0; i < 40 && main->CurrentScreen() == ScreenId::TestWindow; ++i) {
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
    std::unique_ptr<engine::TfrmMain> main;
};

}  // namespace zentrix::demo
