#pragma once

// One tag of a compound index: its header (expressions, key length, options)
// and its B-tree, read and updated through the index's page store.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx_page_store.h"
#include "xbase/compound_index.h"

namespace zentrix::xbase::cdx {

// The byte compressed trailing bytes stand for in keys of this type.
char padFor(KeyType type);

class Tag final : public IndexTag {
public:
    struct Step {
        NodePtr node;
        int index = 0;
    };
    using Path = std::vector<Step>;

    Tag(PageStore& pages, std::string name, uint32_t headerOffset)
        : pages_(pages), name_(std::move(name)), headerOffset_(headerOffset) {}

    // Reads (again) the header at the tag's header offset.
    Status readHeader();

    // A first guess at the key type from the expression and the outermost
    // keys; the table confirms the type with setKeyType().
    void guessKeyType();

    const std::string& name() const override { return name_; }
    const std::string& keyExpression() const override { return keyExpression_; }
    const std::string& forExpression() const override { return forExpression_; }
    int keyLength() const override { return storedKeyLength_ - (nullable_ ? 1 : 0); }
    bool nullableKeys() const override { return nullable_; }
    bool descending() const override { return descending_; }
    bool unique() const override {
        return options_ & (cdx::option::kUnique | cdx::option::kCandidate);
    }
    KeyType keyType() const override { return keyType_; }
    void setKeyType(KeyType type) override;
    uint32_t headerOffset() const { return headerOffset_; }
    void moveHeader(uint32_t offset) {
        headerOffset_ = offset;
    }  // after another process rebuilt the file

    Status insert(std::string_view key, uint32_t recno) override;
    Status remove(std::string_view key, uint32_t recno) override;
    std::unique_ptr<Cursor> cursor() override;
    Result<std::vector<KeyEntry>> entries() override;

    // The key as stored: the null marker of a nullable tag, then the key
    // blank- or zero-padded (or cut) to the key length.
    std::string fullKey(std::string_view key) const;

    char pad() const { return padFor(keyType_); }

    // A walk that visits more leaves than the file has pages is going round.
    uint64_t pageLimit() const { return pages_.pageCount() + 1; }

    // Adds the file and tag to an error.
    Status fail(const Status& status) const;
    Result<NodePtr> load(uint32_t offset);
    Result<NodePtr> loadLeaf(uint32_t offset);  // a sibling, which must be a leaf

    // Walks from the root, taking at each interior node the child `choose`
    // names (its count meaning "after every key"). With `clamp`, such a walk
    // goes on into the last child; without, the path ends at that node.
    template <typename Choose>
    Result<Path> descend(Choose choose, bool clamp) {
        Path path;
        uint32_t offset = root_;
        for (int depth = 0;; ++depth) {
            if (depth > cdx::kMaxTreeDepth) {
                return fail(Status::error("tree is deeper than " +
                                          std::to_string(cdx::kMaxTreeDepth) +
                                          " levels: its pages form a cycle"));
            }
            ZX_TRY_ASSIGN(auto node, load(offset));
            const NodePtr& n = node;
            if (n->isLeaf()) {
                path.push_back({n, 0});
                return path;
            }
            if (n->count() == 0)
                return fail(
                    Status::error("interior page at " + hexOffset(offset) + " holds no keys"));
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
    Status put(Path& path, int level, Node node);

    // Where to split a node that overflows so both halves fit.
    int splitPoint(const Node& node) const;

    // After `node` was written: if its greatest entry changed, so must the
    // separator that stands for it in its parent (and so on upward).
    Status raiseSeparator(Path& path, int level, const Node& node);

    // Writes `node` after a removal: an emptied page leaves the tree and the
    // free list takes it; a root left with one child hands over to it.
    Status shrink(Path& path, int level, Node node);
    // Folds a thinned leaf and a sibling under the same parent into one page
    // when they fit with room to spare; true when it did.
    Result<bool> mergeWithNeighbour(Path& path, int level, const Node& node);
    Result<bool> mergePair(Path& path, int level, const Node& left, const Node& right,
                           int leftIndex);

    Status relink(uint32_t offset, bool leftPointer, uint32_t target);

    Status setRoot(uint32_t offset);

    PageStore& pages_;
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

}  // namespace zentrix::xbase::cdx
