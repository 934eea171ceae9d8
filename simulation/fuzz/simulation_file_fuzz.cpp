// libFuzzer harness: any bytes as a simulation file. The loader must return a
// value (read, declined or an error) without reading out of bounds, and the
// picture must compose every frame it accepted.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "simulation/question_service.h"
#include "simulation/simulation_loader.h"

namespace {

class AlwaysYes : public zentrix::simulation::QuestionService {
public:
    bool askYesNo(const QString&) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrix::simulation;
    const QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    AlwaysYes questions;
    SimulationContent content;
    auto outcome = SimulationLoader(questions).loadBytes(file, QStringLiteral("fuzz.qsf"), content);
    if (!outcome.isOk()) {
        if (!content.Frames.empty() || !content.CursorFiles.isEmpty() ||
            !content.Sounds.isEmpty() || content.Picture.frameCount() != 0) {
            __builtin_trap();  // an error must leave nothing half-filled
        }
        return 0;
    }
    const int frames = content.Picture.frameCount();
    for (int n = 1; n <= frames && n <= 64; ++n) content.Picture.showFrame(n);
    if (frames > 1) content.Picture.showFrame(1);
    return 0;
}
