// Feeds arbitrary bytes to the CSV reader, decoded to UTF-8 as the importer
// does.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/bank/formats/csv_reader.h"
#include "tools/bank/formats/text_encoding.h"

using namespace zentrix::banktool;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text =
        TextEncoding::sourceToUtf8(std::string(reinterpret_cast<const char*>(data), size));
    zentrix::xbase::Result<InterchangeDocument> read = CsvReader::read(text, "fuzz.csv");
    (void)read;
    return 0;
}
