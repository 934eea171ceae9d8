#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "simulation/tests/embedded_files.h"

namespace zentrix::simulation::panel::testing {

// Builds simulation files the way authors do: screenshots and a JSON
// description, turned into a file by `zentrix-sim build`.
class SimulationFiles {
public:
    SimulationFiles();

    // frames: the JSON "zones" array of each frame, e.g.
    // R"([{"type": "click", "rectangle": [10, 10, 50, 30], "target": 2}])".
    // Every frame gets a screenshot of `size` in a colour of its own. Fails the
    // test when the tool refuses the description.
    QString build(const QStringList& frames, QSize size = QSize(200, 150),
                  const QString& version = QStringLiteral("0x0110"));

    // Writes a file beside the descriptions (pointer files, sounds), for
    // descriptions that name it.
    void write(const QString& name, const QByteArray& bytes);
    QString folder() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    int built_ = 0;
};

using simulation::testing::animatedCursorFile;
using simulation::testing::cursorFile;
using simulation::testing::waveFile;

}  // namespace zentrix::simulation::panel::testing
