// zentrix-sim: builds simulation files from a description and shows what the
// reader makes of a simulation file.
//
//   zentrix-sim build DESCRIPTION OUTPUT [--version 0x0101..0x0110]
//   zentrix-sim info FILE [--json]
//   zentrix-sim play FILE [--test-mode]
//
// Exit status: 0 done, 1 usage or build error, 2 the reader rejects the file.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "simulation/byte_reader.h"
#include "simulation/question_service.h"
#include "simulation/simulation_layout.h"
#include "simulation/simulation_loader.h"
#include "tools/sim/play_command.h"
#include "tools/sim/simulation_builder.h"
#include "tools/sim/simulation_report.h"

namespace {

using namespace zentrix;

constexpr int kUsageError = 1;
constexpr int kRejected = 2;

int usage() {
    std::fputs(
        "usage: zentrix-sim build DESCRIPTION OUTPUT [--version 0x0101..0x0110]\n"
        "       zentrix-sim info FILE [--json]\n"
        "       zentrix-sim play FILE [--test-mode]\n",
        stderr);
    return kUsageError;
}

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

int build(const std::vector<std::string>& args) {
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--version")) return usage();
    std::optional<simulation::SimulationVersion> version;
    if (args.size() == 4) {
        version = simulation::SimulationVersion::fromText(QString::fromStdString(args[3]));
        if (!version) {
            std::fprintf(stderr, "zentrix-sim: unknown version %s (0x0101 to 0x0109, 0x0110)\n",
                         args[3].c_str());
            return kUsageError;
        }
    }
    const auto status = tools::SimulationBuilder::buildFile(
        QString::fromStdString(args[0]), QString::fromStdString(args[1]), version);
    if (!status) {
        std::fprintf(stderr, "zentrix-sim: %s\n", status.message().c_str());
        return kUsageError;
    }
    return 0;
}

int info(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "--json"))
        return usage();
    const QString path = QString::fromStdString(args[0]);
    const std::string name = QFileInfo(path).fileName().toStdString();
    DecliningQuestions questions;
    simulation::SimulationContent content;
    auto outcome = simulation::SimulationLoader(questions).load(path, content);
    if (!outcome) {
        std::fprintf(stderr, "zentrix-sim: %s\n", outcome.message().c_str());
        return kRejected;
    }
    if (*outcome != simulation::LoadOutcome::Read) {
        std::fprintf(stderr, "zentrix-sim: %s: %s (answered No)\n", name.c_str(),
                     questions.asked.toStdString().c_str());
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
        std::fprintf(stderr, "zentrix-sim: %s: unknown version word 0x%04x\n", name.c_str(), word);
        return kRejected;
    }
    header.version = *version;
    header.fileType = fileType;
    header.recordCount = records;

    if (args.size() == 2) {
        const QByteArray json = QJsonDocument(tools::SimulationReport::toJson(header, content))
                                    .toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    } else {
        const QByteArray text = tools::SimulationReport::toText(header, content).toUtf8();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "build") return build(args);
    if (command == "info") return info(args);
    if (command == "play") return tools::playCommand(argc, argv, args);
    return usage();
}
