#pragma once

// Writes an exam as GIFT that GiftReader reads back to the same questions:
// the exam title as the category, one block per question, the hint as the
// feedback of every choice and the reference as the general feedback. A
// question with a picture is written [html] with an <img> of its file,
// which the caller writes beside the GIFT file. Steps become a description.

#include <string>

#include "tools/bank/formats/interchange_document.h"

namespace zentrix::banktool {

class GiftWriter {
public:
    static std::string write(const ExportedExam& exam);
};

}  // namespace zentrix::banktool
