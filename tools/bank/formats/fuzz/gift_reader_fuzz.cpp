// Feeds arbitrary bytes to the GIFT reader, as the importer does: decoded
// to UTF-8 first, so Windows-1252 files and damaged UTF-8 are covered too.
// Questions read are also written back through the GIFT escapes and read
// again, which must succeed.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/bank/formats/gift_reader.h"
#include "tools/bank/formats/text_encoding.h"

using namespace zentrix::banktool;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text =
        TextEncoding::sourceToUtf8(std::string(reinterpret_cast<const char*>(data), size));
    zentrix::xbase::Result<InterchangeDocument> read = GiftReader::read(text, "fuzz.gift");
    if (!read) return 0;
    for (const InterchangeCategory& category : read->categories) {
        for (const InterchangeQuestion& q : category.questions) {
            const std::string again =
                "::" + GiftReader::escape(q.title) + "::" + GiftReader::escape(q.text) + "{T}";
            if (!GiftReader::read(again, "again.gift")) __builtin_trap();
        }
    }
    return 0;
}
