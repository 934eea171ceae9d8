#include "test_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

namespace zentrix::simulation::panel::testing {

SimulationFiles::SimulationFiles() { EXPECT_TRUE(folder_.isValid()); }

void SimulationFiles::write(const QString& name, const QByteArray& bytes) {
    QFile file(folder_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString SimulationFiles::build(const QStringList& frames, QSize size, const QString& version) {
    const int number = ++built_;
    QString json = QStringLiteral("{ \"version\": \"%1\", \"frames\": [\n").arg(version);
    for (int i = 0; i < frames.size(); ++i) {
        const QString shot = QStringLiteral("sim%1-frame%2.png").arg(number).arg(i + 1);
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((i * 47) % 360, 120, 230));
        EXPECT_TRUE(image.save(folder_.filePath(shot)));
        json += QStringLiteral("  { \"screenshot\": \"%1\", \"zones\": %2 }%3\n")
                    .arg(shot, frames[i], i + 1 < frames.size() ? "," : "");
    }
    json += "] }\n";
    const QString description = folder_.filePath(QStringLiteral("sim%1.json").arg(number));
    const QString output = folder_.filePath(QStringLiteral("sim%1.qsf").arg(number));
    write(QStringLiteral("sim%1.json").arg(number), json.toUtf8());
    QProcess tool;
    tool.start(QStringLiteral(ZENTRIX_SIM_TOOL), {QStringLiteral("build"), description, output});
    EXPECT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString() << "\n"
                                  << json.toStdString();
    return output;
}

}  // namespace zentrix::simulation::panel::testing
