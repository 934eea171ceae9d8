#include "engine/exam_type_texts.h"

namespace zentrix::engine {

QString OpenBookExplanation() {
    return QStringLiteral(
        "Open Book\n\n"
        "Practise at your own pace.\n\n"
        "- Questions are drawn at random from the exam's question pool.\n"
        "- You choose how many questions to take.\n"
        "- There is no time limit.\n"
        "- A hint and a reference are offered with every question.\n"
        "- You can review your answers and change them before you finish.\n"
        "- Afterwards you can print an answer guide of the questions you missed.");
}

QString ClosedBookExplanation() {
    return QStringLiteral(
        "Closed Book\n\n"
        "Test yourself under exam conditions.\n\n"
        "- Questions are drawn at random from the exam's question pool.\n"
        "- You choose how many questions to take.\n"
        "- The exam is timed.\n"
        "- No hints or references are offered.\n"
        "- You can review and change your answers until the time runs out or you finish.\n"
        "- Afterwards you can print an answer guide of the questions you missed.");
}

}  // namespace zentrix::engine
