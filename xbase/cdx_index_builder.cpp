#include "xbase/cdx_index_builder.h"

#include <algorithm>
#include <cstring>

#include "base/ascii_text.h"
#include "xbase/cdx_node.h"
#include "xbase/cdx_tag.h"

namespace zentrix::xbase::cdx {
namespace {

// Everything a build writes, laid out in memory before it reaches the file.
class ImageWriter {
public:
    uint32_t reserve(size_t bytes) {
        const uint32_t at = static_cast<uint32_t>(image_.size());
        image_.resize(image_.size() + bytes, 0);
        return at;
    }
    uint32_t nextOffset() const { return static_cast<uint32_t>(image_.size()); }
    void put(uint32_t at, const Page& page) { std::memcpy(&image_[at], page.data(), page.size()); }
    uint8_t* at(uint32_t offset) { return &image_[offset]; }
    const std::vector<uint8_t>& bytes() const { return image_; }

private:
    std::vector<uint8_t> image_;
};

void writeTagHeader(ImageWriter& image, uint32_t at, uint32_t root, int keyLength, uint8_t options,
                    const std::string& keyExpression, const std::string& forExpression,
                    bool descending) {
    uint8_t* h = image.at(at);
    writeLe32(h + header::kRoot, root);
    writeLe16(h + header::kKeyLength, static_cast<uint16_t>(keyLength));
    h[header::kOptions] = options;
    h[header::kSignature] = kSignatureByte;
    writeLe16(h + header::kHeaderLength, static_cast<uint16_t>(kHeaderSize));
    writeLe16(h + header::kPageLength, static_cast<uint16_t>(kPageSize));
    writeLe16(h + header::kDescending, descending ? 1 : 0);
    const uint16_t keySize = static_cast<uint16_t>(keyExpression.size() + 1);
    writeLe16(h + header::kKeyPosition, 0);
    writeLe16(h + header::kKeyLengthInPool, keySize);
    writeLe16(h + header::kForPosition, keySize);
    writeLe16(h + header::kForLength, static_cast<uint16_t>(forExpression.size() + 1));
    std::memcpy(h + header::kPool, keyExpression.data(), keyExpression.size());
    std::memcpy(h + header::kPool + keySize, forExpression.data(), forExpression.size());
}

// Lays out one B-tree bottom-up from sorted entries; gives its root offset.
Result<uint32_t> writeTree(ImageWriter& image, const std::vector<KeyEntry>& entries, int keyLength,
                           char pad) {
    struct Built {
        uint32_t offset;
        std::string lastKey;
        uint32_t lastRecno;
    };
    auto linkLevel = [&](std::vector<Node>& level, bool leaves) {
        for (size_t i = 0; i < level.size(); ++i) {
            level[i].left = i == 0 ? kNoPage : level[i - 1].offset;
            level[i].right = i + 1 == level.size() ? kNoPage : level[i + 1].offset;
            level[i].attributes = static_cast<uint16_t>((leaves ? node::kLeafBit : 0) |
                                                        (level.size() == 1 ? node::kRootBit : 0));
        }
    };
    std::vector<Node> level;
    Node current;
    current.keyLength = keyLength;
    current.attributes = node::kLeafBit;
    for (const KeyEntry& entry : entries) {
        Node candidate = current;
        candidate.insertEntry(candidate.count(), entry.key, entry.recno);
        if (current.count() > 0 && !encodeNode(candidate, pad)) {
            level.push_back(std::move(current));
            current = Node();
            current.keyLength = keyLength;
            current.attributes = node::kLeafBit;
            current.insertEntry(0, entry.key, entry.recno);
        } else {
            current = std::move(candidate);
        }
    }
    level.push_back(std::move(current));
    bool leaves = true;
    for (;;) {
        for (Node& node : level) node.offset = image.reserve(kPageSize);
        linkLevel(level, leaves);
        std::vector<Built> built;
        for (const Node& node : level) {
            auto page = encodeNode(node, pad);
            if (!page) return Status::error("a key does not fit in a page");
            image.put(node.offset, *page);
            if (node.count() > 0) {
                built.push_back(
                    {node.offset, std::string(node.key(node.count() - 1)), node.recnos.back()});
            }
        }
        if (level.size() == 1) return level.front().offset;
        const int capacity = interiorCapacity(keyLength);
        const size_t groups = (built.size() + capacity - 1) / capacity;
        std::vector<Node> parents(groups);
        for (size_t g = 0; g < groups; ++g) {
            parents[g].keyLength = keyLength;
            const size_t from = built.size() * g / groups, to = built.size() * (g + 1) / groups;
            for (size_t i = from; i < to; ++i) {
                parents[g].keys.append(built[i].lastKey);
                parents[g].recnos.push_back(built[i].lastRecno);
                parents[g].children.push_back(built[i].offset);
            }
        }
        level = std::move(parents);
        leaves = false;
    }
}

}  // namespace

Result<std::vector<uint8_t>> buildIndexImage(const std::string& where,
                                             const std::vector<TagLayout>& tags,
                                             std::vector<std::vector<KeyEntry>> keys,
                                             uint32_t counter) {
    if (keys.size() != tags.size()) {
        return Status::error(where + ": " + std::to_string(tags.size()) + " tags but " +
                             std::to_string(keys.size()) + " key lists");
    }
    std::vector<std::pair<std::string, size_t>> names;  // upper-case name, tag index
    for (size_t i = 0; i < tags.size(); ++i) {
        const TagLayout& layout = tags[i];
        std::string name = base::ascii::upper(layout.spec.name);
        if (name.empty() || name.size() > static_cast<size_t>(kTagNameLength) ||
            name.find_first_of(std::string_view(" \0", 2)) != std::string::npos) {
            return Status::error(where + ": tag name \"" + layout.spec.name +
                                 "\" is not 1 to 10 characters");
        }
        if (layout.keyLength < 1 || layout.keyLength > kMaxKeyLength) {
            return Status::error(where + ": tag " + name + ": key length " +
                                 std::to_string(layout.keyLength) + " is outside 1 to " +
                                 std::to_string(kMaxKeyLength));
        }
        if (layout.spec.keyExpression.size() + layout.spec.forExpression.size() + 2 >
            header::kPoolSize) {
            return Status::error(where + ": tag " + name +
                                 ": expressions longer than the header holds");
        }
        for (const auto& [other, _] : names) {
            if (other == name) return Status::error(where + ": tag " + name + " is given twice");
        }
        names.emplace_back(std::move(name), i);
    }
    std::sort(names.begin(), names.end());

    ImageWriter image;
    const uint32_t directoryHeader = image.reserve(kHeaderSize);
    const uint32_t directoryRoot = image.reserve(kPageSize);
    Node directory;
    directory.offset = directoryRoot;
    directory.keyLength = kTagNameLength;
    directory.attributes = node::kRootBit | node::kLeafBit;
    std::vector<uint32_t> headers(tags.size());
    for (size_t i = 0; i < tags.size(); ++i) headers[i] = image.reserve(kHeaderSize);
    for (const auto& [name, i] : names) {
        std::string key = name;
        key.resize(kTagNameLength, ' ');
        directory.insertEntry(directory.count(), key, headers[i]);
    }
    auto directoryPage = encodeNode(directory, ' ');
    if (!directoryPage) return Status::error(where + ": too many tags for one index");
    image.put(directoryRoot, *directoryPage);
    writeTagHeader(image, directoryHeader, directoryRoot, kTagNameLength,
                   option::kCompact | option::kCompound | option::kDirectory, "", "", false);
    writeLe32(image.at(directoryHeader) + header::kChangeCounter, counter);

    for (size_t i = 0; i < tags.size(); ++i) {
        const TagLayout& layout = tags[i];
        const char pad = padFor(layout.keyType);
        std::vector<KeyEntry>& entries = keys[i];
        for (KeyEntry& entry : entries) entry.key.resize(layout.keyLength, pad);
        std::sort(entries.begin(), entries.end(), [](const KeyEntry& a, const KeyEntry& b) {
            if (int c = compareKeys(a.key, b.key)) return c < 0;
            return a.recno < b.recno;
        });
        auto root = writeTree(image, entries, layout.keyLength, pad);
        if (!root)
            return root.status().withContext(where + ": tag " +
                                             base::ascii::upper(layout.spec.name));
        uint8_t options = option::kCompact | option::kCompound;
        if (!layout.spec.forExpression.empty()) options |= option::kForClause;
        if (layout.spec.unique) options |= option::kUnique;
        writeTagHeader(image, headers[i], root.value(), layout.keyLength, options,
                       layout.spec.keyExpression, layout.spec.forExpression,
                       layout.spec.descending);
    }

    return image.bytes();
}

}  // namespace zentrix::xbase::cdx
