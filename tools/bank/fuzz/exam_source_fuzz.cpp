// libFuzzer harness for the exam source reader: any input is read without
// crashing, and whatever reads is written back in a form that reads again to
// the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/bank/exam_source_parser.h"
#include "tools/bank/exam_source_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zentrix::xbase::Result<zentrix::banktool::ExamSource> parsed =
        zentrix::banktool::ExamSourceParser::parse(text, "fuzz.exam");
    if (!parsed) return 0;
    const std::string written = zentrix::banktool::ExamSourceWriter::write(parsed.value());
    zentrix::xbase::Result<zentrix::banktool::ExamSource> again =
        zentrix::banktool::ExamSourceParser::parse(written, "written.exam");
    if (!again || zentrix::banktool::ExamSourceWriter::write(again.value()) != written)
        std::abort();
    return 0;
}
