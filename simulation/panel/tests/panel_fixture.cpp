#include "panel_fixture.h"

namespace zentrix::simulation::panel::testing {

void PanelTest::SetUp() {
    QCursor::setPos(-1000, -1000);  // away from every zone
    TBZDemoQEngine::Services services;
    services.questions = &questions;
    services.errors = &errors;
    services.sound = &sound;
    services.tempFolder = files.folder() + QStringLiteral("/temp");
    QDir().mkpath(services.tempFolder);
    services.makeTimer = [this] {
        auto made = std::make_unique<ManualTimer>();
        timer = made.get();
        return made;
    };
    window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("panel test"));
    panel = new TBZDemoQEngine(std::move(services), window.get());
    panel->setOnCorrectEvent(
        [this](TBZDemoQEngine&) { outcomes.append(QStringLiteral("correct")); });
    panel->setOnInCorrectEvent([this](TBZDemoQEngine&, int frame) {
        outcomes.append(QStringLiteral("incorrect at frame %1").arg(frame));
    });
    window->resize(400, 300);
    panel->setGeometry(0, 0, 400, 300);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void PanelTest::TearDown() {
    panel = nullptr;
    window.reset();
}

void PanelTest::load(const QStringList& frames, QSize size, const QString& version) {
    loadFile(files.build(frames, size, version));
}

void PanelTest::loadFile(const QString& path) {
    ASSERT_TRUE(panel->LoadSimulation(path)) << errors.errors.join("\n").toStdString();
    settle();
}

void PanelTest::click(QPoint at, Qt::KeyboardModifiers keys, Qt::MouseButton button) {
    QTest::mouseClick(picture(), button, keys, at);
    settle();
}

void PanelTest::doubleClick(QPoint at) {
    // What the system sends for a double click: press, release, the double
    // click in place of the second press, release.
    QTest::mousePress(picture(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(picture(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(picture(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(picture(), Qt::LeftButton, {}, at);
    settle();
}

void PanelTest::press(QPoint at, Qt::MouseButton button) {
    QTest::mousePress(picture(), button, {}, at);
    settle();
}

void PanelTest::release(QPoint at, Qt::MouseButton button) {
    QTest::mouseRelease(picture(), button, {}, at);
    settle();
}

void PanelTest::moveTo(QPoint at) {
    QTest::mouseMove(picture(), at);
    settle();
}

void PanelTest::settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace zentrix::simulation::panel::testing
