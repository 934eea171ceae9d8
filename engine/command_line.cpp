#include "engine/command_line.h"

namespace zentrix::engine {

bool RandomQuestionOrderFromArguments(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument.contains(QStringLiteral("NotRandomQuestions"), Qt::CaseSensitive))
            return false;
    }
    return true;
}

}  // namespace zentrix::engine
