#pragma once

// Writes an exam as a QTI 2.1 content package (the bytes of a ZIP file)
// that QtiReader reads back to the same questions: imsmanifest.xml, an
// assessment test carrying the exam title, one item per question under
// items/, and the pictures at the package root under their own names. The
// hint and reference are modal feedback named HINT and REFERENCE. Steps
// become an item without an interaction.

#include <string>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class QtiPackageWriter {
public:
    static xbase::Result<std::string> write(const ExportedExam& exam);
};

}  // namespace zentrix::banktool
