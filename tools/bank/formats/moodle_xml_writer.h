#pragma once

// Writes an exam as a Moodle XML quiz that MoodleXmlReader reads back to
// the same questions: a category named after the exam, then one question
// each. Parts are plain text; a question with a picture has an HTML text
// with the picture embedded as a base64 @@PLUGINFILE@@ file. The hint is a
// <hint>, the reference the general feedback. Steps become a description.

#include <string>

#include "tools/bank/formats/interchange_document.h"

namespace zentrix::banktool {

class MoodleXmlWriter {
public:
    static std::string write(const ExportedExam& exam);
};

}  // namespace zentrix::banktool
