#include "xbase/cdx_node.h"

#include <algorithm>
#include <cstring>

namespace zentrix::xbase::cdx {
namespace {

uint16_t getU16(const Page& p, size_t at) { return readLe16(&p[at]); }
uint32_t getU32(const Page& p, size_t at) { return readLe32(&p[at]); }

uint32_t getBigU32(const Page& p, size_t at) {
    return (static_cast<uint32_t>(p[at]) << 24) | (static_cast<uint32_t>(p[at + 1]) << 16) |
           (static_cast<uint32_t>(p[at + 2]) << 8) | static_cast<uint32_t>(p[at + 3]);
}

void putU16(Page& p, size_t at, uint16_t v) { writeLe16(&p[at], v); }
void putU32(Page& p, size_t at, uint32_t v) { writeLe32(&p[at], v); }

void putBigU32(Page& p, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

int bitLength(uint64_t v) {
    int bits = 1;
    while (v >> bits) ++bits;
    return bits;
}

std::string describe(uint32_t offset, const char* kind) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s at 0x%X", kind, offset);
    return buffer;
}

Result<Node> decodeInterior(const Page& page, Node node) {
    const int count = getU16(page, node::kKeyCount);
    const size_t entrySize = static_cast<size_t>(node.keyLength) + 8;
    if (count * entrySize > interior::kSpace) {
        return Status::error(describe(node.offset, "interior page") + " claims " +
                             std::to_string(count) + " keys of " + std::to_string(node.keyLength) +
                             " bytes in " + std::to_string(interior::kSpace) + " bytes");
    }
    node.keys.reserve(count * static_cast<size_t>(node.keyLength));
    for (int i = 0; i < count; ++i) {
        const size_t at = interior::kEntries + i * entrySize;
        node.keys.append(reinterpret_cast<const char*>(&page[at]), node.keyLength);
        node.recnos.push_back(getBigU32(page, at + node.keyLength));
        node.children.push_back(getBigU32(page, at + node.keyLength + 4));
    }
    return node;
}

Result<Node> decodeLeaf(const Page& page, Node node, char pad) {
    const int count = getU16(page, node::kKeyCount);
    const uint32_t recnoMask = getU32(page, leaf::kRecnoMask);
    const uint8_t duplicateMask = page[leaf::kDuplicateMask];
    const uint8_t trailMask = page[leaf::kTrailMask];
    const int recnoBits = page[leaf::kRecnoBits];
    const int duplicateBits = page[leaf::kDuplicateBits];
    const int trailBits = page[leaf::kTrailBits];
    const int infoBytes = page[leaf::kInfoBytes];
    const std::string where = describe(node.offset, "leaf page");
    if (count == 0) return node;
    if (infoBytes < 1 || infoBytes > leaf::kMaxInfoBytes || recnoBits > 32 || duplicateBits > 8 ||
        trailBits > 8 || recnoBits + duplicateBits + trailBits > infoBytes * 8) {
        return Status::error(where + " has impossible bit widths (" + std::to_string(recnoBits) +
                             "/" + std::to_string(duplicateBits) + "/" + std::to_string(trailBits) +
                             " in " + std::to_string(infoBytes) + " bytes)");
    }
    const size_t infoEnd = leaf::kEntries + static_cast<size_t>(count) * infoBytes;
    if (infoEnd > kPageSize) {
        return Status::error(where + " claims " + std::to_string(count) + " keys in " +
                             std::to_string(leaf::kSpace) + " bytes");
    }
    const int keyLength = node.keyLength;
    node.keys.resize(static_cast<size_t>(count) * keyLength);
    node.recnos.resize(count);
    size_t dataStart = kPageSize;
    for (int i = 0; i < count; ++i) {
        uint64_t info = 0;
        for (int b = infoBytes - 1; b >= 0; --b)
            info = (info << 8) | page[leaf::kEntries + i * infoBytes + b];
        const uint32_t recno = static_cast<uint32_t>(info) & recnoMask;
        const int duplicate = static_cast<int>((info >> recnoBits) & duplicateMask);
        const int trail = static_cast<int>((info >> (recnoBits + duplicateBits)) & trailMask);
        if (duplicate + trail > keyLength || (i == 0 && duplicate > 0)) {
            return Status::error(where + ": key " + std::to_string(i + 1) + " has " +
                                 std::to_string(duplicate) + " shared and " +
                                 std::to_string(trail) + " trailing bytes in a key of " +
                                 std::to_string(keyLength));
        }
        const size_t stored = static_cast<size_t>(keyLength - duplicate - trail);
        if (dataStart < infoEnd + stored) {
            return Status::error(where + ": key " + std::to_string(i + 1) +
                                 " runs into the key info area");
        }
        dataStart -= stored;
        char* key = node.keys.data() + static_cast<size_t>(i) * keyLength;
        if (duplicate > 0) std::memcpy(key, key - keyLength, duplicate);
        std::memcpy(key + duplicate, &page[dataStart], stored);
        std::memset(key + duplicate + stored, pad, trail);
        node.recnos[i] = recno;
    }
    return node;
}

}  // namespace

void Node::insertEntry(int at, std::string_view key, uint32_t recno, uint32_t child) {
    keys.insert(static_cast<size_t>(at) * keyLength, key.data(), keyLength);
    recnos.insert(recnos.begin() + at, recno);
    if (!isLeaf()) children.insert(children.begin() + at, child);
}

void Node::eraseEntry(int at) {
    keys.erase(static_cast<size_t>(at) * keyLength, keyLength);
    recnos.erase(recnos.begin() + at);
    if (!isLeaf()) children.erase(children.begin() + at);
}

void Node::setKey(int at, std::string_view key) {
    keys.replace(static_cast<size_t>(at) * keyLength, keyLength, key.data(), keyLength);
}

Node Node::slice(int from, int to) const {
    Node part;
    part.offset = offset;
    part.attributes = attributes;
    part.left = left;
    part.right = right;
    part.keyLength = keyLength;
    part.keys = keys.substr(static_cast<size_t>(from) * keyLength,
                            static_cast<size_t>(to - from) * keyLength);
    part.recnos.assign(recnos.begin() + from, recnos.begin() + to);
    if (!isLeaf()) part.children.assign(children.begin() + from, children.begin() + to);
    return part;
}

int compareKeys(std::string_view a, std::string_view b) {
    return std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
}

int compareEntry(const Node& node, int i, std::string_view key, uint32_t recno) {
    if (int c = compareKeys(node.key(i), key)) return c;
    return node.recnos[i] < recno ? -1 : (node.recnos[i] > recno ? 1 : 0);
}

int lowerBoundKey(const Node& node, std::string_view key) {
    int lo = 0, hi = node.count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (compareKeys(node.key(mid), key) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int lowerBoundEntry(const Node& node, std::string_view key, uint32_t recno) {
    int lo = 0, hi = node.count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (compareEntry(node, mid, key, recno) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int interiorCapacity(int keyLength) { return static_cast<int>(interior::kSpace / (keyLength + 8)); }

Result<Node> decodeNode(const Page& page, uint32_t offset, int keyLength, char pad) {
    Node node;
    node.offset = offset;
    node.keyLength = keyLength;
    node.attributes = getU16(page, node::kAttributes);
    node.left = getU32(page, node::kLeft);
    node.right = getU32(page, node::kRight);
    if (node.attributes > 7) {
        return Status::error(describe(offset, "page") + " is not an index node (attributes " +
                             std::to_string(node.attributes) + ")");
    }
    return node.isLeaf() ? decodeLeaf(page, std::move(node), pad)
                         : decodeInterior(page, std::move(node));
}

std::optional<Page> encodeNode(const Node& node, char pad) {
    Page page{};
    const int count = node.count();
    const int keyLength = node.keyLength;
    putU16(page, node::kAttributes, node.attributes);
    putU16(page, node::kKeyCount, static_cast<uint16_t>(count));
    putU32(page, node::kLeft, node.left);
    putU32(page, node::kRight, node.right);
    if (!node.isLeaf()) {
        if (count > interiorCapacity(keyLength)) return std::nullopt;
        for (int i = 0; i < count; ++i) {
            const size_t at = interior::kEntries + static_cast<size_t>(i) * (keyLength + 8);
            std::memcpy(&page[at], node.key(i).data(), keyLength);
            putBigU32(page, at + keyLength, node.recnos[i]);
            putBigU32(page, at + keyLength + 4, node.children[i]);
        }
        return page;
    }

    uint32_t maxRecno = 0;
    for (uint32_t r : node.recnos) maxRecno = std::max(maxRecno, r);
    int duplicateBits = bitLength(static_cast<uint64_t>(keyLength));
    int trailBits = duplicateBits;
    const int infoBytes = (bitLength(maxRecno) + duplicateBits + trailBits + 7) / 8;
    int recnoBits = infoBytes * 8 - duplicateBits - trailBits;
    if (recnoBits > 32) {  // only with huge record numbers and short keys
        const int extra = recnoBits - 32;
        recnoBits = 32;
        duplicateBits += extra / 2;
        trailBits += extra - extra / 2;
    }
    const uint32_t recnoMask = recnoBits == 32 ? 0xFFFFFFFFu : ((1u << recnoBits) - 1);
    putU32(page, leaf::kRecnoMask, recnoMask);
    page[leaf::kDuplicateMask] = static_cast<uint8_t>((1u << duplicateBits) - 1);
    page[leaf::kTrailMask] = static_cast<uint8_t>((1u << trailBits) - 1);
    page[leaf::kRecnoBits] = static_cast<uint8_t>(recnoBits);
    page[leaf::kDuplicateBits] = static_cast<uint8_t>(duplicateBits);
    page[leaf::kTrailBits] = static_cast<uint8_t>(trailBits);
    page[leaf::kInfoBytes] = static_cast<uint8_t>(infoBytes);

    size_t infoEnd = leaf::kEntries + static_cast<size_t>(count) * infoBytes;
    if (infoEnd > kPageSize) return std::nullopt;
    size_t dataStart = kPageSize;
    std::string_view previous;
    for (int i = 0; i < count; ++i) {
        const std::string_view key = node.key(i);
        int trail = 0;
        while (trail < keyLength && key[keyLength - 1 - trail] == pad) ++trail;
        int duplicate = 0;
        if (i > 0) {
            while (duplicate < keyLength - trail && key[duplicate] == previous[duplicate])
                ++duplicate;
        }
        const size_t stored = static_cast<size_t>(keyLength - duplicate - trail);
        if (dataStart < infoEnd + stored) return std::nullopt;
        dataStart -= stored;
        std::memcpy(&page[dataStart], key.data() + duplicate, stored);
        const uint64_t info = static_cast<uint64_t>(node.recnos[i]) |
                              (static_cast<uint64_t>(duplicate) << recnoBits) |
                              (static_cast<uint64_t>(trail) << (recnoBits + duplicateBits));
        for (int b = 0; b < infoBytes; ++b) {
            page[leaf::kEntries + static_cast<size_t>(i) * infoBytes + b] =
                static_cast<uint8_t>(info >> (8 * b));
        }
        previous = key;
    }
    putU16(page, leaf::kFreeSpace, static_cast<uint16_t>(dataStart - infoEnd));
    return page;
}

}  // namespace zentrix::xbase::cdx
