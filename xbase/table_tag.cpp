#include "xbase/table_tag.h"

#include <cctype>

#include "base/ascii_text.h"
#include "xbase/field_codec.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase {

TableTag::TableTag(IndexTag& index, const std::vector<FieldDescriptor>& fields, int nullFlagsOffset)
    : index_(&index),
      name_(index.name()),
      keyExpression_(index.keyExpression()),
      forExpression_(index.forExpression()),
      keyLength_(index.keyLength()),
      unique_(index.unique()),
      descending_(index.descending()) {
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
            problem_ = "tag " + index.name() + ": FOR expression \"" + index.forExpression() +
                       "\" is not logical";
            return;
        }
        filter_ = std::move(filter.value());
    }
    keyType_ = keyTypeFor(*key_);
    const int expected = keyType_ == KeyType::Character ? index.keyLength() : keyLengthFor(*key_);
    if (expected != index.keyLength()) {
        problem_ = "tag " + index.name() + ": key \"" + index.keyExpression() + "\" gives " +
                   std::to_string(expected) + " bytes but the index holds " +
                   std::to_string(index.keyLength());
        return;
    }
    if (index.nullableKeys() && nullFlagsOffset >= 0) {
        const std::string name =
            base::ascii::upper(base::ascii::trimmedView(keyExpression_, base::ascii::kBlank));
        for (const auto& f : fields) {
            if (f.name == name.substr(0, 10) && f.nullable && f.nullBit >= 0) {
                nullByte_ = nullFlagsOffset + f.nullBit / 8;
                nullMask_ = uint8_t(1u << (f.nullBit % 8));
            }
        }
    }
    // The index guessed the type from the keys it holds; the expression knows.
    index.setKeyType(keyType_);
}

TagLayout TableTag::layout() const {
    TagLayout layout;
    layout.spec.name = name_;
    layout.spec.keyExpression = keyExpression_;
    layout.spec.forExpression = forExpression_;
    layout.spec.unique = unique_;
    layout.spec.descending = descending_;
    layout.keyType = keyType_;
    layout.keyLength = keyLength_;
    return layout;
}

std::optional<std::string> TableTag::keyFor(std::string_view record) const {
    if (!key_) return std::nullopt;
    if (filter_ && !filter_->evaluate(record).logical) return std::nullopt;
    if (nullByte_ >= 0 && size_t(nullByte_) < record.size() &&
        (uint8_t(record[size_t(nullByte_)]) & nullMask_))
        return std::string(size_t(keyLength_), '\0');
    return encodeKey(key_->evaluate(record), keyType_, keyLength_);
}

std::string TableTag::placeOf(std::string_view record) const {
    if (!key_) return std::string();
    return encodeKey(key_->evaluate(record), keyType_, keyLength_);
}

std::string TableTag::seekKey(std::string_view text) const {
    if (keyType_ == KeyType::Character) {
        std::string key(text.substr(0, size_t(keyLength_)));
        key.resize(size_t(keyLength_), ' ');
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
            return encodeKey(v, keyType_, keyLength_);
        }
    }
}

}  // namespace zentrix::xbase
