#pragma once

#include <QString>
#include <vector>

#include "simulation/field_style.h"
#include "simulation/tframe.h"

namespace zentrix::simulation {

// A text entered into a field, recorded each time the field is judged.
struct TUserDefinedAnswer {
    QString Text;
    int Frame = 0;      // the frame shown
    int ZoneIndex = 0;  // the field's zone number in that frame
};

// One visible field of the frame shown, as the check sees it.
struct CheckedField {
    FieldKind Kind = FieldKind::MultiLine;
    QString Text;
    const TTextAnswerStruct* Slot = nullptr;
};

// Judges the fields of the frame shown: every visible field must hold an
// acceptable text. Fields are looked at in the order given (address fields,
// then multi-line, then single-line fields, each in pool order); the first
// that fails ends the check.
class AnswerCheck {
public:
    // 0 when the texts are equal. With case they must be identical; without,
    // the letters A to Z match either case and other characters match exactly.
    static int CompareAnswer(const QString& a, const QString& b, bool withCase);

    // True when every field passes. Records what each field looked at holds in
    // entered (replacing what the same field of the same frame held before,
    // so that a field judged while it is typed into leaves only its last
    // text), and carries the text of linked fields into the zones they link to.
    static bool check(const std::vector<CheckedField>& fields, int shownFrame,
                      std::vector<TFrame>& frames, std::vector<TUserDefinedAnswer>& entered);

    // The address texts that count as empty.
    static bool isEmptyAddress(const QString& text);

private:
    static bool passes(const CheckedField& field, const TZone& zone,
                       const std::vector<TUserDefinedAnswer>& entered);
};

}  // namespace zentrix::simulation
