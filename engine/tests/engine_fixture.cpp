#include "engine_fixture.h"

#include <QDir>
#include <QFile>

#include "engine/engine_folders.h"
#include "scripted_simulation_panel.h"

namespace zentrix::engine::testing {

using questionbank::QVSimListInfo;

std::vector<QVSimListInfo> TwoCourseRows() {
    auto row = [](const char* course, const char* test, const char* title, unsigned char kind,
                  unsigned char pPS, unsigned char gPS, int index) {
        QVSimListInfo info;
        info.CourseId = course;
        info.TestId = test;
        info.Title = title;
        info.NodeKind = kind;
        info.pPS = pPS;
        info.gPS = gPS;
        info.RowIndex = index;
        return info;
    };
    return {row("NET  ", "", "Networking  ", 0, 1, 0, 0),
            row("NET", "NET1  ", " Network Basics", 1, 2, 1, 1),
            row("NET", "NET2", "Routing", 1, 2, 2, 2),
            row("NET", "", "Zentrix for Networking", 3, 2, 3, 3),
            row("", "", "", 0, 2, 0, 4),
            row("SEC", "", "Security", 0, 3, 0, 5),
            row("SEC", "SEC1", "Security Basics", 1, 0, 2, 6),
            row("SEC", "", "Zentrix for Security", 3, 0, 3, 7)};
}

EngineFixture::EngineFixture()
    : registry(scratch.path().toStdString() + "/registry", {}),
      settingsFile(scratch.path().toStdString() + "/program/zentrix.INI") {
    for (const char* name : {"registry", "program", "home", "graphics", "data"}) {
        QDir(scratch.path()).mkpath(QString::fromLatin1(name));
    }
}

std::string EngineFixture::folder(const char* name) const {
    return scratch.path().toStdString() + "/" + name + "/";
}

void EngineFixture::writeRegistryKey() {
    const auto root = platform::RootKey::LocalMachine;
    ASSERT_TRUE(registry.createKey(root, kEngineRegistryKey).isOk());
    ASSERT_TRUE(registry.setValue(root, kEngineRegistryKey, "HomeDir", folder("home")).isOk());
    ASSERT_TRUE(
        registry.setValue(root, kEngineRegistryKey, "GraphicDir", folder("graphics")).isOk());
    ASSERT_TRUE(registry.setValue(root, kEngineRegistryKey, "DatabaseDir", folder("data")).isOk());
}

void EngineFixture::writeFile(const std::string& path, const QByteArray& bytes) const {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

MainWindowContext EngineFixture::context(QStringList arguments) {
    EngineDataFactory openData = [this](const EngineFolders&, DialogService&) {
        EngineData data;
        auto fake = std::make_unique<FakeExamBank>();
        fake->rows = TwoCourseRows();
        fake->exams["NET1"] = {"Network Basics", NumberedQuestions("net1", 12), true, {}};
        fake->exams["NET2"] = {"Routing", NumberedQuestions("net2", 30), true, {}};
        fake->exams["SEC1"] = {"Security Basics", NumberedQuestions("sec1", 8), true, {}};
        fake->courses["NET"] = {"NET", "Networking", "", 2, "0:30", 6};
        fake->courses["SEC"] = {"SEC", "Security", "", 1, "0:10", 4};
        bank = fake.get();
        data.bank = std::move(fake);
        return data;
    };
    MainWindowContext made{dialogs, registry, profiles, shell, openData, arguments, settingsFile};
    made.plugins.clock = clock;
    made.plugins.studyAids = studyAids;
    made.plugins.simulationPanel = [](QWidget* parent, DialogService&) {
        return std::make_unique<ScriptedSimulationPanel>(parent);
    };
    return made;
}

std::unique_ptr<TfrmMain> EngineFixture::makeMainWindow(QStringList arguments) {
    return std::make_unique<TfrmMain>(context(arguments));
}

}  // namespace zentrix::engine::testing
