#pragma once

#include <QByteArray>
#include <QString>

#include "simulation/question_service.h"
#include "simulation/simulation_content.h"
#include "simulation/status.h"

namespace zentrix::simulation {

inline constexpr const char* kUnknownVersionQuestion =
    "This is an unknown version of the QSF file. Continue On?";
inline constexpr const char* kIncorrectFileTypeQuestion =
    "This is an incorrect file type. Continue On?";

enum class LoadOutcome {
    Read,         // the file was read into the content
    ReadNothing,  // unknown version, the user chose to go on: the content is as it was
    Declined,     // the user answered No to a question: the load ends here
};

// Opens a simulation file, checks its version and file type (asking the user
// whether to go on when either looks wrong) and runs the reader of its version.
// Errors name the file and what is wrong; after an error the content is empty.
class SimulationLoader {
public:
    explicit SimulationLoader(QuestionService& questions) : questions_(questions) {}

    Result<LoadOutcome> load(const QString& path, SimulationContent& content);
    // The same for a file already in memory; name is used in messages.
    Result<LoadOutcome> loadBytes(const QByteArray& file, const QString& name,
                                  SimulationContent& content);

private:
    QuestionService& questions_;
};

}  // namespace zentrix::simulation
