// The panel's text, key and address fields: pools, arming, their keys, the
// echo into linked fields and the judging of what was typed.

#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPointer>
#include <algorithm>
#include <type_traits>

#include "simulation/field_colours.h"
#include "simulation/field_flags.h"
#include "simulation/field_links.h"
#include "simulation/key_field_rule.h"
#include "simulation/panel/field_events.h"
#include "simulation/panel/gif_image.h"
#include "simulation/panel/single_line_field.h"
#include "simulation/panel/tbz_demo_q_engine.h"
#include "simulation/panel/tbz_ip_mask.h"
#include "simulation/panel/tedit_ww.h"
#include "simulation/zone_type.h"

namespace zentrix::simulation::panel {

namespace {

constexpr char16_t kBackspace = 8, kTab = 9, kEnter = 13;

Qt::Alignment alignmentOf(FieldAlignment alignment) {
    switch (alignment) {
        case FieldAlignment::Right:
            return Qt::AlignRight;
        case FieldAlignment::Center:
            return Qt::AlignHCenter;
        case FieldAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QRect boundsOf(const TZone& zone) {
    const QPoint from = zone.Points[0], to = zone.Points[1];
    return QRect(from.x(), from.y(), std::max(0, to.x() - from.x()),
                 std::max(0, to.y() - from.y()));
}

}  // namespace

// ---------------------------------------------------------------------------
// Pools

void TBZDemoQEngine::resetFieldPools() {
    for (ArmedField& field : armed_) {
        field.events->clear();
        field.onModify = false;
        if (field.kind == FieldKind::Address) {
            field.control->hide();
            field.control->unsetCursor();
            continue;
        }
        field.control->hide();
        field.control->setEnabled(true);
        field.control->unsetCursor();
        setFieldText(field.control, QString(), false);
        field.control->setFocusPolicy(Qt::StrongFocus);
    }
    usedMemo_ = usedEdit_ = usedAddress_ = usedSlots_ = 0;
    tabOrder_ = 0;
    focusPending_ = false;
    addressFocusTaken_ = false;
    lastTabStop_ = nullptr;
}

TBZDemoQEngine::ArmedField* TBZDemoQEngine::armedOf(const QWidget* control) {
    for (ArmedField& field : armed_) {
        if (field.control == control) return &field;
    }
    return nullptr;
}

const TBZDemoQEngine::ArmedField* TBZDemoQEngine::armedOf(const QWidget* control) const {
    return const_cast<TBZDemoQEngine*>(this)->armedOf(control);
}

FieldEvents* TBZDemoQEngine::eventsOf(const QWidget* field) const {
    const ArmedField* armed = armedOf(field);
    return armed ? armed->events : nullptr;
}

const TTextAnswerStruct* TBZDemoQEngine::slotOf(const QWidget* field) const {
    const ArmedField* armed = armedOf(field);
    if (!armed || armed->slot < 0 || armed->slot >= usedSlots_) return nullptr;
    return &AnswerSlots[static_cast<size_t>(armed->slot)];
}

const TZone* TBZDemoQEngine::ZoneOfCurrentFrame(int z) const {
    const TFrame* frame = shownFrame();
    if (!frame || z < 1 || z > frame->ZoneCount()) return nullptr;
    return &frame->Zones[static_cast<size_t>(z - 1)];
}

const TZone* TBZDemoQEngine::zoneOfField(const QWidget* field) const {
    const TTextAnswerStruct* slot = slotOf(field);
    return slot ? ZoneOfCurrentFrame(slot->ZoneIndex) : nullptr;
}

QString TBZDemoQEngine::fieldText(const QWidget* field) const {
    if (auto* memo = qobject_cast<const TEditWW*>(field)) return memo->text();
    if (auto* address = qobject_cast<const TBZIPMask*>(field)) return address->addressText();
    if (auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text();
    return QString();
}

void TBZDemoQEngine::setFieldText(QWidget* field, const QString& text, bool caretToEnd) {
    if (auto* memo = qobject_cast<TEditWW*>(field)) {
        memo->setTextQuietly(text);
        if (caretToEnd) memo->moveCaretToEnd();
    } else if (auto* edit = qobject_cast<SingleLineField*>(field)) {
        edit->setTextQuietly(text);
        if (caretToEnd) edit->moveCaretToEnd();
    }
}

template <typename Field>
Field* TBZDemoQEngine::takeField(std::vector<Field*>& pool, int& used, FieldKind kind) {
    if (used < static_cast<int>(pool.size())) return pool[static_cast<size_t>(used++)];
    auto* field = new Field(this);
    field->hide();
    QWidget* mouseArea = field;
    if constexpr (std::is_same_v<Field, TEditWW>) mouseArea = field->viewport();
    auto* events = new FieldEvents(field, mouseArea);
    armed_.push_back(ArmedField{field, kind, events, -1, false});
    if constexpr (std::is_same_v<Field, TEditWW>) {
        connect(field, &TEditWW::textEdited, this, [this, field] { OnModify(field); });
    } else if constexpr (std::is_same_v<Field, TBZIPMask>) {
        connect(field, &TBZIPMask::textEditedByUser, this, [this, field] { OnModify(field); });
    } else {
        connect(field, &QLineEdit::textEdited, this, [this, field] { OnModify(field); });
    }
    pool.push_back(field);
    ++used;
    return field;
}

TTextAnswerStruct& TBZDemoQEngine::nextSlot(const TZone& zone, int number, QWidget* control) {
    if (usedSlots_ >= static_cast<int>(AnswerSlots.size())) AnswerSlots.emplace_back();
    TTextAnswerStruct& slot = AnswerSlots[static_cast<size_t>(usedSlots_)];
    slot = TTextAnswerStruct::of(zone, number);
    armedOf(control)->slot = usedSlots_;
    ++usedSlots_;
    return slot;
}

// ---------------------------------------------------------------------------
// Arming

void TBZDemoQEngine::styleField(QWidget* control, const FieldStyle& style) {
    QFont font(style.FontName);
    font.setStyleHint(style.Kind == FieldKind::Address ? QFont::TypeWriter : QFont::SansSerif);
    font.setPointSize(std::clamp(style.FontSize, 1, 500));
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    font.setStrikeOut(style.StrikeOut);
    control->setFont(font);
    QPalette colours = control->palette();
    const QColor text = FieldColours::toColor(style.FontColor, colours);
    const QColor back = FieldColours::toColor(style.BackColor, colours);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Text, text);
        colours.setColor(group, QPalette::Base, back);
    }
    control->setPalette(colours);
}

void TBZDemoQEngine::placeInTabOrder(QWidget* control, bool tabStop) {
    control->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    if (lastTabStop_) QWidget::setTabOrder(lastTabStop_, control);
    lastTabStop_ = control;
    ++tabOrder_;
}

void TBZDemoQEngine::armTextField(const TZone& zone, int number) {
    if (zone.ZoneType == static_cast<int>(ZoneType::TabField) && !tabHookInstalled_) {
        qApp->installEventFilter(this);
        tabHookInstalled_ = true;
    }
    const FieldStyle style = FieldStyle::of(zone);
    QWidget* control = nullptr;
    if (style.Kind == FieldKind::SingleLine) {
        auto* edit = takeField(EditFields, usedEdit_, FieldKind::SingleLine);
        edit->setBorder(style.Border);
        control = edit;
    } else {
        auto* memo = takeField(MemoFields, usedMemo_, FieldKind::MultiLine);
        memo->setBorder(style.Border);
        memo->setAlignment(alignmentOf(style.Alignment));
        memo->setWordWrap(style.WordWrap);
        control = memo;
    }
    nextSlot(zone, number, control);
    control->setGeometry(boundsOf(zone));
    placeInTabOrder(control, style.TabStop);
    styleField(control, style);
    if (style.ShowsCarriedText) setFieldText(control, zone.CarriedText, true);
    control->setEnabled(!style.Disabled);
    control->setAccessibleName(tr("Simulation field %1").arg(number));

    ArmedField& armed = *armedOf(control);
    FieldEvents& events = *armed.events;
    if (style.EchoesLinks)
        events.OnKeyPress = [this, control](QChar key) { PlaceKeyPress(control, key); };
    if (style.SkipFocus) events.OnEnter = [this, control] { OnEnter(control); };
    // Key fields get their key handling whatever their kind.
    if (style.Kind == FieldKind::MultiLine || style.KeyField ||
        zone.ZoneType == static_cast<int>(ZoneType::EnterField)) {
        events.OnKeyDown = [this, control](QKeyEvent& key) { return FieldKeyDown(control, key); };
    }
    armed.onModify = style.CheckOnChange;
    if (style.SubmitOnClick) {
        events.OnClick = [this, control] { OnClickHandler(control); };
        ClickFields.push_back(control);
    }
    if (zone.ZoneFlags & layout::kZonePointerFlag) applyZonePointer(control, zone);
    control->show();
    control->raise();

    // The first zone's field takes the focus; a disabled one passes it to the
    // next text field armed in this frame.
    if (number == 1 || focusPending_) {
        if (style.Disabled) {
            focusPending_ = true;
        } else {
            control->setFocus(Qt::OtherFocusReason);
            focusPending_ = false;
        }
    }
    if (zone.ZoneType == static_cast<int>(ZoneType::TabField)) TabFields.push_back(control);
}

void TBZDemoQEngine::armAddressField(const TZone& zone, int number) {
    const FieldStyle style = FieldStyle::of(zone);
    TBZIPMask* field = takeField(AddressFields, usedAddress_, FieldKind::Address);
    nextSlot(zone, number, field);
    field->setGeometry(boundsOf(zone));
    placeInTabOrder(field, true);
    styleField(field, style);
    field->setAccessibleName(tr("Simulation address field %1").arg(number));
    if (zone.ZoneFlags & layout::kZonePointerFlag) applyZonePointer(field, zone);
    field->show();
    field->raise();
    field->clearAddress();
    if (!addressFocusTaken_) {
        field->setFocus(Qt::OtherFocusReason);
        addressFocusTaken_ = true;
    }
}

// ---------------------------------------------------------------------------
// Keys

void TBZDemoQEngine::DetachFieldKeys(QObject* control) {
    if (inTestMode_) return;
    auto* widget = qobject_cast<QWidget*>(control);
    if (!widget || qobject_cast<TBZIPMask*>(widget)) return;
    if (FieldEvents* events = eventsOf(widget)) events->OnKeyDown = nullptr;
}

void TBZDemoQEngine::submitField(QWidget* field) {
    const TZone* zone = zoneOfField(field);
    if (!zone) return;
    if (zone->TargetFrame == frameShown_) {
        raiseCorrect(field);
    } else if (CheckAnswers(field, true)) {
        ShowFrame(zone->TargetFrame);
    }
}

bool TBZDemoQEngine::FieldKeyDown(QWidget* field, QKeyEvent& key) {
    if (finished_ || KeyFieldRule::isModifierKey(key.key())) return false;
    const TZone* zone = zoneOfField(field);
    if (!zone) return false;
    if (zone->ZoneType == static_cast<int>(ZoneType::Key)) {
        // The key is swallowed, right or wrong.
        if (!KeyFieldRule::matches(key.key(), zone->AnswerText)) {
            setFieldText(field, QString(), false);
            wrongAction(field);
            return true;
        }
        const Qt::KeyboardModifiers held = key.modifiers();
        const bool missing = (zone->NeedCtrl && !held.testFlag(Qt::ControlModifier)) ||
                             (zone->NeedAlt && !held.testFlag(Qt::AltModifier)) ||
                             (zone->NeedShift && !held.testFlag(Qt::ShiftModifier));
        if (missing) {
            const QPointer<QWidget> alive(field);
            letPendingEventsThrough();
            if (!alive) return true;
            setFieldText(field, QString(), false);
            wrongAction(field);
            return true;
        }
        if (zone->TargetFrame != frameShown_) {
            DetachFieldKeys(field);
            DetachPictureHandlers();
            ShowFrame(zone->TargetFrame);
        } else {
            raiseCorrect(field);
        }
        return true;
    }
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        submitField(field);
        return true;
    }
    return false;
}

bool TBZDemoQEngine::TabKeyHook(QKeyEvent& key) {
    if (finished_ || key.modifiers() != Qt::NoModifier) return false;
    QWidget* focused = QApplication::focusWidget();
    const auto found = std::find(TabFields.begin(), TabFields.end(), focused);
    if (!focused || found == TabFields.end()) return false;
    submitField(focused);
    return true;
}

void TBZDemoQEngine::PlaceKeyPress(QWidget* field, QChar key) {
    const char16_t code = key.unicode();
    if (code == kTab || code == kEnter) return;
    if (code < 0x20 && code != kBackspace) return;  // other control keys type nothing
    const TZone* zone = zoneOfField(field);
    if (!zone) return;
    const QString before = fieldText(field);
    QString echoed = before + key;
    if (code == kBackspace) {
        if (before.isEmpty()) return;
        echoed = before.chopped(1);
    }
    for (const FieldLinkStep& step : FieldLinks::follow(content_.Frames, *zone)) {
        if (step.Frame != frameShown_) continue;
        const auto echoInto = [&](auto& pool, int used, bool caretToEnd) {
            for (int i = 0; i < used; ++i) {
                QWidget* linked = pool[static_cast<size_t>(i)];
                const TTextAnswerStruct* slot = slotOf(linked);
                if (linked->isHidden() || !slot || slot->ZoneIndex != step.Zone) continue;
                setFieldText(linked, echoed, caretToEnd);
                break;
            }
        };
        echoInto(MemoFields, usedMemo_, code == kBackspace);
        echoInto(EditFields, usedEdit_, false);
    }
}

// A field that the focus skips passes it on, in tab order, once it has it.
void TBZDemoQEngine::OnEnter(QWidget* field) {
    const QPointer<QWidget> from(field);
    QMetaObject::invokeMethod(
        this,
        [from] {
            if (!from || !from->hasFocus()) return;
            QWidget* next = from->nextInFocusChain();
            while (
                next && next != from &&
                !(next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus))) {
                next = next->nextInFocusChain();
            }
            if (next && next != from) next->setFocus(Qt::TabFocusReason);
        },
        Qt::QueuedConnection);
}

// A field judged after every change moves on as soon as its text is
// acceptable; the frame change waits until the field's own change is done.
void TBZDemoQEngine::OnModify(QWidget* field) {
    const ArmedField* armed = armedOf(field);
    if (finished_ || !armed || !armed->onModify) return;
    const TZone* zone = zoneOfField(field);
    if (!zone || !CheckAnswers(field, false)) return;
    const int target = zone->TargetFrame;
    const int generation = showGeneration_;
    QMetaObject::invokeMethod(
        this,
        [this, target, generation] {
            if (generation == showGeneration_ && !finished_) ShowFrame(target);
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------
// Judging

bool TBZDemoQEngine::CheckAnswers(QObject* sender, bool raise) {
    std::vector<CheckedField> fields;
    const auto look = [&](auto& pool, int used, FieldKind kind) {
        for (int i = 0; i < used; ++i) {
            QWidget* control = pool[static_cast<size_t>(i)];
            if (control->isHidden()) break;  // the visible fields of a pool are its first
            if (const TTextAnswerStruct* slot = slotOf(control)) {
                fields.push_back(CheckedField{kind, fieldText(control), slot});
            }
        }
    };
    look(AddressFields, usedAddress_, FieldKind::Address);
    look(MemoFields, usedMemo_, FieldKind::MultiLine);
    look(EditFields, usedEdit_, FieldKind::SingleLine);
    if (fields.empty()) return true;
    const bool passed = AnswerCheck::check(fields, frameShown_, content_.Frames, EnteredAnswers);
    if (!passed && raise) wrongAction(sender);
    return passed;
}

}  // namespace zentrix::simulation::panel
