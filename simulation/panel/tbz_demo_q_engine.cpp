// The panel: making it, loading a file, showing and arming frames, outcomes,
// the timer and the posted advance. Mouse handlers are in
// tbz_demo_q_engine_mouse.cpp, fields in tbz_demo_q_engine_fields.cpp.

#include "simulation/panel/tbz_demo_q_engine.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

#include "simulation/panel/field_events.h"
#include "simulation/panel/gif_image.h"
#include "simulation/panel/single_line_field.h"
#include "simulation/panel/sound_output.h"
#include "simulation/panel/tbz_ip_mask.h"
#include "simulation/panel/tedit_ww.h"
#include "simulation/pointer_file.h"
#include "simulation/simulation_loader.h"
#include "simulation/zone_type.h"

namespace zentrix::simulation::panel {

namespace {

constexpr int kTickMs = 100;
constexpr int kDoubleClickExtraMs = 100;
constexpr int kMaxTempFolderLength = 260;

// The posted advance of a timed zone; it carries the frame change it belongs
// to, so that one posted for an earlier frame is dropped.
class SimAdvanceEvent : public QEvent {
public:
    static QEvent::Type type() {
        static const auto registered = static_cast<QEvent::Type>(
            QEvent::registerEventType(QEvent::User + TBZDemoQEngine::kSimAdvanceMessage));
        return registered;
    }
    explicit SimAdvanceEvent(int generation) : QEvent(type()), generation(generation) {}
    const int generation;
};

QString withTrailingSeparator(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\'))) {
        folder += QLatin1Char('/');
    }
    return folder.left(kMaxTempFolderLength);
}

}  // namespace

TBZDemoQEngine::TBZDemoQEngine(Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    Q_ASSERT(services_.questions && services_.errors);
    setAccessibleName(tr("Simulation"));
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(true);

    GIFImage1 = new GifImage(this);
    GIFImage1->setGeometry(rect());
    GIFImage1->lower();
    GIFImage1->setPicture(&content_.Picture);
    GIFImage1->OnMouseUp = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                  QPoint point) { GIFImage1MouseUp(button, shift, point); };

    Timer1 = services_.makeTimer ? services_.makeTimer() : std::make_unique<QtPanelTimer>();
    Timer1->onTimeout = [this] { Timer1Timer(); };
    pointerAnimation_ = new QTimer(this);
    pointerAnimation_->setSingleShot(true);
    connect(pointerAnimation_, &QTimer::timeout, this, [this] {
        if (!animatedZone_) return;
        ++animationStep_;
        setPicturePointer(pointers_.pointerFor(*animatedZone_, animationStep_));
        if (DragCursorShown && DragActive) setScreenPointer(GIFImage1->cursor());
        const PointerFile* file = pointers_.animationFor(*animatedZone_);
        if (!file) return;
        const auto steps = file->StepJiffies.size();
        pointerAnimation_->start(file->StepJiffies[static_cast<size_t>(animationStep_) % steps] *
                                 1000 / PointerFile::kJiffiesPerSecond);
    });

    if (!services_.sound) {
        ownSound_ = std::make_unique<WaveSoundOutput>();
        sound_ = ownSound_.get();
    } else {
        sound_ = services_.sound;
    }
    TempFolder = withTrailingSeparator(services_.tempFolder.isEmpty() ? QDir::tempPath()
                                                                      : services_.tempFolder);
    DoubleClickWait = QApplication::doubleClickInterval() + kDoubleClickExtraMs;
    PendingFrame = 0;
    TimerMode = TimerModes::Delay;
}

TBZDemoQEngine::~TBZDemoQEngine() {
    Stop();
    Timer1->onTimeout = nullptr;
}

int TBZDemoQEngine::currentFrame() const { return GIFImage1->currentFrame(); }
int TBZDemoQEngine::frameCount() const { return content_.Picture.frameCount(); }
QSize TBZDemoQEngine::pictureSize() const { return content_.Picture.size(); }
int TBZDemoQEngine::framesDrawnLastChange() const { return content_.Picture.framesDrawnLastTime(); }

const TFrame* TBZDemoQEngine::shownFrame() const {
    if (frameShown_ < 1 || frameShown_ > static_cast<int>(content_.Frames.size())) return nullptr;
    return &content_.Frames[static_cast<size_t>(frameShown_ - 1)];
}

KeyState TBZDemoQEngine::keyState() const {
    const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
    return KeyState{held.testFlag(Qt::ControlModifier), held.testFlag(Qt::ShiftModifier),
                    held.testFlag(Qt::AltModifier)};
}

void TBZDemoQEngine::letPendingEventsThrough() { QCoreApplication::processEvents(); }

// ---------------------------------------------------------------------------
// Loading

bool TBZDemoQEngine::LoadSimulation(const QString& path) {
    Stop();
    SkipNextPress = false;
    finished_ = false;
    frameShown_ = 0;
    emptyPools();

    SimulationLoader loader(*services_.questions);
    auto outcome = loader.load(path, content_);
    GIFImage1->update();
    if (!outcome) {
        content_.clear();
        hidePooledFields();
        services_.errors->reportError(QString::fromStdString(outcome.message()));
        return false;
    }
    if (*outcome == LoadOutcome::Declined) {
        hidePooledFields();
        return false;
    }
    if (*outcome == LoadOutcome::ReadNothing || frameCount() == 0) {
        // Nothing of this file was read: what the panel still holds belongs
        // to the simulation before, whose pointers and sounds are gone.
        content_.clear();
        hidePooledFields();
        return false;
    }

    registerPointers();
    hidePooledFields();
    GIFImage1->setPicture(&content_.Picture);
    GIFImage1->showFrame(1);
    playing_ = true;
    ShowFrame(1);
    return true;
}

void TBZDemoQEngine::Unload() {
    Stop();
    SkipNextPress = false;
    finished_ = false;
    frameShown_ = 0;
    emptyPools();
    content_.clear();
    hidePooledFields();
    GIFImage1->update();
}

// The single-line and address fields stay in their pools for reuse; a file
// that does not play must not leave those of the simulation before on show.
void TBZDemoQEngine::hidePooledFields() {
    for (SingleLineField* field : EditFields) field->hide();
    for (TBZIPMask* field : AddressFields) field->hide();
}

void TBZDemoQEngine::emptyPools() {
    EnteredAnswers.clear();
    for (TEditWW* field : MemoFields) {
        armed_.erase(std::remove_if(armed_.begin(), armed_.end(),
                                    [field](const ArmedField& f) { return f.control == field; }),
                     armed_.end());
        delete field;
    }
    MemoFields.clear();
    usedMemo_ = 0;
    pointers_.clear();
    content_.CursorFiles.clear();
    content_.Sounds.clear();
    Regions.clear();
    CursorZones.clear();
    ClickZones.clear();
    DoubleClickZones.clear();
    PressZones.clear();
    ReleaseZones.clear();
    TabFields.clear();
    ClickFields.clear();
}

// Embedded pointer files are written to the temporary folder under their
// stored names (plain file names, checked when read) and registered under
// their CursorIndex + 1. A pointer that cannot be read leaves the default.
void TBZDemoQEngine::registerPointers() {
    for (const TFrame& frame : content_.Frames) {
        for (const TZone& zone : frame.Zones) {
            if (!zone.hasPointer() || zone.CursorCode != layout::kCursorEmbedded) continue;
            if (zone.CursorIndex < 0 || zone.CursorIndex >= content_.CursorFiles.size()) continue;
            const QByteArray& bytes = content_.CursorFiles[zone.CursorIndex];
            QFile file(TempFolder + zone.CursorFileName);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
            file.close();
            if (auto pointer = PointerFile::parse(bytes)) {
                pointers_.add(zone.CursorIndex + 1, *pointer);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Showing a frame

void TBZDemoQEngine::ShowFrame(int n) {
    if (!playing_) return;
    if (n < 1 || n > frameCount()) {
        // A target that names no frame: the action cannot be done right.
        wrongAction(this);
        return;
    }
    const int generation = ++showGeneration_;
    const QPointer<TBZDemoQEngine> self(this);
    if (!holdFinished_) finished_ = false;

    // 1. Timer, Tab handling, pending advance.
    Timer1->stop();
    if (tabHookInstalled_) {
        qApp->removeEventFilter(this);
        tabHookInstalled_ = false;
    }
    PendingFrame = 0;
    tabOrder_ = 0;
    // 2.
    Regions.clear();
    // 3. During a drag the press zone's pointer stays on the whole screen.
    if (!DragActive) {
        setScreenPointer(std::nullopt);
        setPicturePointer(std::nullopt);
        DragCursorShown = false;
    }
    // 4, 5.
    resetFieldPools();
    GIFImage1->OnClick = nullptr;
    GIFImage1->OnDblClick = nullptr;
    GIFImage1->OnMouseMove = nullptr;
    GIFImage1->OnMouseDown = nullptr;
    letPendingEventsThrough();
    if (!self || generation != showGeneration_) return;

    // 6.
    const TFrame& frame = content_.Frames[static_cast<size_t>(n - 1)];
    for (const TZone& zone : frame.Zones) {
        if (zone.ZoneType == static_cast<int>(ZoneType::Press)) DragStartFrame = n - 1;
    }
    // 7.
    stepPictureTo(n);
    frameShown_ = n;
    // 8.
    setFocus(Qt::OtherFocusReason);
    rechoosePointer();
    GIFImage1->update();
    // 9.
    ReleaseZones.clear();
    PressZones.clear();
    TabFields.clear();
    ClickZones.clear();
    DoubleClickZones.clear();
    CursorZones.clear();
    ClickFields.clear();
    // 10.
    attachPictureHandlers();
    // 11.
    bool endFrame = false;
    for (int z = 1; z <= frame.ZoneCount(); ++z) {
        const TZone& zone = frame.Zones[static_cast<size_t>(z - 1)];
        if (zone.TargetFrame == n) endFrame = true;
        armZone(zone, z);
    }
    // 12.
    if (endFrame) {
        letPendingEventsThrough();
        if (!self || generation != showGeneration_) return;
        if (onCorrect_ && !finished_) {
            DetachPictureHandlers();
            raiseOutcome([this] {
                if (auto handler = onCorrect_) handler(*this);
            });
        }
    }
}

// Partial GIF frames compose: the picture steps through every frame between,
// hidden meanwhile, so that only the final screenshot is painted.
void TBZDemoQEngine::stepPictureTo(int n) {
    const int shown = GIFImage1->currentFrame();
    if (shown == n) return;
    const bool steps = n < shown || shown + 1 < n;
    if (steps) {
        pictureHidden_ = true;
        GIFImage1->setUpdatesEnabled(false);
    }
    GIFImage1->showFrame(n);
    if (steps) {
        GIFImage1->setUpdatesEnabled(true);
        pictureHidden_ = false;
    }
}

void TBZDemoQEngine::attachPictureHandlers() {
    GIFImage1->OnClick = [this] { OnClickHandler(GIFImage1); };
    GIFImage1->OnDblClick = [this] { OnDblClickHandler(); };
    GIFImage1->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                    QPoint point) { OnMouseDownHandler(button, shift, point); };
}

void TBZDemoQEngine::DetachPictureHandlers() {
    if (inTestMode_) return;
    GIFImage1->OnClick = nullptr;
    GIFImage1->OnDblClick = nullptr;
    GIFImage1->OnMouseMove = nullptr;
    GIFImage1->OnMouseDown = nullptr;
}

// The pointer under the mouse is chosen anew for the new frame, as if the
// mouse had moved where it is: the move handler the frame attaches runs once
// the frame is armed.
void TBZDemoQEngine::rechoosePointer() {
    const int generation = showGeneration_;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation != showGeneration_ || !GIFImage1->OnMouseMove) return;
            const QPoint point = GIFImage1->mapFromGlobal(QCursor::pos());
            if (!GIFImage1->rect().contains(point)) return;
            if (auto handler = GIFImage1->OnMouseMove) {
                handler(QGuiApplication::keyboardModifiers(), point);
            }
        },
        Qt::QueuedConnection);
}

void TBZDemoQEngine::armZone(const TZone& zone, int number) {
    const auto addPointerZone = [this](const TZone& z) {
        if (z.ZoneFlags & layout::kZonePointerFlag) {
            CursorZones.push_back(&z);
            GIFImage1->OnMouseMove = [this](Qt::KeyboardModifiers shift, QPoint point) {
                OnMouseMoveHandler(shift, point);
            };
        }
    };
    const auto addRegion = [this](const TZone& z) { Regions.push_back(ZoneRegion::of(z)); };
    switch (static_cast<ZoneType>(zone.ZoneType)) {
        case ZoneType::Hover:
            CursorZones.push_back(&zone);
            GIFImage1->OnMouseMove = [this](Qt::KeyboardModifiers shift, QPoint point) {
                OnMouseMoveHandler(shift, point);
            };
            addRegion(zone);
            break;
        case ZoneType::Click:
        case ZoneType::RightClick:
        case ZoneType::WrongClick:
            ClickZones.push_back(&zone);
            addPointerZone(zone);
            addRegion(zone);
            break;
        case ZoneType::DoubleClick:
            DoubleClickZones.push_back(&zone);
            addPointerZone(zone);
            addRegion(zone);
            break;
        case ZoneType::Timed:
            // The pointer shows at once; Qt needs no mouse move for that.
            if (zone.ZoneFlags & layout::kZonePointerFlag) applyZonePointer(GIFImage1, zone);
            DelayLeft = zone.DelayTicks;
            PendingFrame = zone.TargetFrame;
            TimerMode = TimerModes::Delay;
            Timer1->start(kTickMs);
            break;
        case ZoneType::Pointer:
            applyZonePointer(GIFImage1, zone);
            CursorZones.push_back(&zone);
            GIFImage1->OnMouseMove = [this](Qt::KeyboardModifiers shift, QPoint point) {
                OnMouseMoveHandler(shift, point);
            };
            addRegion(zone);
            break;
        case ZoneType::Press:
        case ZoneType::RightPress:
            PressZones.push_back(&zone);
            addPointerZone(zone);
            addRegion(zone);
            break;
        case ZoneType::Release:
            ReleaseZones.push_back(&zone);
            addPointerZone(zone);
            addRegion(zone);
            break;
        case ZoneType::EnterField:
        case ZoneType::PlainField:
        case ZoneType::TabField:
        case ZoneType::Key:
            armTextField(zone, number);
            break;
        case ZoneType::Address:
            armAddressField(zone, number);
            break;
        case ZoneType::Sound:
            if (zone.SoundIndex >= 0 && zone.SoundIndex < content_.Sounds.size()) {
                sound_->play(content_.Sounds[zone.SoundIndex]);
            }
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------
// Pointers

void TBZDemoQEngine::setScreenPointer(const std::optional<QCursor>& pointer) {
    if (!pointer) {
        if (screenPointerSet_) QGuiApplication::restoreOverrideCursor();
        screenPointerSet_ = false;
        return;
    }
    if (screenPointerSet_) {
        QGuiApplication::changeOverrideCursor(*pointer);
    } else {
        QGuiApplication::setOverrideCursor(*pointer);
        screenPointerSet_ = true;
    }
}

void TBZDemoQEngine::setPicturePointer(const std::optional<QCursor>& pointer) {
    if (pointer) {
        GIFImage1->setCursor(*pointer);
    } else {
        stopPointerAnimation();
        GIFImage1->unsetCursor();
    }
}

void TBZDemoQEngine::applyZonePointer(QWidget* target, const TZone& zone) {
    const auto pointer = pointers_.pointerFor(zone);
    if (target != GIFImage1) {
        if (pointer) {
            target->setCursor(*pointer);
        } else {
            target->unsetCursor();
        }
        return;
    }
    stopPointerAnimation();
    setPicturePointer(pointer);
    if (const PointerFile* animation = pointers_.animationFor(zone)) {
        animatedZone_ = &zone;
        animationStep_ = 0;
        pointerAnimation_->start(animation->StepJiffies.front() * 1000 /
                                 PointerFile::kJiffiesPerSecond);
    }
}

void TBZDemoQEngine::stopPointerAnimation() {
    pointerAnimation_->stop();
    animatedZone_ = nullptr;
    animationStep_ = 0;
}

// ---------------------------------------------------------------------------
// Outcomes

void TBZDemoQEngine::raiseOutcome(const std::function<void()>& raise) {
    if (!inTestMode_) {
        // Finished: nothing of this play may act any more, nor raise a second
        // outcome, until a new load or frame starts playing again.
        finished_ = true;
        Timer1->stop();
        PendingFrame = 0;
    }
    raise();
}

void TBZDemoQEngine::raiseCorrect(QObject* sender) {
    if (finished_ || !onCorrect_) return;
    DetachFieldKeys(sender);
    DetachPictureHandlers();
    raiseOutcome([this] {
        if (auto handler = onCorrect_) handler(*this);
    });
}

void TBZDemoQEngine::wrongAction(QObject* sender) {
    if (finished_ || !onInCorrect_) return;
    DetachFieldKeys(sender);
    DetachPictureHandlers();
    const int frame = GIFImage1->currentFrame();
    raiseOutcome([this, frame] {
        if (auto handler = onInCorrect_) handler(*this, frame);
    });
}

void TBZDemoQEngine::Stop() {
    ++showGeneration_;  // drops queued pointer choices and posted advances
    Timer1->stop();
    PendingFrame = 0;
    if (sound_) sound_->stop();
    if (tabHookInstalled_) {
        qApp->removeEventFilter(this);
        tabHookInstalled_ = false;
    }
    DragActive = false;
    DragCursorShown = false;
    setScreenPointer(std::nullopt);
    setPicturePointer(std::nullopt);
    GIFImage1->OnClick = nullptr;
    GIFImage1->OnDblClick = nullptr;
    GIFImage1->OnMouseMove = nullptr;
    GIFImage1->OnMouseDown = nullptr;
    for (ArmedField& field : armed_) field.events->clear();
    playing_ = false;
}

// ---------------------------------------------------------------------------
// Timer and the posted advance

void TBZDemoQEngine::Timer1Timer() {
    if (TimerMode == TimerModes::DoubleClickWait) {
        Timer1->stop();
        wrongAction(this);  // one click came where a double click was expected
        return;
    }
    if (DelayLeft != 0) {
        --DelayLeft;
        return;
    }
    Timer1->stop();
    if (PendingFrame == 0) PendingFrame = GIFImage1->currentFrame() + 1;
    if (!pictureHidden_) {
        QCoreApplication::postEvent(this, new SimAdvanceEvent(showGeneration_));
    }
}

bool TBZDemoQEngine::event(QEvent* event) {
    if (event->type() == SimAdvanceEvent::type()) {
        const int generation = static_cast<SimAdvanceEvent*>(event)->generation;
        const QPointer<TBZDemoQEngine> self(this);
        letPendingEventsThrough();
        if (!self || generation != showGeneration_ || finished_) return true;
        if (PendingFrame > 0) ShowFrame(PendingFrame);
        return true;
    }
    return QWidget::event(event);
}

void TBZDemoQEngine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    GIFImage1->setGeometry(rect());  // the picture fills the panel
}

bool TBZDemoQEngine::eventFilter(QObject* watched, QEvent* event) {
    if (tabHookInstalled_ && event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Tab && TabKeyHook(key)) return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zentrix::simulation::panel
