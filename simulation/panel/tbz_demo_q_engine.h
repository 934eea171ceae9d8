#pragma once

// The simulation panel: plays one simulation file at a time.
//
// How an owner (the test screen, or `zentrix-sim play`) uses it:
//   - Make it with the services it reports through: the reader's two Yes/No
//     questions and the error box for files that cannot be read go to the
//     owner's dialog service, so that no test meets a modal box.
//   - Attach OnCorrectEvent and OnInCorrectEvent. Each is raised only when
//     attached; after either, the picture stops reacting (unless
//     In_TestMode), and a new LoadSimulation() starts afresh.
//   - LoadSimulation(path) for every simulation question, then give the panel
//     its bounds with setGeometry(); the picture is drawn 1:1 from the top-left
//     corner, in picture pixels, over the panel's colour.
//   - Stop() when the question is left: the timer, a sound still playing, a
//     drag pointer and the Tab handling of the frame end there, so nothing of
//     the question acts on the panel while it is parked.
//
// Everything runs on the user-interface thread. ShowFrame lets pending events
// through at fixed points (after hiding the fields, before raising
// OnCorrectEvent), and the timed advance arrives as a posted event, so a
// handler of this panel may run inside another; the panel keeps its state
// consistent at those points and drops work that a newer frame has replaced.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "simulation/answer_check.h"
#include "simulation/error_reporter.h"
#include "simulation/field_style.h"
#include "simulation/panel/panel_timer.h"
#include "simulation/panel/pointer_table.h"
#include "simulation/question_service.h"
#include "simulation/simulation_content.h"
#include "simulation/zone_hit_test.h"
#include "simulation/zone_region.h"

class QKeyEvent;
class QTimer;

namespace zentrix::simulation::panel {

class FieldEvents;
class GifImage;
class SingleLineField;
class SoundOutput;
class TBZIPMask;
class TEditWW;

class TBZDemoQEngine : public QWidget {
    Q_OBJECT
public:
    using TDemoQEngineCorrectEvent = std::function<void(TBZDemoQEngine& sender)>;
    // frame: the number of the frame shown when the wrong action happened.
    using TDemoQEngineInCorrectEvent = std::function<void(TBZDemoQEngine& sender, int frame)>;

    struct Services {
        QuestionService* questions = nullptr;  // required: the reader's Yes/No questions
        ErrorReporter* errors = nullptr;       // required: files that cannot be read
        SoundOutput* sound = nullptr;          // none: the default audio output
        PanelTimerFactory makeTimer;           // none: a window timer
        QString tempFolder;                    // none: the system's temporary folder
    };

    // The event the timer posts to move a timed zone on.
    static constexpr int kSimAdvanceMessage = 0x0710;

    explicit TBZDemoQEngine(Services services, QWidget* parent = nullptr);
    ~TBZDemoQEngine() override;

    // Loads the file and shows frame 1. False when the file could not be read
    // (the error has been reported) or the user declined one of the reader's
    // questions; the panel then shows nothing to play.
    bool LoadSimulation(const QString& path);
    // Shows frame n (from 1) and arms its zones. A frame that does not exist
    // ends the question as a wrong action.
    void ShowFrame(int n);
    // Ends everything still running for the question shown.
    void Stop();
    // Plays and shows nothing until the next LoadSimulation: for an owner
    // whose file could not be made (it has reported why).
    void Unload();

    bool In_TestMode() const { return inTestMode_; }
    void setIn_TestMode(bool on) { inTestMode_ = on; }
    void setOnCorrectEvent(TDemoQEngineCorrectEvent handler) { onCorrect_ = std::move(handler); }
    void setOnInCorrectEvent(TDemoQEngineInCorrectEvent handler) {
        onInCorrect_ = std::move(handler);
    }

    // What the panel plays, for its owner and for tests.
    int currentFrame() const;
    int frameCount() const;
    QSize pictureSize() const;
    const SimulationContent& content() const { return content_; }
    GifImage* picture() const { return GIFImage1; }
    const std::vector<TUserDefinedAnswer>& enteredAnswers() const { return EnteredAnswers; }
    const QString& tempFolder() const { return TempFolder; }
    int doubleClickWait() const { return DoubleClickWait; }
    // Frames the picture drew for the last frame change (1 for the next frame).
    int framesDrawnLastChange() const;

    // Field pools, for tests: the visible fields of a pool are its first ones.
    const std::vector<TEditWW*>& memoFields() const { return MemoFields; }
    const std::vector<SingleLineField*>& editFields() const { return EditFields; }
    const std::vector<TBZIPMask*>& addressFields() const { return AddressFields; }

    // The handlers of the picture, under their own names.
    void OnClickHandler(QObject* sender);
    void OnDblClickHandler();
    void OnMouseMoveHandler(Qt::KeyboardModifiers shift, QPoint point);
    void OnMouseDownHandler(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void GIFImage1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void Timer1Timer();

    // Fields.
    bool CheckAnswers(QObject* sender, bool raise);
    void DetachPictureHandlers();
    void DetachFieldKeys(QObject* control);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TimerModes { Delay, DoubleClickWait };

    // A field control of one of the pools, with its handlers and the index of
    // its answer slot in the frame shown.
    struct ArmedField {
        QWidget* control = nullptr;
        FieldKind kind = FieldKind::MultiLine;
        FieldEvents* events = nullptr;
        int slot = -1;
        bool onModify = false;  // judged after every change
    };

    // Playing.
    void emptyPools();
    void hidePooledFields();
    void registerPointers();
    void armZone(const TZone& zone, int number);
    void attachPictureHandlers();
    void stepPictureTo(int n);
    void rechoosePointer();
    void raiseOutcome(const std::function<void()>& raise);
    void raiseCorrect(QObject* sender);
    void wrongAction(QObject* sender);
    const TFrame* shownFrame() const;
    KeyState keyState() const;
    void setScreenPointer(const std::optional<QCursor>& pointer);
    void setPicturePointer(const std::optional<QCursor>& pointer);
    void applyZonePointer(QWidget* target, const TZone& zone);
    void stopPointerAnimation();
    void letPendingEventsThrough();

    // Fields.
    void resetFieldPools();
    void armTextField(const TZone& zone, int number);
    void armAddressField(const TZone& zone, int number);
    template <typename Field>
    Field* takeField(std::vector<Field*>& pool, int& used, FieldKind kind);
    TTextAnswerStruct& nextSlot(const TZone& zone, int number, QWidget* control);
    void placeInTabOrder(QWidget* control, bool tabStop);
    ArmedField* armedOf(const QWidget* control);
    const ArmedField* armedOf(const QWidget* control) const;
    void styleField(QWidget* control, const FieldStyle& style);
    void takeFocus(QWidget* control, bool enabled);
    bool FieldKeyDown(QWidget* field, QKeyEvent& key);
    void PlaceKeyPress(QWidget* field, QChar key);
    void OnEnter(QWidget* field);
    void OnModify(QWidget* field);
    bool TabKeyHook(QKeyEvent& key);
    void submitField(QWidget* field);
    const TZone* zoneOfField(const QWidget* field) const;
    const TTextAnswerStruct* slotOf(const QWidget* field) const;
    const TZone* ZoneOfCurrentFrame(int z) const;
    FieldEvents* eventsOf(const QWidget* field) const;
    void setFieldText(QWidget* field, const QString& text, bool caretToEnd);
    QString fieldText(const QWidget* field) const;

    Services services_;
    std::unique_ptr<SoundOutput> ownSound_;
    SoundOutput* sound_ = nullptr;

    GifImage* GIFImage1 = nullptr;
    std::unique_ptr<PanelTimer> Timer1;
    QTimer* pointerAnimation_ = nullptr;

    bool inTestMode_ = false;
    TDemoQEngineCorrectEvent onCorrect_;
    TDemoQEngineInCorrectEvent onInCorrect_;

    SimulationContent content_;  // Frames, CursorFiles, Sounds and the picture
    PointerTable pointers_;
    std::vector<ZoneRegion> Regions;
    ZoneList CursorZones, ClickZones, DoubleClickZones, PressZones, ReleaseZones;

    std::vector<TEditWW*> MemoFields;
    std::vector<SingleLineField*> EditFields;
    std::vector<TBZIPMask*> AddressFields;
    std::vector<TTextAnswerStruct> AnswerSlots;
    std::vector<TUserDefinedAnswer> EnteredAnswers;
    std::vector<QWidget*> TabFields, ClickFields;
    std::vector<ArmedField> armed_;  // every field control ever made, with its handlers
    int usedMemo_ = 0, usedEdit_ = 0, usedAddress_ = 0, usedSlots_ = 0, tabOrder_ = 0;
    bool focusPending_ = false;
    bool addressFocusTaken_ = false;
    QPointer<QWidget> lastTabStop_;

    QString TempFolder;
    int DoubleClickWait = 0;
    TimerModes TimerMode = TimerModes::Delay;
    int DelayLeft = 0;
    int PendingFrame = 0;
    bool DragActive = false;
    bool DragCursorShown = false;
    bool SkipNextPress = false;
    Qt::MouseButton PressButton = Qt::LeftButton;
    QPoint PressPoint;
    int DragStartFrame = 0;
    bool tabHookInstalled_ = false;
    bool screenPointerSet_ = false;
    bool pictureHidden_ = false;
    bool playing_ = false;       // a file is loaded and a frame shown
    bool finished_ = false;      // an outcome was raised outside test mode
    bool holdFinished_ = false;  // a frame shown after the outcome keeps it finished
    int frameShown_ = 0;         // the frame ShowFrame armed, 0 for none
    int showGeneration_ = 0;     // counts ShowFrame calls, so that stale work is dropped
    const TZone* animatedZone_ = nullptr;
    int animationStep_ = 0;
};

}  // namespace zentrix::simulation::panel
