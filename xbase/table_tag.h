#pragma once

// A tag as the table sees it: the index's B-tree plus the compiled key and
// FOR expressions that say which key each record gets.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xbase/compound_index.h"
#include "xbase/expression.h"
#include "xbase/table.h"

namespace zentrix::xbase {

class TableTag : public Tag {
public:
    // Compiles the tag's expressions against `fields`; a failure leaves the
    // tag unusable with the reason in problem().
    // `nullFlagsOffset` is where VFP's _NullFlags stand in the record (-1: none).
    TableTag(IndexTag& index, const std::vector<FieldDescriptor>& fields, int nullFlagsOffset = -1);

    const std::string& name() const override { return name_; }
    const std::string& keyExpression() const override { return keyExpression_; }
    const std::string& forExpression() const override { return forExpression_; }
    int keyLength() const override { return keyLength_; }
    bool usable() const override { return problem_.empty(); }
    const std::string& problem() const override { return problem_; }

    IndexTag& index() { return *index_; }
    void rebind(IndexTag& index) { index_ = &index; }
    KeyType keyType() const { return keyType_; }
    TagLayout layout() const;

    // The record's key, or nothing when the FOR expression leaves it out.
    std::optional<std::string> keyFor(std::string_view record) const;
    // The record's key whatever the FOR expression says (where it would stand).
    std::string placeOf(std::string_view record) const;
    // The key a seek of `text` or `number` looks for (character keys padded).
    std::string seekKey(std::string_view text) const;
    std::string seekKey(double number) const;

private:
    IndexTag* index_;
    // Copies, so the tag stays describable while its index is being rebuilt.
    std::string name_, keyExpression_, forExpression_;
    int keyLength_ = 0;
    bool unique_ = false, descending_ = false;
    std::optional<Expression> key_;
    std::optional<Expression> filter_;
    KeyType keyType_ = KeyType::Character;
    std::string problem_;
    // A key that is one nullable field is null when the field is: VFP then
    // stores zero bytes behind its null marker.
    int nullByte_ = -1;
    uint8_t nullMask_ = 0;
};

}  // namespace zentrix::xbase
