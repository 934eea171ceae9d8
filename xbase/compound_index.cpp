#include "xbase/compound_index.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "xbase/cdx_format.h"
#include "xbase/cdx_node.h"

namespace zentrix::xbase {

using cdx::Node;
using cdx::Page;
using NodePtr = std::shared_ptr<const Node>;

namespace {

constexpr size_t kMaxCachedNodes = 65536;

uint16_t getU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t getU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void putU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void putU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string hex(uint64_t v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(v));
    return buffer;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

char padFor(KeyType type) { return type == KeyType::Character || type == KeyType::Logical ? ' ' : '\0'; }

int compareKeys(std::string_view a, std::string_view b) {
    return std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
}

// Entries compare by key, then by record number.
int compareEntry(const Node& node, int i, std::string_view key, uint32_t recno) {
    if (int c = compareKeys(node.key(i), key)) return c;
    return node.recnos[i] < recno ? -1 : (node.recnos[i] > recno ? 1 : 0);
}

int lowerBoundKey(const Node& node, std::string_view key) {
    int lo = 0, hi = node.count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (compareKeys(node.key(mid), key) < 0) lo = mid + 1; else hi = mid;
    }
    return lo;
}

int lowerBoundEntry(const Node& node, std::string_view key, uint32_t recno) {
    int lo = 0, hi = node.count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (compareEntry(node, mid, key, recno) < 0) lo = mid + 1; else hi = mid;
    }
    return lo;
}

bool isPlainText(std::string_view key) {
    return std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool startsWithTextFunction(const std::string& expression) {
    static const char* const kFunctions[] = {"UPPER(", "LOWER(", "STR(",  "DTOS(", "ALLTRIM(", "LTRIM(",
                                             "RTRIM(", "TRIM(",  "SUBSTR(", "LEFT(", "RIGHT("};
    const std::string text = upper(expression);
    for (const char* f : kFunctions) {
        if (text.rfind(f, 0) == 0) return true;
    }
    return false;
}

}  // namespace

class TagImpl;

struct CompoundIndex::Impl {
    std::unique_ptr<File> file;
    uint64_t fileSize = 0;
    uint32_t changeCounter = 0;
    uint32_t freeHead = 0;
    std::vector<std::unique_ptr<IndexTag>> tags;
    std::unique_ptr<IndexTag> directory;  // a leaf of tag names and header offsets
    std::unordered_map<uint32_t, NodePtr> cache;

    std::string where() const { return file->path(); }

    Status checkPageOffset(uint32_t offset, const std::string& what) const {
        if (offset % cdx::kPageSize != 0 || offset < cdx::kHeaderSize || offset + cdx::kPageSize > fileSize) {
            return Status::error(what + " at " + hex(offset) + " lies outside the file's " +
                                 std::to_string(fileSize / cdx::kPageSize) + " pages");
        }
        return Status::ok();
    }

    Result<NodePtr> loadNode(uint32_t offset, int keyLength, char pad) {
        if (auto it = cache.find(offset); it != cache.end()) {
            if (it->second->keyLength != keyLength) {
                return Status::error("page at " + hex(offset) + " is shared by tags of different key lengths");
            }
            return it->second;
        }
        ZX_TRY(checkPageOffset(offset, "page"));
        Page page;
        ZX_TRY(file->readAt(offset, page.data(), page.size()));
        auto node = cdx::decodeNode(page, offset, keyLength, pad);
        if (!node) return node.status();
        if (cache.size() >= kMaxCachedNodes) cache.clear();
        auto shared = std::make_shared<const Node>(std::move(node).value());
        cache[offset] = shared;
        return shared;
    }

    Status storeNode(const Node& node, char pad) {
        auto page = cdx::encodeNode(node, pad);
        if (!page) return Status::error("page at " + hex(node.offset) + " overflows");
        ZX_TRY(file->writeAt(node.offset, page->data(), page->size()));
        fileSize = std::max<uint64_t>(fileSize, node.offset + cdx::kPageSize);
        if (cache.size() >= kMaxCachedNodes) cache.clear();
        cache[node.offset] = std::make_shared<const Node>(node);
        return Status::ok();
    }

    Status writeU32(uint64_t offset, uint32_t value) {
        uint8_t bytes[4];
        putU32(bytes, value);
        return file->writeAt(offset, bytes, 4);
    }

    Result<uint32_t> allocatePage() {
        if (freeHead != 0 && freeHead != cdx::kNoPage) {
            ZX_TRY(checkPageOffset(freeHead, "free page"));
            uint8_t bytes[4];
            ZX_TRY(file->readAt(freeHead, bytes, 4));
            const uint32_t page = freeHead;
            const uint32_t next = getU32(bytes);
            if (next == page) return Status::error("free page list loops at " + hex(page));
            freeHead = next;
            ZX_TRY(writeU32(cdx::header::kFreeList, freeHead));
            cache.erase(page);
            return page;
        }
        const uint64_t end = (fileSize + cdx::kPageSize - 1) / cdx::kPageSize * cdx::kPageSize;
        if (end + cdx::kPageSize > 0xFFFFFFFFull) return Status::error("index file is full (4 GB)");
        fileSize = end + cdx::kPageSize;
        return static_cast<uint32_t>(end);
    }

    Status freePage(uint32_t offset) {
        Page page{};
        putU32(page.data(), freeHead == cdx::kNoPage ? 0 : freeHead);
        ZX_TRY(file->writeAt(offset, page.data(), page.size()));
        cache.erase(offset);
        freeHead = offset;
        return writeU32(cdx::header::kFreeList, freeHead);
    }

    Status bumpChangeCounter() {
        ++changeCounter;
        return writeU32(cdx::header::kChangeCounter, changeCounter);
    }

    // Follows the free list once at open so a loop or a wild pointer is
    // found before a page is handed out twice.
    Status checkFreeList() {
        uint32_t offset = freeHead;
        for (uint64_t steps = 0; offset != 0 && offset != cdx::kNoPage; ++steps) {
            if (steps > fileSize / cdx::kPageSize) return Status::error("free page list loops");
            ZX_TRY(checkPageOffset(offset, "free page"));
            uint8_t bytes[4];
            ZX_TRY(file->readAt(offset, bytes, 4));
            offset = getU32(bytes);
        }
        return Status::ok();
    }
};

class TagImpl final : public IndexTag {
public:
    struct Step {
        NodePtr node;
        int index = 0;
    };
    using Path = std::vector<Step>;

    TagImpl(CompoundIndex::Impl& index, std::string name, uint32_t headerOffset)
        : index_(index), name_(std::move(name)), headerOffset_(headerOffset) {}

    Status readHeader() {
        uint8_t header[cdx::kHeaderSize];
        if (headerOffset_ % cdx::kPageSize != 0 || headerOffset_ + cdx::kHeaderSize > index_.fileSize) {
            return fail(Status::error("header at " + hex(headerOffset_) + " lies outside the file"));
        }
        ZX_TRY(fail(index_.file->readAt(headerOffset_, header, sizeof header)));
        root_ = getU32(header + cdx::header::kRoot);
        options_ = header[cdx::header::kOptions];
        const int storedLength = getU16(header + cdx::header::kKeyLength);
        nullable_ = options_ & cdx::option::kNullableKeys;
        if (storedLength < 1 + (nullable_ ? 1 : 0) || storedLength > cdx::kMaxKeyLength) {
            return fail(Status::error("key length " + std::to_string(storedLength) + " is impossible"));
        }
        storedKeyLength_ = storedLength;
        descending_ = getU16(header + cdx::header::kDescending) != 0;
        const uint8_t* pool = header + cdx::header::kPool;
        auto poolText = [&](size_t posField, size_t lengthField, size_t fallbackStart) -> Result<std::string> {
            size_t position = getU16(header + posField);
            size_t length = getU16(header + lengthField);
            if (length == 0) {
                position = fallbackStart;
                length = cdx::header::kPoolSize - std::min(fallbackStart, cdx::header::kPoolSize);
            }
            if (position + length > cdx::header::kPoolSize) {
                return Status::error("expression at " + std::to_string(position) + "+" + std::to_string(length) +
                                     " runs past the expression pool");
            }
            const char* start = reinterpret_cast<const char*>(pool + position);
            std::string text(start, strnlen(start, length));
            while (!text.empty() && text.back() == ' ') text.pop_back();
            return text;
        };
        auto key = poolText(cdx::header::kKeyPosition, cdx::header::kKeyLengthInPool, 0);
        if (!key) return fail(key.status());
        keyExpression_ = key.value();
        if (options_ & cdx::option::kForClause || getU16(header + cdx::header::kForLength) > 1) {
            auto filter = poolText(cdx::header::kForPosition, cdx::header::kForLength, keyExpression_.size() + 1);
            if (!filter) return fail(filter.status());
            forExpression_ = filter.value();
        } else {
            forExpression_.clear();
        }
        return Status::ok();
    }

    // A first guess at the key type from the expression and the outermost
    // keys; the table confirms the type with setKeyType().
    void guessKeyType() {
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

    const std::string& name() const override { return name_; }
    const std::string& keyExpression() const override { return keyExpression_; }
    const std::string& forExpression() const override { return forExpression_; }
    int keyLength() const override { return storedKeyLength_ - (nullable_ ? 1 : 0); }
    bool nullableKeys() const override { return nullable_; }
    bool descending() const override { return descending_; }
    bool unique() const override { return options_ & (cdx::option::kUnique | cdx::option::kCandidate); }
    KeyType keyType() const override { return keyType_; }
    void setKeyType(KeyType type) override {
        if (padFor(type) != padFor(keyType_)) index_.cache.clear();
        keyType_ = type;
    }
    uint32_t headerOffset() const { return headerOffset_; }
    void moveHeader(uint32_t offset) { headerOffset_ = offset; }

    Status insert(std::string_view key, uint32_t recno) override {
        const std::string full = fullKey(key);
        auto path = descend([&](const Node& n) { return lowerBoundEntry(n, full, recno); }, true);
        if (!path) return path.status();
        Path& steps = path.value();
        Node leaf = *steps.back().node;
        const int at = lowerBoundEntry(leaf, full, recno);
        if (at < leaf.count() && compareEntry(leaf, at, full, recno) == 0) {
            return fail(Status::error("record " + std::to_string(recno) + " is already in the tag with this key"));
        }
        leaf.insertEntry(at, full, recno);
        ZX_TRY(fail(put(steps, static_cast<int>(steps.size()) - 1, std::move(leaf))));
        return fail(index_.bumpChangeCounter());
    }

    Status remove(std::string_view key, uint32_t recno) override {
        const std::string full = fullKey(key);
        auto path = descend([&](const Node& n) { return lowerBoundEntry(n, full, recno); }, false);
        if (!path) return path.status();
        Path& steps = path.value();
        const NodePtr& found = steps.back().node;
        const int at = found->isLeaf() ? lowerBoundEntry(*found, full, recno) : found->count();
        if (!found->isLeaf() || at >= found->count() || compareEntry(*found, at, full, recno) != 0) {
            return fail(Status::error("record " + std::to_string(recno) + " is not in the tag with this key"));
        }
        Node leaf = *found;
        leaf.eraseEntry(at);
        ZX_TRY(fail(shrink(steps, static_cast<int>(steps.size()) - 1, std::move(leaf))));
        return fail(index_.bumpChangeCounter());
    }

    std::unique_ptr<Cursor> cursor() override;

    Result<std::vector<KeyEntry>> entries() override {
        std::vector<KeyEntry> out;
        auto c = cursor();
        for (auto more = c->first();; more = c->next()) {
            if (!more) return more.status();
            if (!more.value()) break;
            out.push_back({std::string(c->key()), c->recno()});
        }
        return out;
    }

    // The key as stored: the null marker of a nullable tag, then the key
    // blank- or zero-padded (or cut) to the key length.
    std::string fullKey(std::string_view key) const {
        std::string full;
        full.reserve(storedKeyLength_);
        if (nullable_) full.push_back(static_cast<char>(cdx::kNotNullMarker));
        full.append(key.substr(0, keyLength()));
        full.resize(storedKeyLength_, pad());
        return full;
    }

    char pad() const { return padFor(keyType_); }

    // A walk that visits more leaves than the file has pages is going round.
    uint64_t pageLimit() const { return index_.fileSize / cdx::kPageSize + 1; }

    Status fail(const Status& status) const {
        if (status.isOk()) return status;
        return status.withContext(index_.where() + ": tag " + name_);
    }

    Result<NodePtr> load(uint32_t offset) {
        auto node = index_.loadNode(offset, storedKeyLength_, pad());
        if (!node) return fail(node.status());
        return node;
    }

    Result<NodePtr> loadLeaf(uint32_t offset) {
        auto node = load(offset);
        if (node && !node.value()->isLeaf()) {
            return fail(Status::error("sibling page at " + hex(offset) + " of a leaf is not a leaf"));
        }
        return node;
    }

    // Walks from the root, taking at each interior node the child `choose`
    // names (its count meaning "after every key"). With `clamp`, such a walk
    // goes on into the last child; without, the path ends at that node.
    template <typename Choose>
    Result<Path> descend(Choose choose, bool clamp) {
        Path path;
        uint32_t offset = root_;
        for (int depth = 0;; ++depth) {
            if (depth > cdx::kMaxTreeDepth) {
                return fail(Status::error("tree is deeper than " + std::to_string(cdx::kMaxTreeDepth) +
                                          " levels: its pages form a cycle"));
            }
            auto node = load(offset);
            if (!node) return node.status();
            const NodePtr& n = node.value();
            if (n->isLeaf()) {
                path.push_back({n, 0});
                return path;
            }
            if (n->count() == 0) return fail(Status::error("interior page at " + hex(offset) + " holds no keys"));
            int i = choose(*n);
            if (i >= n->count()) {
                if (!clamp) {
                    path.push_back({n, n->count()});
                    return path;
                }
                i = n->count() - 1;
            }
            path.push_back({n, i});
            offset = n->children[i];
        }
    }

private:
    // Writes `node` (at depth `level` of `path`), splitting it when it does
    // not fit and carrying the change of its greatest key up the tree.
    Status put(Path& path, int level, Node node) {
        if (cdx::encodeNode(node, pad())) {
            ZX_TRY(index_.storeNode(node, pad()));
            return raiseSeparator(path, level, node);
        }
        if (node.count() < 2) return Status::error("a single key does not fit in page " + hex(node.offset));
        const int split = splitPoint(node);
        Node left = node.slice(0, split);
        Node right = node.slice(split, node.count());
        left.attributes &= static_cast<uint16_t>(~cdx::node::kRootBit);
        right.attributes = left.attributes;
        auto newPage = index_.allocatePage();
        if (!newPage) return newPage.status();
        right.offset = newPage.value();
        right.left = left.offset;
        right.right = node.right;
        left.right = right.offset;
        if (node.right != cdx::kNoPage) {
            auto neighbour = load(node.right);
            if (!neighbour) return neighbour.status();
            Node updated = *neighbour.value();
            updated.left = right.offset;
            ZX_TRY(index_.storeNode(updated, pad()));
        }
        ZX_TRY(index_.storeNode(left, pad()));
        ZX_TRY(index_.storeNode(right, pad()));
        if (level == 0) {
            Node root;
            root.keyLength = storedKeyLength_;
            root.attributes = cdx::node::kRootBit;
            auto rootPage = index_.allocatePage();
            if (!rootPage) return rootPage.status();
            root.offset = rootPage.value();
            root.insertEntry(0, left.key(left.count() - 1), left.recnos.back(), left.offset);
            root.insertEntry(1, right.key(right.count() - 1), right.recnos.back(), right.offset);
            ZX_TRY(index_.storeNode(root, pad()));
            return setRoot(root.offset);
        }
        Step& parentStep = path[level - 1];
        Node parent = *parentStep.node;
        parent.setKey(parentStep.index, left.key(left.count() - 1));
        parent.recnos[parentStep.index] = left.recnos.back();
        parent.insertEntry(parentStep.index + 1, right.key(right.count() - 1), right.recnos.back(), right.offset);
        return put(path, level - 1, std::move(parent));
    }

    // Where to split a node that overflows so both halves fit.
    int splitPoint(const Node& node) const {
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

    // After `node` was written: if its greatest entry changed, so must the
    // separator that stands for it in its parent (and so on upward).
    Status raiseSeparator(Path& path, int level, const Node& node) {
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
        ZX_TRY(index_.storeNode(parent, pad()));
        return raiseSeparator(path, level - 1, parent);
    }

    // Writes `node` after a removal: an emptied page leaves the tree and the
    // free list takes it; a root left with one child hands over to it.
    Status shrink(Path& path, int level, Node node) {
        if (level == 0) {
            for (int depth = 0; !node.isLeaf() && node.count() == 1; ++depth) {
                if (node.children[0] == node.offset || depth > cdx::kMaxTreeDepth) {
                    return Status::error("interior page at " + hex(node.offset) + " is its own child");
                }
                auto child = load(node.children[0]);
                if (!child) return child.status();
                Node promoted = *child.value();
                promoted.attributes |= cdx::node::kRootBit;
                promoted.left = promoted.right = cdx::kNoPage;
                ZX_TRY(index_.storeNode(promoted, pad()));
                ZX_TRY(setRoot(promoted.offset));
                ZX_TRY(index_.freePage(node.offset));
                node = std::move(promoted);
            }
            if (!node.isLeaf() && node.count() == 0) {
                node.attributes = cdx::node::kRootBit | cdx::node::kLeafBit;
                node.children.clear();
            }
            return index_.storeNode(node, pad());
        }
        if (node.count() > 0) {
            ZX_TRY(index_.storeNode(node, pad()));
            return raiseSeparator(path, level, node);
        }
        if (node.left != cdx::kNoPage) ZX_TRY(relink(node.left, false, node.right));
        if (node.right != cdx::kNoPage) ZX_TRY(relink(node.right, true, node.left));
        ZX_TRY(index_.freePage(node.offset));
        Step& parentStep = path[level - 1];
        Node parent = *parentStep.node;
        parent.eraseEntry(parentStep.index);
        return shrink(path, level - 1, std::move(parent));
    }

    Status relink(uint32_t offset, bool leftPointer, uint32_t target) {
        auto neighbour = load(offset);
        if (!neighbour) return neighbour.status();
        Node updated = *neighbour.value();
        (leftPointer ? updated.left : updated.right) = target;
        return index_.storeNode(updated, pad());
    }

    Status setRoot(uint32_t offset) {
        root_ = offset;
        return index_.writeU32(headerOffset_ + cdx::header::kRoot, offset);
    }

    CompoundIndex::Impl& index_;
    std::string name_;
    uint32_t headerOffset_ = 0;
    uint32_t root_ = 0;
    int storedKeyLength_ = 0;
    uint8_t options_ = 0;
    bool nullable_ = false;
    bool descending_ = false;
    KeyType keyType_ = KeyType::Character;
    std::string keyExpression_;
    std::string forExpression_;
};

namespace {

class TagCursor final : public IndexTag::Cursor {
public:
    explicit TagCursor(TagImpl& tag) : tag_(tag) {}

    Result<bool> first() override {
        return enter([](const Node&) { return 0; }, [](const Node&) { return 0; }, true);
    }
    Result<bool> last() override {
        return enter([](const Node& n) { return n.count() - 1; }, [](const Node& n) { return n.count() - 1; },
                     false);
    }
    Result<bool> next() override {
        if (state_ == State::Before) return first();
        if (state_ == State::After) return false;
        ++index_;
        return settle(true);
    }
    Result<bool> prev() override {
        if (state_ == State::After) return last();
        if (state_ == State::Before) return false;
        --index_;
        return settle(false);
    }
    Result<bool> seek(std::string_view key) override {
        const std::string full = tag_.fullKey(key);
        auto choose = [&](const Node& n) { return lowerBoundKey(n, full); };
        return enter(choose, choose, true);
    }
    Result<bool> find(std::string_view key, uint32_t recno) override {
        const std::string full = tag_.fullKey(key);
        auto choose = [&](const Node& n) { return lowerBoundEntry(n, full, recno); };
        auto exact = enter(choose, choose, true);
        if (!exact) return exact;
        if (exact.value() && current() == full && leaf_->recnos[index_] == recno) return true;
        // A foreign writer may order the separators of equal keys differently:
        // look through the run of equal keys.
        auto positioned = seek(key);
        while (positioned && positioned.value() && current() == full) {
            if (leaf_->recnos[index_] == recno) return true;
            positioned = next();
        }
        if (!positioned) return positioned;
        return false;
    }
    std::string_view key() const override { return current().substr(tag_.nullableKeys() ? 1 : 0); }
    bool keyIsNull() const override {
        return tag_.nullableKeys() && static_cast<uint8_t>(current()[0]) == cdx::kNullMarker;
    }
    uint32_t recno() const override { return state_ == State::On ? leaf_->recnos[index_] : 0; }

private:
    enum class State { Before, On, After };

    std::string_view current() const { return state_ == State::On ? leaf_->key(index_) : std::string_view(); }

    template <typename Choose, typename Place>
    Result<bool> enter(Choose choose, Place place, bool forward) {
        hops_ = 0;
        auto path = tag_.descend(choose, false);
        if (!path) return path.status();
        const NodePtr& node = path.value().back().node;
        if (!node->isLeaf()) {  // every key is smaller
            leaf_.reset();
            state_ = State::After;
            return false;
        }
        leaf_ = node;
        index_ = leaf_->count() == 0 ? (forward ? 0 : -1) : std::min(place(*leaf_), leaf_->count());
        return settle(forward);
    }

    // Moves across leaves until the position is on an entry or off an end.
    Result<bool> settle(bool forward) {
        while (index_ < 0 || index_ >= leaf_->count()) {
            const uint32_t sibling = forward ? leaf_->right : leaf_->left;
            if (sibling == cdx::kNoPage) {
                state_ = forward ? State::After : State::Before;
                return false;
            }
            if (++hops_ > tag_.pageLimit()) {
                return tag_.fail(Status::error("leaf chain loops at page " + hex(sibling)));
            }
            auto next = tag_.loadLeaf(sibling);
            if (!next) {
                state_ = State::After;
                return next.status();
            }
            leaf_ = next.value();
            index_ = forward ? 0 : leaf_->count() - 1;
        }
        state_ = State::On;
        return true;
    }

    TagImpl& tag_;
    NodePtr leaf_;
    int index_ = 0;
    uint64_t hops_ = 0;
    State state_ = State::Before;
};

}  // namespace

std::unique_ptr<IndexTag::Cursor> TagImpl::cursor() { return std::make_unique<TagCursor>(*this); }

namespace {

std::string trimName(std::string_view key) {
    size_t end = key.size();
    while (end > 0 && (key[end - 1] == ' ' || key[end - 1] == '\0')) --end;
    return std::string(key.substr(0, end));
}

// Reads the header fields every open and refresh needs.
Status readIndexHeader(CompoundIndex::Impl& impl) {
    auto size = impl.file->size();
    if (!size) return size.status();
    impl.fileSize = size.value();
    if (impl.fileSize < cdx::kHeaderSize + cdx::kPageSize) {
        return Status::error(impl.where() + ": too short for a compound index (" + std::to_string(impl.fileSize) +
                             " bytes)");
    }
    uint8_t bytes[12];
    ZX_TRY(impl.file->readAt(0, bytes, sizeof bytes));
    impl.freeHead = getU32(bytes + cdx::header::kFreeList);
    impl.changeCounter = getU32(bytes + cdx::header::kChangeCounter);
    return Status::ok();
}

Status readDirectory(CompoundIndex::Impl& impl) {
    auto directory = std::make_unique<TagImpl>(impl, "(tag directory)", 0);
    ZX_TRY(directory->readHeader());
    auto names = directory->entries();
    if (!names) return names.status();
    std::vector<std::unique_ptr<TagImpl>> tags;
    for (const KeyEntry& entry : names.value()) {
        std::string name = trimName(entry.key);
        if (name.empty()) return Status::error(impl.where() + ": tag directory holds a nameless tag");
        if (entry.recno < cdx::kHeaderSize) {
            return Status::error(impl.where() + ": tag " + name + ": header at " + hex(entry.recno) +
                                 " overlaps the tag directory");
        }
        auto tag = std::make_unique<TagImpl>(impl, std::move(name), entry.recno);
        ZX_TRY(tag->readHeader());
        tags.push_back(std::move(tag));
    }
    // Creation order, as FoxPro lists a table's tags.
    std::stable_sort(tags.begin(), tags.end(),
                     [](const auto& a, const auto& b) { return a->headerOffset() < b->headerOffset(); });
    impl.tags.clear();
    for (auto& tag : tags) {
        tag->guessKeyType();
        impl.tags.push_back(std::move(tag));
    }
    impl.directory = std::move(directory);
    return Status::ok();
}

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
                    const std::string& keyExpression, const std::string& forExpression, bool descending) {
    uint8_t* h = image.at(at);
    putU32(h + cdx::header::kRoot, root);
    putU16(h + cdx::header::kKeyLength, static_cast<uint16_t>(keyLength));
    h[cdx::header::kOptions] = options;
    h[cdx::header::kSignature] = cdx::kSignatureByte;
    putU16(h + cdx::header::kHeaderLength, static_cast<uint16_t>(cdx::kHeaderSize));
    putU16(h + cdx::header::kPageLength, static_cast<uint16_t>(cdx::kPageSize));
    putU16(h + cdx::header::kDescending, descending ? 1 : 0);
    const uint16_t keySize = static_cast<uint16_t>(keyExpression.size() + 1);
    putU16(h + cdx::header::kKeyPosition, 0);
    putU16(h + cdx::header::kKeyLengthInPool, keySize);
    putU16(h + cdx::header::kForPosition, keySize);
    putU16(h + cdx::header::kForLength, static_cast<uint16_t>(forExpression.size() + 1));
    std::memcpy(h + cdx::header::kPool, keyExpression.data(), keyExpression.size());
    std::memcpy(h + cdx::header::kPool + keySize, forExpression.data(), forExpression.size());
}

// Lays out one B-tree bottom-up from sorted entries; gives its root offset.
Result<uint32_t> writeTree(ImageWriter& image, const std::vector<KeyEntry>& entries, int keyLength, char pad) {
    struct Built {
        uint32_t offset;
        std::string lastKey;
        uint32_t lastRecno;
    };
    auto linkLevel = [&](std::vector<Node>& level, bool leaves) {
        for (size_t i = 0; i < level.size(); ++i) {
            level[i].left = i == 0 ? cdx::kNoPage : level[i - 1].offset;
            level[i].right = i + 1 == level.size() ? cdx::kNoPage : level[i + 1].offset;
            level[i].attributes = static_cast<uint16_t>((leaves ? cdx::node::kLeafBit : 0) |
                                                        (level.size() == 1 ? cdx::node::kRootBit : 0));
        }
    };
    std::vector<Node> level;
    Node current;
    current.keyLength = keyLength;
    current.attributes = cdx::node::kLeafBit;
    for (const KeyEntry& entry : entries) {
        Node candidate = current;
        candidate.insertEntry(candidate.count(), entry.key, entry.recno);
        if (current.count() > 0 && !cdx::encodeNode(candidate, pad)) {
            level.push_back(std::move(current));
            current = Node();
            current.keyLength = keyLength;
            current.attributes = cdx::node::kLeafBit;
            current.insertEntry(0, entry.key, entry.recno);
        } else {
            current = std::move(candidate);
        }
    }
    level.push_back(std::move(current));
    bool leaves = true;
    for (;;) {
        for (Node& node : level) node.offset = image.reserve(cdx::kPageSize);
        linkLevel(level, leaves);
        std::vector<Built> built;
        for (const Node& node : level) {
            auto page = cdx::encodeNode(node, pad);
            if (!page) return Status::error("a key does not fit in a page");
            image.put(node.offset, *page);
            if (node.count() > 0) {
                built.push_back({node.offset, std::string(node.key(node.count() - 1)), node.recnos.back()});
            }
        }
        if (level.size() == 1) return level.front().offset;
        const int capacity = cdx::interiorCapacity(keyLength);
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

CompoundIndex::CompoundIndex(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CompoundIndex::~CompoundIndex() = default;

Result<std::unique_ptr<CompoundIndex>> CompoundIndex::open(std::unique_ptr<File> file) {
    auto impl = std::make_unique<Impl>();
    impl->file = std::move(file);
    ZX_TRY(readIndexHeader(*impl));
    ZX_TRY(impl->checkFreeList().withContext(impl->where()));
    ZX_TRY(readDirectory(*impl));
    return std::unique_ptr<CompoundIndex>(new CompoundIndex(std::move(impl)));
}

Result<std::unique_ptr<CompoundIndex>> CompoundIndex::build(std::unique_ptr<File> file,
                                                            const std::vector<TagLayout>& tags,
                                                            std::vector<std::vector<KeyEntry>> keys) {
    const std::string where = file->path();
    if (keys.size() != tags.size()) {
        return Status::error(where + ": " + std::to_string(tags.size()) + " tags but " + std::to_string(keys.size()) +
                             " key lists");
    }
    std::vector<std::pair<std::string, size_t>> names;  // upper-case name, tag index
    for (size_t i = 0; i < tags.size(); ++i) {
        const TagLayout& layout = tags[i];
        std::string name = upper(layout.spec.name);
        if (name.empty() || name.size() > static_cast<size_t>(cdx::kTagNameLength) ||
            name.find_first_of(" \0") != std::string::npos) {
            return Status::error(where + ": tag name \"" + layout.spec.name + "\" is not 1 to 10 characters");
        }
        if (layout.keyLength < 1 || layout.keyLength > cdx::kMaxKeyLength) {
            return Status::error(where + ": tag " + name + ": key length " + std::to_string(layout.keyLength) +
                                 " is outside 1 to " + std::to_string(cdx::kMaxKeyLength));
        }
        if (layout.spec.keyExpression.size() + layout.spec.forExpression.size() + 2 > cdx::header::kPoolSize) {
            return Status::error(where + ": tag " + name + ": expressions longer than the header holds");
        }
        for (const auto& [other, _] : names) {
            if (other == name) return Status::error(where + ": tag " + name + " is given twice");
        }
        names.emplace_back(std::move(name), i);
    }
    std::sort(names.begin(), names.end());

    // A rebuild moves the change counter on so other processes drop their caches.
    uint32_t counter = 1;
    if (auto size = file->size(); size && size.value() >= 12) {
        uint8_t bytes[4];
        if (file->readAt(cdx::header::kChangeCounter, bytes, 4)) counter = getU32(bytes) + 1;
    }

    ImageWriter image;
    const uint32_t directoryHeader = image.reserve(cdx::kHeaderSize);
    const uint32_t directoryRoot = image.reserve(cdx::kPageSize);
    Node directory;
    directory.offset = directoryRoot;
    directory.keyLength = cdx::kTagNameLength;
    directory.attributes = cdx::node::kRootBit | cdx::node::kLeafBit;
    std::vector<uint32_t> headers(tags.size());
    for (size_t i = 0; i < tags.size(); ++i) headers[i] = image.reserve(cdx::kHeaderSize);
    for (const auto& [name, i] : names) {
        std::string key = name;
        key.resize(cdx::kTagNameLength, ' ');
        directory.insertEntry(directory.count(), key, headers[i]);
    }
    auto directoryPage = cdx::encodeNode(directory, ' ');
    if (!directoryPage) return Status::error(where + ": too many tags for one index");
    image.put(directoryRoot, *directoryPage);
    writeTagHeader(image, directoryHeader, directoryRoot, cdx::kTagNameLength,
                   cdx::option::kCompact | cdx::option::kCompound | cdx::option::kDirectory, "", "", false);
    putU32(image.at(directoryHeader) + cdx::header::kChangeCounter, counter);

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
        if (!root) return root.status().withContext(where + ": tag " + upper(layout.spec.name));
        uint8_t options = cdx::option::kCompact | cdx::option::kCompound;
        if (!layout.spec.forExpression.empty()) options |= cdx::option::kForClause;
        if (layout.spec.unique) options |= cdx::option::kUnique;
        writeTagHeader(image, headers[i], root.value(), layout.keyLength, options, layout.spec.keyExpression,
                       layout.spec.forExpression, layout.spec.descending);
    }

    ZX_TRY(file->truncate(0));
    ZX_TRY(file->writeAt(0, image.bytes().data(), image.bytes().size()));
    auto index = open(std::move(file));
    if (!index) return index.status();
    for (const TagLayout& layout : tags) {
        if (IndexTag* tag = index.value()->tag(layout.spec.name)) tag->setKeyType(layout.keyType);
    }
    return index;
}

const std::vector<std::unique_ptr<IndexTag>>& CompoundIndex::tags() const { return impl_->tags; }

IndexTag* CompoundIndex::tag(std::string_view name) const {
    const std::string wanted = upper(name);
    for (const auto& tag : impl_->tags) {
        if (upper(tag->name()) == wanted) return tag.get();
    }
    return nullptr;
}

Result<bool> CompoundIndex::isDirty() {
    char mark[4];
    ZX_TRY(impl_->file->readAt(cdx::header::kDirtyMark, mark, sizeof mark));
    return std::memcmp(mark, cdx::header::kDirtyMagic, sizeof mark) == 0;
}

Status CompoundIndex::setDirty(bool dirty) {
    char mark[4] = {0, 0, 0, 0};
    if (dirty) std::memcpy(mark, cdx::header::kDirtyMagic, sizeof mark);
    return impl_->file->writeAt(cdx::header::kDirtyMark, mark, sizeof mark);
}

Status CompoundIndex::refresh() {
    const uint32_t knownCounter = impl_->changeCounter;
    ZX_TRY(readIndexHeader(*impl_));
    if (impl_->changeCounter == knownCounter) return Status::ok();
    impl_->cache.clear();
    // Another process may have rebuilt the file: find each tag's header anew.
    auto directory = std::make_unique<TagImpl>(*impl_, "(tag directory)", 0);
    ZX_TRY(directory->readHeader());
    auto names = directory->entries();
    if (!names) return names.status();
    for (const auto& tag : impl_->tags) {
        auto* impl = static_cast<TagImpl*>(tag.get());
        auto entry = std::find_if(names->begin(), names->end(),
                                  [&](const KeyEntry& e) { return upper(trimName(e.key)) == upper(impl->name()); });
        if (entry == names->end()) {
            return Status::error(impl_->where() + ": tag " + impl->name() + " is no longer in the index");
        }
        impl->moveHeader(entry->recno);
        ZX_TRY(impl->readHeader());
    }
    impl_->directory = std::move(directory);
    return Status::ok();
}

File& CompoundIndex::file() { return *impl_->file; }

}  // namespace zentrix::xbase
