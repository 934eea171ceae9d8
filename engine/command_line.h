#pragma once

#include <QStringList>

namespace zentrix::engine {

// False when any argument, the program path included, contains
// "NotRandomQuestions" (case-sensitive): single exams then keep their order.
bool RandomQuestionOrderFromArguments(const QStringList& arguments);

}  // namespace zentrix::engine
