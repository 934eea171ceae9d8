#include "simulation/simulation_loader.h"

#include <QFile>
#include <QFileInfo>

#include "simulation/byte_reader.h"
#include "simulation/simulation_file_reader.h"
#include "simulation/simulation_layout.h"
#include "simulation/simulation_version.h"

namespace zentrix::simulation {

Result<LoadOutcome> SimulationLoader::load(const QString& path, SimulationContent& content) {
    const std::string name = QFileInfo(path).fileName().toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.clear();
        return Status::error(name + ": cannot be opened: " + file.errorString().toStdString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.clear();
        return Status::error(name + ": cannot be read: " + file.errorString().toStdString());
    }
    return loadBytes(bytes, QFileInfo(path).fileName(), content);
}

Result<LoadOutcome> SimulationLoader::loadBytes(const QByteArray& file, const QString& name,
                                                SimulationContent& content) {
    ByteReader header(file);
    std::uint16_t versionWord = 0;
    std::uint8_t fileType = 0;
    if (file.size() < layout::kHeaderSize || !header.skip(layout::kHeaderVersionOffset) ||
        !header.readU16(versionWord) || !header.readU8(fileType)) {
        content.clear();
        return Status::error(name.toStdString() + ": file ends inside its " +
                             std::to_string(layout::kHeaderSize) + "-byte header");
    }

    LoadOutcome outcome = LoadOutcome::Read;
    if (const auto version = SimulationVersion::fromWord(versionWord)) {
        ZX_TRY(SimulationFileReader::read(file, *version, content).withContext(name.toStdString()));
    } else {
        if (!questions_.askYesNo(QString::fromLatin1(kUnknownVersionQuestion))) {
            return LoadOutcome::Declined;
        }
        outcome = LoadOutcome::ReadNothing;
    }
    if (fileType != layout::kSimulationFileType &&
        !questions_.askYesNo(QString::fromLatin1(kIncorrectFileTypeQuestion))) {
        return LoadOutcome::Declined;
    }
    return outcome;
}

}  // namespace zentrix::simulation
