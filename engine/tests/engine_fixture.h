#pragma once

// A main window on scratch folders: a registry store with or without the
// engine's key, a settings file path, a graphics folder and a fake bank of
// two courses. Nothing here shows a modal window.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "engine/attempt/exam_clock.h"
#include "engine/desktop_shell.h"
#include "engine/recording_dialog_service.h"
#include "engine/tfrm_main.h"
#include "fake_exam_bank.h"
#include "platform/file_registry.h"
#include "platform/profile_store.h"

namespace zentrix::engine::testing {

class RecordingShell : public DesktopShell {
public:
    std::vector<std::string> documents;
    std::vector<std::string> addresses;
    int minimized = 0;
    void openDocument(const std::string& path) override { documents.push_back(path); }
    void openAddress(const std::string& address) override { addresses.push_back(address); }
    void minimizeApplication() override { ++minimized; }
};

// Rows as the catalogue lists two courses: course, exams, mixed row, blank.
std::vector<questionbank::QVSimListInfo> TwoCourseRows();

class EngineFixture : public ::testing::Test {
protected:
    EngineFixture();

    std::string folder(const char* name) const;
    void writeRegistryKey();
    void writeFile(const std::string& path, const QByteArray& bytes) const;
    std::unique_ptr<TfrmMain> makeMainWindow(QStringList arguments = {"zentrix"});
    MainWindowContext context(QStringList arguments);

    // The clock every attempt of the window runs by (starts at 10:00).
    std::shared_ptr<ManualExamClock> clock = std::make_shared<ManualExamClock>(TimeOfDay(10, 0));
    // The window's study aids, when a test makes them itself.
    decltype(ScreenPlugins::studyAids) studyAids;

    QTemporaryDir scratch;
    platform::FileRegistry registry;
    platform::TextProfileStore profiles;
    RecordingDialogService dialogs;
    RecordingShell shell;
    std::string settingsFile;
    FakeExamBank* bank = nullptr;  // owned by the window's data
};

}  // namespace zentrix::engine::testing
