#include "xbase/table_tag.h"

#include "xbase/field_codec.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase {

TableTag::TableTag(IndexTag& index, const std::vector<FieldDescriptor>& fields) : index_(&index) {
    auto key = Expression::compile(index.keyExpression(), fields);
    if (!key) {
        problem_ = "tag " + index.name() + ": " + key.message();
        return;
    }
    key_ = std::move(key.value());
    if (!index.forExpression().empty()) {
        auto filter = Expression::compile(index.forExpression(), fields);
        if (!filter) {
            problem_ = "tag " + index.name() + ": " + filter.message();
            return;
        }
        if (filter->resultKind() != Value::Kind::Logical) {
            problem_ = "tag " + index.name() + ": FOR expression \"" + index.forExpression() + "\" is not logical";
            return;
        }
        filter_ = std::move(filter.value());
    }
    keyType_ = keyTypeFor(*key_);
    const int expected = keyType_ == KeyType::Character ? index.keyLength() : keyLengthFor(*key_);
    if (expected != index.keyLength()) {
        problem_ = "tag " + index.name() + ": key \"" + index.keyExpression() + "\" gives " +
                   std::to_string(expected) + " bytes but the index holds " + std::to_string(index.keyLength());
        return;
    }
    index.setKeyType(keyType_);
}

TagLayout TableTag::layout() const {
    TagLayout layout;
    layout.spec.name = index_->name();
    layout.spec.keyExpression = index_->keyExpression();
    layout.spec.forExpression = index_->forExpression();
    layout.spec.unique = index_->unique();
    layout.spec.descending = index_->descending();
    layout.keyType = keyType_;
    layout.keyLength = index_->keyLength();
    return layout;
}

std::optional<std::string> TableTag::keyFor(std::string_view record) const {
    if (!key_) return std::nullopt;
    if (filter_ && !filter_->evaluate(record).logical) return std::nullopt;
    return encodeKey(key_->evaluate(record), keyType_, index_->keyLength());
}

std::string TableTag::seekKey(std::string_view text) const {
    if (keyType_ == KeyType::Character) {
        std::string key(text.substr(0, size_t(index_->keyLength())));
        key.resize(size_t(index_->keyLength()), ' ');
        return key;
    }
    return seekKey(FieldCodec::parseNumber(text));
}

std::string TableTag::seekKey(double number) const {
    switch (keyType_) {
        case KeyType::Integer:
            return encodeIntegerKey(int32_t(number));
        case KeyType::Numeric:
        case KeyType::Date:
            return encodeNumberKey(number);
        default: {
            Value v;
            v.kind = Value::Kind::Numeric;
            v.number = number;
            return encodeKey(v, keyType_, index_->keyLength());
        }
    }
}

}  // namespace zentrix::xbase
