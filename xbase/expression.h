#pragma once

// Key and filter expressions of index tags, evaluated against a raw record.
//
// Grammar (the subset that production indexes use):
//   expr    := or
//   or      := and { ".OR." and }
//   and     := not { ".AND." not }
//   not     := ".NOT." not | "!" not | compare
//   compare := sum [ ("=" | "==" | "<>" | "#" | "!=" | "<" | "<=" | ">" | ">=") sum ]
//   sum     := term { ("+" | "-") term }         character + character concatenates
//   term    := field | number | string | ".T." | ".F." | call | "(" expr ")"
//   call    := name "(" [ expr { "," expr } ] ")"
// Functions: DELETED, UPPER, LOWER, STR, ALLTRIM, LTRIM, RTRIM, TRIM, VAL,
// SUBSTR, LEFT, RIGHT, DTOS. Names are matched without regard to case; a
// field may be written with an alias prefix ("ALIAS->FIELD", "ALIAS.FIELD").

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/field.h"
#include "xbase/status.h"

namespace zentrix::xbase {

struct Value {
    enum class Kind { Character, Numeric, Logical, Date };
    Kind kind = Kind::Character;
    std::string text;      // Character
    double number = 0;     // Numeric; Date as a Julian day number
    bool logical = false;  // Logical
};

class Expression {
public:
    // Compiles `text` against the fields of a table. Fails with a message that
    // quotes the expression and says what could not be understood.
    static Result<Expression> compile(std::string_view text,
                                      const std::vector<FieldDescriptor>& fields);

    // Evaluates against one raw record (deleted mark first, as in the file).
    // `record` must be as long as the table's record length.
    Value evaluate(std::string_view record) const;

    const std::string& text() const;
    Value::Kind resultKind() const;
    // Widest character result the expression can give: the key width of a
    // character tag. For ALLTRIM(STR(RECID)) it is the width of STR(RECID).
    int resultWidth() const;
    // True when the expression is a lone VFP integer (I) field, which indexes
    // as a 4-byte integer key rather than as a double.
    bool isIntegerField() const;

    Expression(const Expression&);
    Expression& operator=(const Expression&);
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    ~Expression();

    struct Node;  // the parsed tree; defined in expression.cpp

private:
    Expression();
    std::string text_;
    std::shared_ptr<const Node> root_;
};

}  // namespace zentrix::xbase
