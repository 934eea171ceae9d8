#include "xbase/cdx_tag.h"

#include <algorithm>
#include <cstring>

#include "base/ascii_text.h"
#include "xbase/cdx_tag_cursor.h"

namespace zentrix::xbase::cdx {
namespace {

bool isPlainText(std::string_view key) {
    return std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool startsWithTextFunction(const std::string& expression) {
    static const char* const kFunctions[] = {"UPPER(",   "LOWER(", "STR(",   "DTOS(",
                                             "ALLTRIM(", "LTRIM(", "RTRIM(", "TRIM(",
                                             "SUBSTR(",  "LEFT(",  "RIGHT("};
    const std::string text = base::ascii::upper(expression);
    for (const char* f : kFunctions) {
        if (text.rfind(f, 0) == 0) return true;
    }
    return false;
}

}  // namespace

char padFor(KeyType type) {
    return type == KeyType::Character || type == KeyType::Logical ? ' ' : '\0';
}

std::unique_ptr<IndexTag::Cursor> Tag::cursor() { return std::make_unique<TagCursor>(*this); }

Status Tag::readHeader() {
    uint8_t bytes[cdx::kHeaderSize];
    if (headerOffset_ % cdx::kPageSize != 0 ||
        headerOffset_ + cdx::kHeaderSize > pages_.fileSize()) {
        return fail(
            Status::error("header at " + hexOffset(headerOffset_) + " lies outside the file"));
    }
    ZX_TRY(fail(pages_.file().readAt(headerOffset_, bytes, sizeof bytes)));
    root_ = readLe32(bytes + cdx::header::kRoot);
    options_ = bytes[cdx::header::kOptions];
    const int storedLength = readLe16(bytes + cdx::header::kKeyLength);
    nullable_ = options_ & cdx::option::kNullableKeys;
    if (storedLength < 1 + (nullable_ ? 1 : 0) || storedLength > cdx::kMaxKeyLength) {
        return fail(Status::error("key length " + std::to_string(storedLength) + " is impossible"));
    }
    storedKeyLength_ = storedLength;
    descending_ = readLe16(bytes + cdx::header::kDescending) != 0;
    const uint8_t* pool = bytes + cdx::header::kPool;
    auto poolText = [&](size_t posField, size_t lengthField,
                        size_t fallbackStart) -> Result<std::string> {
        size_t position = readLe16(bytes + posField);
        size_t length = readLe16(bytes + lengthField);
        if (length == 0) {
            position = fallbackStart;
            length = cdx::header::kPoolSize - std::min(fallbackStart, cdx::header::kPoolSize);
        }
        if (position + length > cdx::header::kPoolSize) {
            return Status::error("expression at " + std::to_string(position) + "+" +
                                 std::to_string(length) + " runs past the expression pool");
        }
        const char* start = reinterpret_cast<const char*>(pool + position);
        std::string text(start, strnlen(start, length));
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    };
    auto key = poolText(cdx::header::kKeyPosition, cdx::header::kKeyLengthInPool, 0);
    if (!key) return fail(key.status());
    keyExpression_ = key.value();
    if (options_ & cdx::option::kForClause || readLe16(bytes + cdx::header::kForLength) > 1) {
        auto filter =
            poolText(cdx::header::kForPosition, cdx::header::kForLength, keyExpression_.size() + 1);
        if (!filter) return fail(filter.status());
        forExpression_ = filter.value();
    } else {
        forExpression_.clear();
    }
    return Status::ok();
}

void Tag::guessKeyType() {
    keyType_ = KeyType::Character;
    const int length = keyLength();
    if ((length != 4 && length != 8) || startsWithTextFunction(keyExpression_)) return;
    auto cursor = this->cursor();
    bool plain = true;
    for (bool atLast : {false, true}) {
        auto positioned = atLast ? cursor->last() : cursor->first();
        if (!positioned || !positioned.value()) return;
        plain = plain && isPlainText(cursor->key());
    }
    if (!plain) setKeyType(length == 4 ? KeyType::Integer : KeyType::Numeric);
}

void Tag::setKeyType(KeyType type) {
    if (padFor(type) != padFor(keyType_)) pages_.dropCache();
    keyType_ = type;
}

Status Tag::insert(std::string_view key, uint32_t recno) {
    const std::string full = fullKey(key);
    ZX_TRY_ASSIGN(auto path,
                  descend([&](const Node& n) { return lowerBoundEntry(n, full, recno); }, true));
    Path& steps = path;
    Node leaf = *steps.back().node;
    const int at = lowerBoundEntry(leaf, full, recno);
    if (at < leaf.count() && compareEntry(leaf, at, full, recno) == 0) {
        return fail(Status::error("record " + std::to_string(recno) +
                                  " is already in the tag with this key"));
    }
    leaf.insertEntry(at, full, recno);
    ZX_TRY(fail(put(steps, static_cast<int>(steps.size()) - 1, std::move(leaf))));
    return fail(pages_.bumpChangeCounter());
}

Status Tag::remove(std::string_view key, uint32_t recno) {
    const std::string full = fullKey(key);
    ZX_TRY_ASSIGN(auto path,
                  descend([&](const Node& n) { return lowerBoundEntry(n, full, recno); }, false));
    Path& steps = path;
    const NodePtr& found = steps.back().node;
    const int at = found->isLeaf() ? lowerBoundEntry(*found, full, recno) : found->count();
    if (!found->isLeaf() || at >= found->count() || compareEntry(*found, at, full, recno) != 0) {
        return fail(
            Status::error("record " + std::to_string(recno) + " is not in the tag with this key"));
    }
    Node leaf = *found;
    leaf.eraseEntry(at);
    ZX_TRY(fail(shrink(steps, static_cast<int>(steps.size()) - 1, std::move(leaf))));
    return fail(pages_.bumpChangeCounter());
}

Result<std::vector<KeyEntry>> Tag::entries() {
    std::vector<KeyEntry> out;
    auto c = cursor();
    for (auto more = c->first();; more = c->next()) {
        if (!more) return more.status();
        if (!more.value()) break;
        out.push_back({std::string(c->key()), c->recno()});
    }
    return out;
}

std::string Tag::fullKey(std::string_view key) const {
    std::string full;
    full.reserve(storedKeyLength_);
    if (nullable_) full.push_back(static_cast<char>(cdx::kNotNullMarker));
    full.append(key.substr(0, keyLength()));
    full.resize(storedKeyLength_, pad());
    return full;
}

Status Tag::fail(const Status& status) const {
    if (status.isOk()) return status;
    return status.withContext(pages_.path() + ": tag " + name_);
}

Result<NodePtr> Tag::load(uint32_t offset) {
    auto node = pages_.load(offset, storedKeyLength_, pad());
    if (!node) return fail(node.status());
    return node;
}

Result<NodePtr> Tag::loadLeaf(uint32_t offset) {
    auto node = load(offset);
    if (node && !node.value()->isLeaf()) {
        return fail(
            Status::error("sibling page at " + hexOffset(offset) + " of a leaf is not a leaf"));
    }
    return node;
}

Status Tag::put(Path& path, int level, Node node) {
    if (cdx::encodeNode(node, pad())) {
        ZX_TRY(pages_.store(node, pad()));
        return raiseSeparator(path, level, node);
    }
    if (node.count() < 2)
        return Status::error("a single key does not fit in page " + hexOffset(node.offset));
    const int split = splitPoint(node);
    Node left = node.slice(0, split);
    Node right = node.slice(split, node.count());
    left.attributes &= static_cast<uint16_t>(~cdx::node::kRootBit);
    right.attributes = left.attributes;
    ZX_TRY_ASSIGN(auto newPage, pages_.allocate());
    right.offset = newPage;
    right.left = left.offset;
    right.right = node.right;
    left.right = right.offset;
    if (node.right != cdx::kNoPage) {
        ZX_TRY_ASSIGN(auto neighbour, load(node.right));
        Node updated = *neighbour;
        updated.left = right.offset;
        ZX_TRY(pages_.store(updated, pad()));
    }
    ZX_TRY(pages_.store(left, pad()));
    ZX_TRY(pages_.store(right, pad()));
    if (level == 0) {
        Node root;
        root.keyLength = storedKeyLength_;
        root.attributes = cdx::node::kRootBit;
        ZX_TRY_ASSIGN(auto rootPage, pages_.allocate());
        root.offset = rootPage;
        root.insertEntry(0, left.key(left.count() - 1), left.recnos.back(), left.offset);
        root.insertEntry(1, right.key(right.count() - 1), right.recnos.back(), right.offset);
        ZX_TRY(pages_.store(root, pad()));
        return setRoot(root.offset);
    }
    Step& parentStep = path[level - 1];
    Node parent = *parentStep.node;
    parent.setKey(parentStep.index, left.key(left.count() - 1));
    parent.recnos[parentStep.index] = left.recnos.back();
    parent.insertEntry(parentStep.index + 1, right.key(right.count() - 1), right.recnos.back(),
                       right.offset);
    return put(path, level - 1, std::move(parent));
}

int Tag::splitPoint(const Node& node) const {
    const int count = node.count();
    int split = count / 2;
    if (!node.isLeaf()) return split;
    for (int delta = 0; delta < count; ++delta) {
        for (int candidate : {split - delta, split + delta}) {
            if (candidate < 1 || candidate >= count) continue;
            if (cdx::encodeNode(node.slice(0, candidate), pad()) &&
                cdx::encodeNode(node.slice(candidate, count), pad())) {
                return candidate;
            }
        }
    }
    return split;
}

Status Tag::raiseSeparator(Path& path, int level, const Node& node) {
    path[level].node = std::make_shared<const Node>(node);
    if (level == 0 || node.count() == 0) return Status::ok();
    Step& parentStep = path[level - 1];
    const int at = parentStep.index;
    const Node& current = *parentStep.node;
    if (current.key(at) == node.key(node.count() - 1) && current.recnos[at] == node.recnos.back()) {
        return Status::ok();
    }
    Node parent = current;
    parent.setKey(at, node.key(node.count() - 1));
    parent.recnos[at] = node.recnos.back();
    ZX_TRY(pages_.store(parent, pad()));
    return raiseSeparator(path, level - 1, parent);
}

Status Tag::shrink(Path& path, int level, Node node) {
    if (level == 0) {
        for (int depth = 0; !node.isLeaf() && node.count() == 1; ++depth) {
            if (node.children[0] == node.offset || depth > cdx::kMaxTreeDepth) {
                return Status::error("interior page at " + hexOffset(node.offset) +
                                     " is its own child");
            }
            ZX_TRY_ASSIGN(auto child, load(node.children[0]));
            Node promoted = *child;
            promoted.attributes |= cdx::node::kRootBit;
            promoted.left = promoted.right = cdx::kNoPage;
            ZX_TRY(pages_.store(promoted, pad()));
            ZX_TRY(setRoot(promoted.offset));
            ZX_TRY(pages_.release(node.offset));
            node = std::move(promoted);
        }
        if (!node.isLeaf() && node.count() == 0) {
            node.attributes = cdx::node::kRootBit | cdx::node::kLeafBit;
            node.children.clear();
        }
        return pages_.store(node, pad());
    }
    if (node.count() > 0) {
        ZX_TRY_ASSIGN(auto merged, mergeWithNeighbour(path, level, node));
        if (merged) return Status::ok();
        ZX_TRY(pages_.store(node, pad()));
        return raiseSeparator(path, level, node);
    }
    if (node.left != cdx::kNoPage) ZX_TRY(relink(node.left, false, node.right));
    if (node.right != cdx::kNoPage) ZX_TRY(relink(node.right, true, node.left));
    ZX_TRY(pages_.release(node.offset));
    Step& parentStep = path[level - 1];
    Node parent = *parentStep.node;
    parent.eraseEntry(parentStep.index);
    return shrink(path, level - 1, std::move(parent));
}

Status Tag::relink(uint32_t offset, bool leftPointer, uint32_t target) {
    ZX_TRY_ASSIGN(auto neighbour, load(offset));
    Node updated = *neighbour;
    (leftPointer ? updated.left : updated.right) = target;
    return pages_.store(updated, pad());
}

Status Tag::setRoot(uint32_t offset) {
    root_ = offset;
    return pages_.writeU32(headerOffset_ + cdx::header::kRoot, offset);
}

Result<bool> Tag::mergeWithNeighbour(Path& path, int level, const Node& node) {
    const Node& parent = *path[level - 1].node;
    const int at = path[level - 1].index;
    if (!node.isLeaf()) return false;
    for (const bool withRight : {true, false}) {
        const int other = withRight ? at + 1 : at - 1;
        if (other < 0 || other >= parent.count() ||
            parent.children[other] != (withRight ? node.right : node.left)) {
            continue;
        }
        ZX_TRY_ASSIGN(auto neighbour, load(parent.children[other]));
        if (!neighbour->isLeaf()) continue;
        const Node& left = withRight ? node : *neighbour;
        const Node& right = withRight ? *neighbour : node;
        auto merged = mergePair(path, level, left, right, std::min(at, other));
        if (!merged || merged.value()) return merged;
    }
    return false;
}

Result<bool> Tag::mergePair(Path& path, int level, const Node& left, const Node& right,
                            int leftIndex) {
    Node merged = left;
    for (int i = 0; i < right.count(); ++i)
        merged.insertEntry(merged.count(), right.key(i), right.recnos[i]);
    merged.right = right.right;
    // Merge only with room to spare, so that a few inserts do not split the
    // page straight away again.
    auto page = encodeNode(merged, pad());
    if (!page || readLe16(&(*page)[leaf::kFreeSpace]) < leaf::kSpace / 4) return false;
    ZX_TRY(pages_.store(merged, pad()));
    if (right.right != cdx::kNoPage) ZX_TRY(relink(right.right, true, merged.offset));
    ZX_TRY(pages_.release(right.offset));
    Node parent = *path[level - 1].node;
    parent.setKey(leftIndex, merged.key(merged.count() - 1));
    parent.recnos[leftIndex] = merged.recnos.back();
    parent.eraseEntry(leftIndex + 1);
    path[level].node = std::make_shared<const Node>(merged);
    path[level - 1].index = leftIndex;
    ZX_TRY(shrink(path, level - 1, std::move(parent)));
    return true;
}

}  // namespace zentrix::xbase::cdx
