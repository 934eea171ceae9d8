#include "questionbank/byte_memo.h"

#include <cstdint>

namespace zentrix::questionbank {

std::string ByteMemo::encode(std::string_view bytes) {
    if (bytes.empty()) return {};
    const auto n = static_cast<uint32_t>(bytes.size());
    std::string out;
    out.reserve(bytes.size() + 4);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((n >> shift) & 0xFF));
    out.append(bytes);
    return out;
}

xbase::Result<std::string> ByteMemo::decode(std::string_view memo, const std::string& what) {
    if (memo.empty()) return std::string();
    if (memo.size() < 4) {
        return xbase::Status::error(what + ": stored file holds " + std::to_string(memo.size()) +
                                    " bytes, too few for its byte count");
    }
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i)
        n |= static_cast<uint32_t>(static_cast<unsigned char>(memo[i])) << (8 * i);
    if (n > memo.size() - 4) {
        return xbase::Status::error(what + ": stored file claims " + std::to_string(n) +
                                    " bytes but holds " + std::to_string(memo.size() - 4));
    }
    return std::string(memo.substr(4, n));
}

}  // namespace zentrix::questionbank
