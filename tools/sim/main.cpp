// zentrix-sim: builds simulation files from a description and shows what the
// reader makes of a simulation file.
//
//   zentrix-sim build DESCRIPTION OUTPUT [--version 0x0101..0x0110]
//   zentrix-sim info FILE [--json]
//   zentrix-sim play FILE [--test-mode]
//
// Options may stand before or after the arguments; every command takes --help.
// Exit status: 0 done, 1 usage or build error, 2 the reader rejects the file.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "simulation/byte_reader.h"
#include "simulation/question_service.h"
#include "simulation/simulation_layout.h"
#include "simulation/simulation_loader.h"
#include "tools/common/command_line.h"
#include "tools/sim/play_command.h"
#include "tools/sim/simulation_builder.h"
#include "tools/sim/simulation_report.h"

namespace {

using namespace zentrix;

constexpr int kUsageError = 1;
constexpr int kRejected = 2;

// A command-line tool cannot ask: it answers No and remembers the question,
// which then becomes the error message.
class DecliningQuestions : public simulation::QuestionService {
public:
    bool askYesNo(const QString& question) override {
        asked = question;
        return false;
    }
    QString asked;
};

int build(const tools::ParsedCommand& command, std::ostream& out, std::ostream& err) {
    std::optional<simulation::SimulationVersion> version;
    if (command.has("--version")) {
        const std::string text = command.value("--version");
        version = simulation::SimulationVersion::fromText(QString::fromStdString(text));
        if (!version) {
            err << "zentrix-sim: unknown version " << text << " (0x0101 to 0x0109, 0x0110)\n";
            return kUsageError;
        }
    }
    const auto status =
        tools::SimulationBuilder::buildFile(QString::fromStdString(command.argument(0)),
                                            QString::fromStdString(command.argument(1)), version);
    if (!status) {
        err << "zentrix-sim: " << status.message() << "\n";
        return kUsageError;
    }
    return 0;
}

int info(const tools::ParsedCommand& command, std::ostream& out, std::ostream& err) {
    const QString path = QString::fromStdString(command.argument(0));
    const std::string name = QFileInfo(path).fileName().toStdString();
    DecliningQuestions questions;
    simulation::SimulationContent content;
    auto outcome = simulation::SimulationLoader(questions).load(path, content);
    if (!outcome) {
        err << "zentrix-sim: " << outcome.message() << "\n";
        return kRejected;
    }
    if (*outcome != simulation::LoadOutcome::Read) {
        err << "zentrix-sim: " << name << ": " << questions.asked.toStdString()
            << " (answered No)\n";
        return kRejected;
    }

    QFile file(path);
    file.open(QIODevice::ReadOnly);
    // The reader views these bytes: they must outlive it.
    const QByteArray headerBytes = file.read(simulation::layout::kHeaderSize);
    simulation::ByteReader reader(headerBytes);
    std::uint16_t word = 0;
    std::uint8_t fileType = 0, records = 0;
    tools::SimulationReport::Header header;
    reader.skip(simulation::layout::kHeaderVersionOffset);
    reader.readU16(word);
    reader.readU8(fileType);
    reader.readU8(records);
    reader.skip(2);
    reader.readU32(header.gifLength);
    const auto version = simulation::SimulationVersion::fromWord(word);
    if (!version) {
        err << "zentrix-sim: " << name << ": unknown version word 0x" << std::hex << word
            << std::dec << "\n";
        return kRejected;
    }
    header.version = *version;
    header.fileType = fileType;
    header.recordCount = records;

    const QByteArray report = command.has("--json")
                                  ? QJsonDocument(tools::SimulationReport::toJson(header, content))
                                        .toJson(QJsonDocument::Indented)
                                  : tools::SimulationReport::toText(header, content).toUtf8();
    out.write(report.constData(), report.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const tools::ToolDescription tool{
        "zentrix-sim",
        "Builds simulation files from descriptions and shows what the reader makes of them.",
        kUsageError,
        {
            {{"build",
              "DESCRIPTION OUTPUT",
              "build a simulation file from a JSON description",
              2,
              2,
              {{"--version", "0xVVVV",
                "file version 0x0101 to 0x0109 or 0x0110 (the newest, by default)"}}},
             build},
            {{"info",
              "FILE",
              "what the reader makes of a simulation file (exit 2 when it rejects it)",
              1,
              1,
              {{"--json", "", "as JSON"}}},
             info},
            {{"play",
              "FILE",
              "play a simulation file in a window of its own and print each outcome",
              1,
              1,
              {{"--test-mode", "", "keep playing after an outcome"}}},
             [argc, argv](const tools::ParsedCommand& command, std::ostream&, std::ostream&) {
                 return tools::playCommand(argc, argv, command.argument(0),
                                           command.has("--test-mode"));
             }},
        }};
    return tools::runTool(tool, std::vector<std::string>(argv + 1, argv + argc), std::cout,
                          std::cerr);
}
