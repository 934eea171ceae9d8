#include "xbase/expression.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/ascii_text.h"
#include "base/windows1252.h"
#include "xbase/expression_functions.h"

namespace zentrix::xbase {

using Kind = Value::Kind;

struct Expression::Node {
    enum class Op {
        Field,
        Constant,
        Deleted,
        Not,
        And,
        Or,
        Compare,
        Concat,
        TrimConcat,
        Add,
        Subtract,
        Negate,
        Upper,
        Lower,
        Str,
        AllTrim,
        LeftTrim,
        RightTrim,
        Val,
        Substr,
        Left,
        Right,
        Dtos
    };
    enum class Comparison { Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    Op op = Op::Constant;
    Kind kind = Kind::Character;
    int width = 0;  // character results: the widest text it can give
    Comparison comparison = Comparison::Equal;
    FieldDescriptor field;
    Value constant;
    std::vector<std::shared_ptr<const Node>> args;

    Value evaluate(std::string_view record) const;
};

namespace {

using NodePtr = std::shared_ptr<const Expression::Node>;
using Node = Expression::Node;
using Op = Node::Op;

int64_t readLittleEndian(const char* p, int bytes) {
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    if (bytes < 8 && (v >> (bytes * 8 - 1)) & 1) v |= ~0ull << (bytes * 8);  // sign-extend
    return static_cast<int64_t>(v);
}

Value readField(const FieldDescriptor& field, std::string_view record) {
    Value value;
    if (field.offset < 0 || field.length < 0 ||
        static_cast<size_t>(field.offset) + static_cast<size_t>(field.length) > record.size()) {
        value.kind = Kind::Character;
        value.text.assign(static_cast<size_t>(std::max(field.length, 0)), ' ');
        return value;
    }
    const std::string_view raw = record.substr(field.offset, field.length);
    switch (field.type) {
        case FieldType::Numeric:
        case FieldType::Float:
            value.kind = Kind::Numeric;
            value.number = expr::parseNumber(raw);
            break;
        case FieldType::Integer:
            value.kind = Kind::Numeric;
            if (raw.size() >= 4)
                value.number =
                    static_cast<double>(static_cast<int32_t>(readLittleEndian(raw.data(), 4)));
            break;
        case FieldType::Double:
            value.kind = Kind::Numeric;
            if (raw.size() >= 8) std::memcpy(&value.number, raw.data(), 8);
            break;
        case FieldType::Currency:
            value.kind = Kind::Numeric;
            if (raw.size() >= 8)
                value.number = static_cast<double>(readLittleEndian(raw.data(), 8)) / 10000.0;
            break;
        case FieldType::Date:
            value.kind = Kind::Date;
            value.number = expr::julianDayFromText(raw);
            break;
        case FieldType::DateTime:
            value.kind = Kind::Date;
            if (raw.size() >= 8) {
                value.number =
                    static_cast<double>(readLittleEndian(raw.data(), 4)) +
                    static_cast<double>(readLittleEndian(raw.data() + 4, 4)) / 86400000.0;
            }
            break;
        case FieldType::Logical:
            value.kind = Kind::Logical;
            value.logical =
                !raw.empty() && std::strchr("TtYy", raw[0]) != nullptr && raw[0] != '\0';
            break;
        default:
            value.kind = Kind::Character;
            value.text.assign(raw);
            break;
    }
    return value;
}

Value character(std::string text) {
    Value v;
    v.kind = Kind::Character;
    v.text = std::move(text);
    return v;
}
Value number(double n, Kind kind = Kind::Numeric) {
    Value v;
    v.kind = kind;
    v.number = n;
    return v;
}
Value logical(bool b) {
    Value v;
    v.kind = Kind::Logical;
    v.logical = b;
    return v;
}

// "=" compares as FoxPro does without SET EXACT: a shorter right side
// matches the start of the left; otherwise the shorter side is blank-padded.
int compareText(const std::string& a, const std::string& b) {
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : ' ';
        const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : ' ';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool compare(const Node& node, const Value& a, const Value& b) {
    using C = Node::Comparison;
    int order = 0;
    if (a.kind == Kind::Character) {
        if (node.comparison == C::ExactEqual) return a.text == b.text;
        if ((node.comparison == C::Equal || node.comparison == C::NotEqual) &&
            b.text.size() <= a.text.size()) {
            const bool equal = a.text.compare(0, b.text.size(), b.text) == 0;
            return node.comparison == C::Equal ? equal : !equal;
        }
        order = compareText(a.text, b.text);
    } else if (a.kind == Kind::Logical) {
        order = static_cast<int>(a.logical) - static_cast<int>(b.logical);
    } else {
        order = a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    switch (node.comparison) {
        case C::Equal:
        case C::ExactEqual:
            return order == 0;
        case C::NotEqual:
            return order != 0;
        case C::Less:
            return order < 0;
        case C::LessEqual:
            return order <= 0;
        case C::Greater:
            return order > 0;
        case C::GreaterEqual:
            return order >= 0;
    }
    return false;
}

std::string substring(const std::string& text, double start, double length) {
    const int64_t from = std::max<int64_t>(static_cast<int64_t>(start), 1) - 1;
    if (from >= static_cast<int64_t>(text.size()) || length <= 0) return std::string();
    return text.substr(static_cast<size_t>(from),
                       static_cast<size_t>(std::min<double>(length, 1e9)));
}

}  // namespace

Value Expression::Node::evaluate(std::string_view record) const {
    auto arg = [&](size_t i) { return args[i]->evaluate(record); };
    switch (op) {
        case Op::Field:
            return readField(field, record);
        case Op::Constant:
            return constant;
        case Op::Deleted:
            return logical(!record.empty() && record[0] == '*');
        case Op::Not:
            return logical(!arg(0).logical);
        case Op::And:
            return logical(arg(0).logical && arg(1).logical);
        case Op::Or:
            return logical(arg(0).logical || arg(1).logical);
        case Op::Compare:
            return logical(compare(*this, arg(0), arg(1)));
        case Op::Concat:
            return character(arg(0).text + arg(1).text);
        case Op::TrimConcat: {
            // "a - b": a's trailing blanks move to the end of the result.
            const std::string left = arg(0).text;
            const std::string trimmed = base::ascii::trimmedRight(left, base::ascii::kBlank);
            return character(trimmed + arg(1).text +
                             std::string(left.size() - trimmed.size(), ' '));
        }
        case Op::Add:
            return number(arg(0).number + arg(1).number, kind);
        case Op::Subtract:
            return number(arg(0).number - arg(1).number, kind);
        case Op::Negate:
            return number(-arg(0).number);
        case Op::Upper:
            return character(base::windows1252Upper(arg(0).text));
        case Op::Lower:
            return character(base::windows1252Lower(arg(0).text));
        case Op::Str: {
            const int length = args.size() > 1 ? static_cast<int>(arg(1).number) : 10;
            const int decimals = args.size() > 2 ? static_cast<int>(arg(2).number) : 0;
            return character(expr::formatNumber(arg(0).number, length, decimals));
        }
        case Op::AllTrim:
            return character(base::ascii::trimmed(arg(0).text, base::ascii::kBlank));
        case Op::LeftTrim:
            return character(base::ascii::trimmedLeft(arg(0).text, base::ascii::kBlank));
        case Op::RightTrim:
            return character(base::ascii::trimmedRight(arg(0).text, base::ascii::kBlank));
        case Op::Val:
            return number(expr::parseNumber(arg(0).text));
        case Op::Substr: {
            const std::string text = arg(0).text;
            return character(substring(text, arg(1).number, args.size() > 2 ? arg(2).number : 1e9));
        }
        case Op::Left:
            return character(substring(arg(0).text, 1, arg(1).number));
        case Op::Right: {
            const std::string text = arg(0).text;
            const double n = std::clamp<double>(arg(1).number, 0, static_cast<double>(text.size()));
            return character(text.substr(text.size() - static_cast<size_t>(n)));
        }
        case Op::Dtos:
            return character(expr::textFromJulianDay(arg(0).number));
    }
    return Value();
}

namespace {

class Parser {
public:
    Parser(std::string_view text, const std::vector<FieldDescriptor>& fields)
        : text_(text), fields_(fields) {}

    Result<NodePtr> parseAll() {
        auto node = parseOr();
        if (!node) return node;
        skipSpace();
        if (pos_ < text_.size())
            return fail("unexpected \"" + std::string(text_.substr(pos_, 10)) + "\"");
        return node;
    }

private:
    Status fail(const std::string& what) const {
        return Status::error("expression \"" + std::string(text_) + "\": " + what +
                             " at position " + std::to_string(std::min(pos_, text_.size()) + 1));
    }

    void skipSpace() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }

    // Matches a dotted operator such as ".AND." without regard to case.
    bool peekWord(std::string_view word) const {
        if (pos_ + word.size() > text_.size()) return false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (base::ascii::toUpper(text_[pos_ + i]) != word[i]) return false;
        }
        return true;
    }
    bool acceptWord(std::string_view word) {
        skipSpace();
        if (!peekWord(word)) return false;
        pos_ += word.size();
        return true;
    }
    bool accept(char c) {
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    static NodePtr make(Op op, Kind kind, int width, std::vector<NodePtr> args = {}) {
        auto node = std::make_shared<Node>();
        node->op = op;
        node->kind = kind;
        node->width = width;
        node->args = std::move(args);
        return node;
    }

    Result<NodePtr> parseOr() {
        auto left = parseAnd();
        if (!left) return left;
        NodePtr node = left.value();
        while (acceptWord(".OR.")) {
            auto right = parseAnd();
            if (!right) return right;
            ZX_TRY(needLogical(node, ".OR."));
            ZX_TRY(needLogical(right.value(), ".OR."));
            node = make(Op::Or, Kind::Logical, 1, {node, right.value()});
        }
        return node;
    }

    Result<NodePtr> parseAnd() {
        auto left = parseNot();
        if (!left) return left;
        NodePtr node = left.value();
        while (acceptWord(".AND.")) {
            auto right = parseNot();
            if (!right) return right;
            ZX_TRY(needLogical(node, ".AND."));
            ZX_TRY(needLogical(right.value(), ".AND."));
            node = make(Op::And, Kind::Logical, 1, {node, right.value()});
        }
        return node;
    }

    Result<NodePtr> parseNot() {
        skipSpace();
        if (acceptWord(".NOT.") ||
            (pos_ < text_.size() && text_[pos_] == '!' &&
             (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '=') && accept('!'))) {
            auto operand = parseNot();
            if (!operand) return operand;
            ZX_TRY(needLogical(operand.value(), ".NOT."));
            return make(Op::Not, Kind::Logical, 1, {operand.value()});
        }
        return parseCompare();
    }

    Result<NodePtr> parseCompare() {
        auto left = parseSum();
        if (!left) return left;
        using C = Node::Comparison;
        static const std::pair<const char*, C> kOperators[] = {
            {"==", C::ExactEqual}, {"<>", C::NotEqual},     {"!=", C::NotEqual},
            {"<=", C::LessEqual},  {">=", C::GreaterEqual}, {"=", C::Equal},
            {"#", C::NotEqual},    {"<", C::Less},          {">", C::Greater}};
        skipSpace();
        for (const auto& [symbol, comparison] : kOperators) {
            if (!peekWord(symbol)) continue;
            pos_ += std::strlen(symbol);
            auto right = parseSum();
            if (!right) return right;
            if (left.value()->kind != right.value()->kind)
                return fail("cannot compare values of different types");
            auto node = std::make_shared<Node>();
            node->op = Op::Compare;
            node->kind = Kind::Logical;
            node->width = 1;
            node->comparison = comparison;
            node->args = {left.value(), right.value()};
            return NodePtr(node);
        }
        return left;
    }

    Result<NodePtr> parseSum() {
        auto left = parseTerm();
        if (!left) return left;
        NodePtr node = left.value();
        for (;;) {
            skipSpace();
            if (pos_ >= text_.size() || (text_[pos_] != '+' && text_[pos_] != '-') ||
                (text_[pos_] == '-' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '>')) {
                return node;
            }
            const bool plus = text_[pos_++] == '+';
            auto right = parseTerm();
            if (!right) return right;
            const NodePtr& r = right.value();
            if (node->kind == Kind::Character && r->kind == Kind::Character) {
                node = make(plus ? Op::Concat : Op::TrimConcat, Kind::Character,
                            node->width + r->width, {node, r});
            } else if (node->kind == Kind::Numeric && r->kind == Kind::Numeric) {
                node = make(plus ? Op::Add : Op::Subtract, Kind::Numeric, 8, {node, r});
            } else if (node->kind == Kind::Date && r->kind == Kind::Numeric) {
                node = make(plus ? Op::Add : Op::Subtract, Kind::Date, 8, {node, r});
            } else if (plus && node->kind == Kind::Numeric && r->kind == Kind::Date) {
                node = make(Op::Add, Kind::Date, 8, {node, r});
            } else if (!plus && node->kind == Kind::Date && r->kind == Kind::Date) {
                node = make(Op::Subtract, Kind::Numeric, 8, {node, r});
            } else {
                return fail(std::string("cannot ") + (plus ? "add" : "subtract") +
                            " values of these types");
            }
        }
    }

    Result<NodePtr> parseTerm() {
        skipSpace();
        if (pos_ >= text_.size()) return fail("a value is missing");
        const char c = text_[pos_];
        if (accept('(')) {
            auto inner = parseOr();
            if (!inner) return inner;
            if (!accept(')')) return fail("\")\" expected");
            return inner;
        }
        if (c == '-') {
            ++pos_;
            auto operand = parseTerm();
            if (!operand) return operand;
            if (operand.value()->kind != Kind::Numeric) return fail("minus needs a number");
            return make(Op::Negate, Kind::Numeric, 8, {operand.value()});
        }
        if (c == '"' || c == '\'' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const size_t end = text_.find(close, pos_ + 1);
            if (end == std::string_view::npos) return fail("unterminated text");
            auto node = std::make_shared<Node>();
            node->op = Op::Constant;
            node->constant = character(std::string(text_.substr(pos_ + 1, end - pos_ - 1)));
            node->kind = Kind::Character;
            node->width = static_cast<int>(node->constant.text.size());
            pos_ = end + 1;
            return NodePtr(node);
        }
        if ((c >= '0' && c <= '9') ||
            (c == '.' && pos_ + 1 < text_.size() && base::ascii::isDigit(text_[pos_ + 1]))) {
            const size_t start = pos_;
            while (pos_ < text_.size() && (base::ascii::isDigit(text_[pos_]) || text_[pos_] == '.'))
                ++pos_;
            auto node = std::make_shared<Node>();
            node->op = Op::Constant;
            node->kind = Kind::Numeric;
            node->width = 8;
            node->constant = number(expr::parseNumber(text_.substr(start, pos_ - start)));
            return NodePtr(node);
        }
        if (acceptWord(".T.") || acceptWord(".F.")) {
            auto node = std::make_shared<Node>();
            node->op = Op::Constant;
            node->kind = Kind::Logical;
            node->width = 1;
            node->constant = logical(base::ascii::toUpper(text_[pos_ - 2]) == 'T');
            return NodePtr(node);
        }
        if (base::ascii::isAlpha(c) || c == '_') {
            std::string name = readName();
            // An alias prefix names the table the field belongs to: skip it.
            skipSpace();
            if (peekWord("->") || (peekWord(".") && !isDottedOperator())) {
                pos_ += peekWord("->") ? 2 : 1;
                skipSpace();
                if (pos_ >= text_.size() ||
                    !(base::ascii::isAlpha(text_[pos_]) || text_[pos_] == '_')) {
                    return fail("a field name must follow the alias \"" + name + "\"");
                }
                name = readName();
                return fieldNode(name);
            }
            if (accept('(')) return callNode(name);
            return fieldNode(name);
        }
        return fail("unexpected \"" + std::string(1, c) + "\"");
    }

    bool isDottedOperator() const {
        for (std::string_view word : {".AND.", ".OR.", ".NOT.", ".T.", ".F."}) {
            if (peekWord(word)) return true;
        }
        return false;
    }

    std::string readName() {
        const size_t start = pos_;
        while (pos_ < text_.size() && (base::ascii::isAlnum(text_[pos_]) || text_[pos_] == '_')) {
            ++pos_;
        }
        return base::ascii::upper(text_.substr(start, pos_ - start));
    }

    Result<NodePtr> fieldNode(const std::string& name) {
        for (const FieldDescriptor& field : fields_) {
            const std::string upperName = base::ascii::upper(field.name);
            // Tables outside a database keep only the first 10 characters
            // of a longer field name; expressions may still use it whole.
            if (upperName != name &&
                !(name.size() > 10 && upperName.size() == 10 && name.rfind(upperName, 0) == 0)) {
                continue;
            }
            auto node = std::make_shared<Node>();
            node->op = Op::Field;
            node->field = field;
            switch (field.type) {
                case FieldType::Memo:
                case FieldType::General:
                case FieldType::Blob:
                    return fail("memo field " + name + " cannot be used in an index expression");
                case FieldType::Numeric:
                case FieldType::Float:
                case FieldType::Integer:
                case FieldType::Double:
                case FieldType::Currency:
                    node->kind = Kind::Numeric;
                    node->width = 8;
                    break;
                case FieldType::Date:
                case FieldType::DateTime:
                    node->kind = Kind::Date;
                    node->width = 8;
                    break;
                case FieldType::Logical:
                    node->kind = Kind::Logical;
                    node->width = 1;
                    break;
                default:
                    node->kind = Kind::Character;
                    node->width = field.length;
                    break;
            }
            return NodePtr(node);
        }
        return fail("unknown field \"" + name + "\"");
    }

    Result<NodePtr> callNode(const std::string& name) {
        std::vector<NodePtr> args;
        if (!accept(')')) {
            for (;;) {
                auto arg = parseOr();
                if (!arg) return arg;
                args.push_back(arg.value());
                if (accept(')')) break;
                if (!accept(',')) return fail("\",\" or \")\" expected in " + name + "()");
            }
        }
        struct Signature {
            const char* name;
            Op op;
            std::vector<Kind> params;
            size_t required;
        };
        static const Signature kFunctions[] = {
            {"DELETED", Op::Deleted, {}, 0},
            {"UPPER", Op::Upper, {Kind::Character}, 1},
            {"LOWER", Op::Lower, {Kind::Character}, 1},
            {"STR", Op::Str, {Kind::Numeric, Kind::Numeric, Kind::Numeric}, 1},
            {"ALLTRIM", Op::AllTrim, {Kind::Character}, 1},
            {"LTRIM", Op::LeftTrim, {Kind::Character}, 1},
            {"RTRIM", Op::RightTrim, {Kind::Character}, 1},
            {"TRIM", Op::RightTrim, {Kind::Character}, 1},
            {"VAL", Op::Val, {Kind::Character}, 1},
            {"SUBSTR", Op::Substr, {Kind::Character, Kind::Numeric, Kind::Numeric}, 2},
            {"LEFT", Op::Left, {Kind::Character, Kind::Numeric}, 2},
            {"RIGHT", Op::Right, {Kind::Character, Kind::Numeric}, 2},
            {"DTOS", Op::Dtos, {Kind::Date}, 1},
        };
        const Signature* signature = nullptr;
        for (const Signature& s : kFunctions) {
            if (name == s.name) signature = &s;
        }
        if (!signature) return fail("unknown function " + name + "()");
        if (args.size() < signature->required || args.size() > signature->params.size()) {
            return fail(name + "() takes " + std::to_string(signature->required) +
                        (signature->required == signature->params.size()
                             ? ""
                             : " to " + std::to_string(signature->params.size())) +
                        " arguments, not " + std::to_string(args.size()));
        }
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i]->kind != signature->params[i]) {
                return fail("argument " + std::to_string(i + 1) + " of " + name +
                            "() has the wrong type");
            }
        }
        auto constantOf = [&](size_t i, double fallback) {
            return i < args.size() && args[i]->op == Op::Constant ? args[i]->constant.number
                                                                  : fallback;
        };
        const int inputWidth = args.empty() ? 0 : args[0]->width;
        switch (signature->op) {
            case Op::Deleted:
                return make(Op::Deleted, Kind::Logical, 1);
            case Op::Val:
                return make(Op::Val, Kind::Numeric, 8, args);
            case Op::Str: {
                const double length = constantOf(1, 10);
                if (length < 1 || length > 255) return fail("STR() length must be 1 to 255");
                return make(Op::Str, Kind::Character, static_cast<int>(length), args);
            }
            case Op::Substr: {
                const double start = std::max(constantOf(1, 1), 1.0);
                const double rest = std::max(0.0, inputWidth - start + 1);
                const double length = std::clamp(constantOf(2, rest), 0.0, rest);
                return make(Op::Substr, Kind::Character, static_cast<int>(length), args);
            }
            case Op::Left:
            case Op::Right: {
                const double length =
                    std::clamp(constantOf(1, inputWidth), 0.0, static_cast<double>(inputWidth));
                return make(signature->op, Kind::Character, static_cast<int>(length), args);
            }
            case Op::Dtos:
                return make(Op::Dtos, Kind::Character, 8, args);
            default:
                return make(signature->op, Kind::Character, inputWidth, args);
        }
    }

    Status needLogical(const NodePtr& node, const char* op) const {
        if (node->kind == Kind::Logical) return Status::ok();
        return fail(std::string(op) + " needs logical values");
    }

    std::string_view text_;
    const std::vector<FieldDescriptor>& fields_;
    size_t pos_ = 0;
};

}  // namespace

Expression::Expression() = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

Result<Expression> Expression::compile(std::string_view text,
                                       const std::vector<FieldDescriptor>& fields) {
    ZX_TRY_ASSIGN(auto root, Parser(text, fields).parseAll());
    Expression expression;
    expression.text_ = std::string(text);
    expression.root_ = root;
    return expression;
}

Value Expression::evaluate(std::string_view record) const {
    return root_ ? root_->evaluate(record) : Value();
}

const std::string& Expression::text() const { return text_; }

Value::Kind Expression::resultKind() const { return root_ ? root_->kind : Kind::Character; }

int Expression::resultWidth() const { return root_ ? root_->width : 0; }

bool Expression::isIntegerField() const {
    return root_ && root_->op == Node::Op::Field && root_->field.type == FieldType::Integer;
}

}  // namespace zentrix::xbase
