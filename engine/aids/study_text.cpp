#include "engine/aids/study_text.h"

namespace zentrix::engine::aids {

QByteArray CleanStudyText(std::string_view stored) {
    QByteArray text;
    text.reserve(static_cast<qsizetype>(stored.size()));
    char previous = 0;
    for (char c : stored) {
        if (c == '\n') {
            if (previous != '\r') text.append('\r');
        } else {
            text.append(c);
        }
        previous = c;
    }
    const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text[begin])) ++begin;
    while (end > begin && isTrimmed(text[end - 1])) --end;
    return text.sliced(begin, end - begin);
}

}  // namespace zentrix::engine::aids
