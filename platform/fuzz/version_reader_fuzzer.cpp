// Feeds arbitrary bytes to the PE and ELF version readers. Seed corpus:
// platform/tests/fixtures/*.dll and any of our own binaries.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/elf_version_note.h"
#include "platform/pe_version_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)zentrix::platform::readPeVersionResource(bytes);
    (void)zentrix::platform::readElfVersionNote(bytes);
    (void)zentrix::platform::parseVersionInfoBlock(bytes);
    return 0;
}
