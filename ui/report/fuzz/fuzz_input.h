#pragma once

// How the saved-report fuzzer reads its inputs, shared with the test that
// replays them: an input whose first byte is odd holds a page count (byte 1)
// and bare records (the rest), and is given a valid header and checksum, so
// the fuzzer reaches the record checks instead of stopping at the checksum;
// any other input is a whole file.

#include <zlib.h>

#include <QByteArray>

#include "ui/report/qrp_format.h"

namespace zentrix::report::fuzz {

inline QByteArray FileOfFuzzInput(const QByteArray& input) {
    if (input.isEmpty() || (static_cast<uint8_t>(input[0]) & 1) == 0) return input;
    const auto put32 = [](QByteArray& bytes, int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const uint32_t pages = input.size() > 1 ? static_cast<uint8_t>(input[1]) : 0;
    const QByteArray payload = input.size() > 2 ? input.mid(2) : QByteArray();
    QByteArray file(qrp::kMagic, sizeof qrp::kMagic);
    file.append(qrp::kHeaderSize - static_cast<int>(sizeof qrp::kMagic), '\0');
    file[8] = static_cast<char>(qrp::kVersion);
    put32(file, 12, static_cast<uint32_t>(payload.size()));
    put32(file, 16,
          static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(payload.constData()),
                                      static_cast<uInt>(payload.size()))));
    put32(file, 20, pages);
    return file + payload;
}

}  // namespace zentrix::report::fuzz
