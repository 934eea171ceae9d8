#include "simulation/answer_check.h"

#include "simulation/address_text.h"
#include "simulation/field_flags.h"
#include "simulation/field_links.h"

namespace zentrix::simulation {

namespace {

QChar foldAsciiLetter(QChar ch) {
    const char16_t c = ch.unicode();
    return (c >= u'a' && c <= u'z') ? QChar(char16_t(c - u'a' + u'A')) : ch;
}

void record(std::vector<TUserDefinedAnswer>& entered, const QString& text, int frame, int zone) {
    for (TUserDefinedAnswer& answer : entered) {
        if (answer.Frame == frame && answer.ZoneIndex == zone) {
            answer.Text = text;
            return;
        }
    }
    entered.push_back(TUserDefinedAnswer{text, frame, zone});
}

}  // namespace

int AnswerCheck::CompareAnswer(const QString& a, const QString& b, bool withCase) {
    if (withCase) return a.compare(b, Qt::CaseSensitive) == 0 ? 0 : (a < b ? -1 : 1);
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const QChar x = foldAsciiLetter(a[i]), y = foldAsciiLetter(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool AnswerCheck::isEmptyAddress(const QString& text) {
    return text.isEmpty() || AddressText::isEmpty(text);
}

bool AnswerCheck::check(const std::vector<CheckedField>& fields, int shownFrame,
                        std::vector<TFrame>& frames, std::vector<TUserDefinedAnswer>& entered) {
    if (shownFrame < 1 || shownFrame > static_cast<int>(frames.size())) return false;
    for (const CheckedField& field : fields) {
        const TTextAnswerStruct& slot = *field.Slot;
        TFrame& frame = frames[shownFrame - 1];
        if (slot.ZoneIndex < 1 || slot.ZoneIndex > frame.ZoneCount()) return false;
        const TZone& zone = frame.Zones[slot.ZoneIndex - 1];

        record(entered, field.Text, shownFrame, slot.ZoneIndex);
        if (field.Kind != FieldKind::Address) {
            for (const FieldLinkStep& step : FieldLinks::follow(frames, zone)) {
                step.Target->CarriedText = field.Text;
            }
        }
        if (!passes(field, zone, entered)) return false;
    }
    return true;
}

bool AnswerCheck::passes(const CheckedField& field, const TZone& zone,
                         const std::vector<TUserDefinedAnswer>& entered) {
    const TTextAnswerStruct& slot = *field.Slot;
    const bool address = field.Kind == FieldKind::Address;
    const bool withCase = !address && (zone.FieldFlags & fieldflag::kMatchCase);
    if (slot.Required && (address ? isEmptyAddress(field.Text) : field.Text.isEmpty())) {
        return false;
    }
    if (slot.SkipCheck) return true;
    // Address fields compare without their blanks, so that "10.0.0.1" is
    // the address typed as "10 .0  .0  .1  ".
    const auto comparable = [address](const QString& text) {
        return address ? AddressText::withoutBlanks(text) : text;
    };
    if (slot.SameAsFrame == -1) {
        if (CompareAnswer(comparable(field.Text), comparable(slot.Expected), withCase) == 0) {
            return true;
        }
        if (address || !(zone.FieldFlags & fieldflag::kAlternatives)) return false;
        for (const QString& alternative : zone.Alternatives) {
            if (CompareAnswer(field.Text, alternative, withCase) == 0) return true;
        }
        return false;
    }
    for (const TUserDefinedAnswer& answer : entered) {
        if (answer.Frame == slot.SameAsFrame && answer.ZoneIndex == slot.SameAsZone &&
            CompareAnswer(comparable(answer.Text), comparable(field.Text), withCase) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace zentrix::simulation
