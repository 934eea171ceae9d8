#pragma once

// Walks one tag's leaves in key order, both ways, and seeks.

#include <algorithm>

#include "xbase/cdx_tag.h"

namespace zentrix::xbase::cdx {

class TagCursor final : public IndexTag::Cursor {
public:
    explicit TagCursor(Tag& tag) : tag_(tag) {}

    Result<bool> first() override;
    Result<bool> last() override;
    Result<bool> next() override;
    Result<bool> prev() override;
    Result<bool> seek(std::string_view key) override;
    Result<bool> find(std::string_view key, uint32_t recno) override;
    std::string_view key() const override { return current().substr(tag_.nullableKeys() ? 1 : 0); }
    bool keyIsNull() const override;
    uint32_t recno() const override { return state_ == State::On ? leaf_->recnos[index_] : 0; }

private:
    enum class State { Before, On, After };

    std::string_view current() const {
        return state_ == State::On ? leaf_->key(index_) : std::string_view();
    }

    template <typename Choose, typename Place>
    Result<bool> enter(Choose choose, Place place, bool forward) {
        hops_ = 0;
        ZX_TRY_ASSIGN(auto path, tag_.descend(choose, false));
        const NodePtr& node = path.back().node;
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
    Result<bool> settle(bool forward);

    Tag& tag_;
    NodePtr leaf_;
    int index_ = 0;
    uint64_t hops_ = 0;
    State state_ = State::Before;
};

}  // namespace zentrix::xbase::cdx
