// Feeds arbitrary bytes, as a stored reference, to the study guide's plain
// reading of rich text.

#include <cstdint>
#include <string>

#include "engine/reports/reference_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string words = zentrix::engine::reports::RichTextWords(text);
    if (words.size() > text.size()) __builtin_trap();  // the words are never longer than the source
    (void)zentrix::engine::reports::PlainReferenceText("{\\rtf1 " + text);
    return 0;
}
