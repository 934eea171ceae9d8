#include "tools/sim/simulation_builder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "simulation/screenshot_encoder.h"

namespace zentrix::tools {

using simulation::Result;
using simulation::SimulationDraft;
using simulation::SimulationVersion;
using simulation::Status;

Result<SimulationDraft> SimulationBuilder::draft(const SimulationDescription& description,
                                                 std::optional<SimulationVersion> version) {
    SimulationDraft draft;
    draft.version = version ? *version : description.version.value_or(SimulationVersion::newest());
    ZX_TRY_ASSIGN(auto gif, simulation::ScreenshotEncoder::encode(description.screenshots));
    draft.gif = std::move(gif);
    draft.frameCount = static_cast<int>(description.screenshots.size());
    draft.frames = description.frames;
    draft.cursorFiles = description.cursorFiles;
    draft.sounds = description.sounds;
    return draft;
}

Result<QByteArray> SimulationBuilder::build(const SimulationDescription& description,
                                            std::optional<SimulationVersion> version) {
    ZX_TRY_ASSIGN(auto draft, SimulationBuilder::draft(description, version));
    return simulation::SimulationWriter::write(draft);
}

Status SimulationBuilder::buildFile(const QString& descriptionPath, const QString& outputPath,
                                    std::optional<SimulationVersion> version) {
    const std::string name = QFileInfo(descriptionPath).fileName().toStdString();
    QFile input(descriptionPath);
    if (!input.open(QIODevice::ReadOnly)) {
        return Status::error(name + ": cannot be opened: " + input.errorString().toStdString());
    }
    auto description = SimulationDescriptionParser::parse(input.readAll(),
                                                          QFileInfo(descriptionPath).absoluteDir());
    if (!description) return description.status().withContext(name);
    auto bytes = build(*description, version);
    if (!bytes) return bytes.status().withContext(name);

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(*bytes) != bytes->size() ||
        !output.commit()) {
        return Status::error(QFileInfo(outputPath).fileName().toStdString() +
                             ": cannot be written: " + output.errorString().toStdString());
    }
    return Status::ok();
}

}  // namespace zentrix::tools
