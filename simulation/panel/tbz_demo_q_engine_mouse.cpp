// The panel's mouse handlers: press, click, double click, move and release
// on the picture, judged against the zone lists of the frame shown.

#include <QGuiApplication>

#include "simulation/panel/gif_image.h"
#include "simulation/panel/tbz_demo_q_engine.h"
#include "simulation/zone_type.h"

namespace zentrix::simulation::panel {

namespace {
constexpr int type(ZoneType t) { return static_cast<int>(t); }
}  // namespace

void TBZDemoQEngine::OnMouseDownHandler(Qt::MouseButton button, Qt::KeyboardModifiers,
                                        QPoint point) {
    PressPoint = point;
    if (SkipNextPress) {
        // The press that comes with a double click, arriving on the new frame.
        SkipNextPress = false;
        return;
    }
    PressButton = button;
    if (!PressZones.empty()) {
        const KeyState keys = keyState();
        const TZone* zone =
            ZoneHitTest::HitZone(point, PressZones, type(ZoneType::Press), Regions, keys);
        if (!zone && button == Qt::RightButton) {
            zone =
                ZoneHitTest::HitZone(point, PressZones, type(ZoneType::RightPress), Regions, keys);
        }
        if (zone) {
            if (button == Qt::RightButton && zone->ZoneType == type(ZoneType::Press)) {
                wrongAction(this);
                return;
            }
            if (zone->ZoneFlags & layout::kZonePointerFlag) {
                setScreenPointer(pointers_.pointerFor(*zone));
            }
            DragActive = true;
            ShowFrame(zone->TargetFrame);  // fields are not judged for a press
            return;
        }
    }
    if (button != Qt::RightButton) return;  // a left press is judged as a click
    const TZone* zone = ZoneHitTest::HitZone(PressPoint, ClickZones, type(ZoneType::RightClick),
                                             Regions, keyState());
    if (!zone) {
        wrongAction(this);
        return;
    }
    if (CheckAnswers(this, true)) ShowFrame(zone->TargetFrame);
}

void TBZDemoQEngine::OnClickHandler(QObject* sender) {
    if (DragActive) return;  // the release handler deals with it
    if (sender != GIFImage1) {
        QWidget* field = qobject_cast<QWidget*>(sender);
        if (finished_ || !field) return;
        if (std::find(ClickFields.begin(), ClickFields.end(), field) == ClickFields.end()) return;
        const TZone* zone = zoneOfField(field);
        if (zone && CheckAnswers(field, true)) ShowFrame(zone->TargetFrame);
        return;
    }
    if (ClickZones.empty() && DoubleClickZones.empty()) {
        wrongAction(this);
        return;
    }
    const KeyState keys = keyState();
    const TZone* zone = nullptr;
    if (PressButton == Qt::LeftButton) {
        zone = ZoneHitTest::HitZone(PressPoint, ClickZones, type(ZoneType::Click), Regions, keys);
        if (!zone) {
            zone = ZoneHitTest::HitZone(PressPoint, ClickZones, type(ZoneType::WrongClick), Regions,
                                        keys);
        }
    } else if (PressButton == Qt::RightButton) {
        zone =
            ZoneHitTest::HitZone(PressPoint, ClickZones, type(ZoneType::RightClick), Regions, keys);
    }
    if (zone) {
        if (zone->ZoneType == type(ZoneType::WrongClick)) {
            wrongAction(this);
        } else if (CheckAnswers(this, true)) {
            ShowFrame(zone->TargetFrame);
        }
        return;
    }
    if (ZoneHitTest::HitZone(PressPoint, DoubleClickZones, type(ZoneType::DoubleClick), Regions,
                             keys)) {
        // Perhaps the first click of a double click: wait for the second.
        TimerMode = TimerModes::DoubleClickWait;
        Timer1->start(DoubleClickWait);
        return;
    }
    wrongAction(this);
}

void TBZDemoQEngine::OnDblClickHandler() {
    Timer1->stop();
    if (!DoubleClickZones.empty()) {
        if (const TZone* zone = ZoneHitTest::HitZone(
                PressPoint, DoubleClickZones, type(ZoneType::DoubleClick), Regions, keyState())) {
            if (CheckAnswers(this, true)) {
                SkipNextPress = true;
                ShowFrame(zone->TargetFrame);
            }
            return;
        }
    }
    // A double click where a single click was expected: the first click has
    // moved on already, and the double click lands on the next frame.
    wrongAction(this);
}

void TBZDemoQEngine::OnMouseMoveHandler(Qt::KeyboardModifiers, QPoint point) {
    if (CursorZones.empty()) return;
    if (const TZone* zone = ZoneHitTest::CursorZoneAt(point, CursorZones, Regions)) {
        applyZonePointer(GIFImage1, *zone);
        if (DragActive) {
            DragCursorShown = true;
            setScreenPointer(GIFImage1->cursor());
        }
        if (zone->ZoneType != type(ZoneType::Hover)) return;
    } else if (DragCursorShown && DragActive) {
        DragCursorShown = false;
        setPicturePointer(std::nullopt);
        setScreenPointer(GIFImage1->cursor());
    }
    if (const TZone* hover =
            ZoneHitTest::HitZone(point, CursorZones, type(ZoneType::Hover), Regions, keyState())) {
        if (CheckAnswers(this, true)) ShowFrame(hover->TargetFrame);
    } else if (!DragActive) {
        setPicturePointer(std::nullopt);
    }
}

void TBZDemoQEngine::GIFImage1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint point) {
    if (!DragActive) return;
    DragActive = false;
    setScreenPointer(std::nullopt);
    int next = 0;
    const TZone* release = ReleaseZones.empty()
                               ? nullptr
                               : ZoneHitTest::HitZone(point, ReleaseZones, type(ZoneType::Release),
                                                      Regions, keyState());
    if (release) {
        if (!CheckAnswers(this, true)) return;
        next = release->TargetFrame;
        ShowFrame(next);
        return;
    }
    // Dropped outside every release zone: wrong, and back to the frame where
    // the drag began.
    wrongAction(this);
    if (DragStartFrame >= 1) {
        pictureHidden_ = true;
        GIFImage1->setUpdatesEnabled(false);
        GIFImage1->showFrame(DragStartFrame);
        GIFImage1->setUpdatesEnabled(true);
        pictureHidden_ = false;
    }
    next = DragStartFrame + 1;
    holdFinished_ = finished_;
    ShowFrame(next);
    if (holdFinished_) DetachPictureHandlers();
    holdFinished_ = false;
}

}  // namespace zentrix::simulation::panel
