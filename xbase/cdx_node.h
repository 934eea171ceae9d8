#pragma once

// One page of a compound index tree, decoded: the keys at full length, their
// record numbers and (interior nodes) child offsets. Decoding checks every
// count, bit width and length the page states; encoding compresses leaf keys
// the way FoxPro does and reports when they no longer fit in a page.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx_format.h"
#include "xbase/status.h"

namespace zentrix::xbase::cdx {

using Page = std::array<uint8_t, kPageSize>;

struct Node {
    uint32_t offset = 0;
    uint16_t attributes = 0;
    uint32_t left = kNoPage;
    uint32_t right = kNoPage;
    int keyLength = 0;
    std::string keys;  // count() keys of keyLength bytes, back to back
    std::vector<uint32_t> recnos;
    std::vector<uint32_t> children;  // interior only

    bool isLeaf() const { return attributes & node::kLeafBit; }
    bool isRoot() const { return attributes & node::kRootBit; }
    int count() const { return static_cast<int>(recnos.size()); }
    std::string_view key(int i) const {
        return std::string_view(keys).substr(static_cast<size_t>(i) * keyLength, keyLength);
    }
    void insertEntry(int at, std::string_view key, uint32_t recno, uint32_t child = 0);
    void eraseEntry(int at);
    void setKey(int at, std::string_view key);
    // Keeps entries [from, to).
    Node slice(int from, int to) const;
};

// Decodes a page; `pad` is the byte compressed trailing bytes stand for.
// Errors say what is wrong without naming file or tag (the caller adds them).
Result<Node> decodeNode(const Page& page, uint32_t offset, int keyLength, char pad);

// Encodes a node; nothing when a leaf's keys do not fit in one page or an
// interior node holds more entries than a page can.
std::optional<Page> encodeNode(const Node& node, char pad);

// Keys compare as plain bytes; entries by key, then by record number.
int compareKeys(std::string_view a, std::string_view b);
int compareEntry(const Node& node, int i, std::string_view key, uint32_t recno);
// The first entry of `node` not below `key` (or key and record number).
int lowerBoundKey(const Node& node, std::string_view key);
int lowerBoundEntry(const Node& node, std::string_view key, uint32_t recno);

// How many entries an interior node of this key length holds.
int interiorCapacity(int keyLength);

}  // namespace zentrix::xbase::cdx
