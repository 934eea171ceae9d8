#include "xbase/cdx_tag_cursor.h"

namespace zentrix::xbase::cdx {

Result<bool> TagCursor::first() {
    return enter([](const Node&) { return 0; }, [](const Node&) { return 0; }, true);
}

Result<bool> TagCursor::last() {
    return enter([](const Node& n) { return n.count() - 1; },
                 [](const Node& n) { return n.count() - 1; }, false);
}

Result<bool> TagCursor::next() {
    if (state_ == State::Before) return first();
    if (state_ == State::After) return false;
    ++index_;
    return settle(true);
}

Result<bool> TagCursor::prev() {
    if (state_ == State::After) return last();
    if (state_ == State::Before) return false;
    --index_;
    return settle(false);
}

Result<bool> TagCursor::seek(std::string_view key) {
    const std::string full = tag_.fullKey(key);
    auto choose = [&](const Node& n) { return lowerBoundKey(n, full); };
    return enter(choose, choose, true);
}

Result<bool> TagCursor::find(std::string_view key, uint32_t recno) {
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

bool TagCursor::keyIsNull() const {
    return tag_.nullableKeys() && static_cast<uint8_t>(current()[0]) == cdx::kNullMarker;
}

Result<bool> TagCursor::settle(bool forward) {
    while (index_ < 0 || index_ >= leaf_->count()) {
        const uint32_t sibling = forward ? leaf_->right : leaf_->left;
        if (sibling == cdx::kNoPage) {
            state_ = forward ? State::After : State::Before;
            return false;
        }
        if (++hops_ > tag_.pageLimit()) {
            return tag_.fail(Status::error("leaf chain loops at page " + hexOffset(sibling)));
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

}  // namespace zentrix::xbase::cdx
