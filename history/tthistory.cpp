#include "history/tthistory.h"

#include "base/ascii_text.h"
#include "base/windows1252.h"
#include "xbase/engine.h"
#include "xbase/folder_path.h"
#include "xbase/table.h"

namespace zentrix::history {

namespace {

// Fixed-width fields come back blank-padded; only the padding is dropped. A
// leading blank belongs to what was typed: dropping it would shift the key
// and no later lookup would find the record again.
std::string trimPadding(const std::string& s) {
    return base::ascii::trimmedRight(s, base::ascii::kBlank);
}

std::string cut(const std::string& s, size_t width) {
    return s.size() > width ? s.substr(0, width) : s;
}

// The attempt a store started is recognised by everything StartTest wrote.
bool isSameAttempt(const HistorySlot& a, const HistorySlot& started) {
    return a.TIMEEND == 0 && a.DATE == started.DATE && a.TIMESTR == started.TIMESTR &&
           a.QType == started.QType && a.QTAKEN == started.QTAKEN && a.TestID == started.TestID;
}

}  // namespace

TTHistory::TTHistory(xbase::Engine& engine, std::string databaseFolder, base::MessageSink& messages,
                     std::shared_ptr<const Clock> clock)
    : engine_(engine),
      folder_(xbase::asFolderText(std::move(databaseFolder))),
      messages_(messages),
      clock_(clock ? std::move(clock) : std::make_shared<SystemClock>()) {
    // A code left pending by an earlier owner of the engine is not ours to judge.
    engine_.takeErrorCode();
    const bool obtained = openOrCreate();
    const int code = engine_.takeErrorCode();
    if (!obtained || code != xbase::kNoError || !lookUpHandles()) {
        table_.reset();
        messages_.showMessage(kHistoryUnavailableMessage);
    }
}

TTHistory::~TTHistory() = default;

bool TTHistory::openOrCreate() {
    // Only a missing table is created: one that exists but cannot be read
    // holds every learner's history and must survive for a repair.
    auto table = engine_.openOrCreate(folder_ + "TESTHIST", HistoryFields(), HistoryTags());
    if (!table) {
        lastError_ = table.message();
        return false;
    }
    table_ = std::move(table.value());
    return true;
}

bool TTHistory::lookUpHandles() {
    if (!table_) return false;
    fID_ = table_->field("ID");
    fKeyID_ = table_->field("KEYID");
    fName_ = table_->field("NAME");
    fCourseID_ = table_->field("COURSEID");
    bool complete = fID_ && fKeyID_ && fName_ && fCourseID_;
    for (int n = 0; n < kHistorySlots; ++n) {
        const std::string s = "_" + std::to_string(n + 1);
        SlotFields& f = slots_[n];
        f.QType = table_->field("QTYPE" + s);
        f.DATE = table_->field("DATE" + s);
        f.TIMESTR = table_->field("TIMESTR" + s);
        f.TIMEEND = table_->field("TIMEEND" + s);
        f.QTAKEN = table_->field("QTAKEN" + s);
        f.QRIGHT = table_->field("QRIGHT" + s);
        f.QTRIED = table_->field("QTRIED" + s);
        f.TestID = table_->field("TESTID" + s);
        complete = complete && f.QType && f.DATE && f.TIMESTR && f.TIMEEND && f.QTAKEN &&
                   f.QRIGHT && f.QTRIED && f.TestID;
    }
    tagID_ = table_->tag("ID");
    tagKeyID_ = table_->tag("KEYID");
    tagNameID_ = table_->tag("NAMEID");
    tagCourseID_ = table_->tag("COURSEID");
    complete = complete && tagID_ && tagKeyID_ && tagNameID_ && tagCourseID_;
    if (!complete) lastError_ = "TESTHIST lacks fields or tags of the history layout";
    return complete;
}

HistorySess TTHistory::readCurrent() const {
    HistorySess s;
    s.ID = static_cast<int32_t>(table_->asLong(fID_));
    // The key stays exactly as HistoryKey made it.
    s.KeyID = table_->text(fKeyID_);
    s.Name = trimPadding(table_->text(fName_));
    s.CourseID = trimPadding(table_->text(fCourseID_));
    for (int n = 0; n < kHistorySlots; ++n) {
        const SlotFields& f = slots_[n];
        HistorySlot& slot = s.Slots[n];
        slot.QType = static_cast<uint8_t>(table_->asInt(f.QType));
        slot.DATE = static_cast<int32_t>(table_->asLong(f.DATE));
        slot.TIMESTR = static_cast<int32_t>(table_->asLong(f.TIMESTR));
        slot.TIMEEND = static_cast<int32_t>(table_->asLong(f.TIMEEND));
        slot.QTAKEN = static_cast<int32_t>(table_->asLong(f.QTAKEN));
        slot.QRIGHT = static_cast<int32_t>(table_->asLong(f.QRIGHT));
        slot.QTRIED = static_cast<int32_t>(table_->asLong(f.QTRIED));
        slot.TestID = trimPadding(table_->text(f.TestID));
    }
    return s;
}

bool TTHistory::writeCurrent(const HistorySess& s) {
    xbase::Status st;
    auto step = [&st](xbase::Status next) {
        if (st.isOk()) st = std::move(next);
    };
    step(table_->assignLong(fID_, s.ID));
    step(table_->assign(fKeyID_, s.KeyID));
    step(table_->assign(fName_, s.Name));
    step(table_->assign(fCourseID_, s.CourseID));
    for (int n = 0; n < kHistorySlots; ++n) {
        const SlotFields& f = slots_[n];
        const HistorySlot& slot = s.Slots[n];
        step(table_->assignInt(f.QType, slot.QType));
        step(table_->assignLong(f.DATE, slot.DATE));
        step(table_->assignLong(f.TIMESTR, slot.TIMESTR));
        step(table_->assignLong(f.TIMEEND, slot.TIMEEND));
        step(table_->assignLong(f.QTAKEN, slot.QTAKEN));
        step(table_->assignLong(f.QRIGHT, slot.QRIGHT));
        step(table_->assignLong(f.QTRIED, slot.QTRIED));
        step(table_->assign(f.TestID, slot.TestID));
    }
    step(table_->commit());
    if (st.isOk()) return true;
    // Leave nothing half-assigned behind for a later move to commit. The
    // write's failure is the one to report; a failed re-read adds nothing
    // (the engine has discarded the group already).
    (void)table_->refresh();
    return fail(st.message());
}

bool TTHistory::fail(const std::string& what) {
    lastError_ = what;
    return false;
}

bool TTHistory::seekKey(const std::string& key) {
    if (!table_->selectTag(tagKeyID_).isOk()) return false;
    return table_->seek(key);
}

bool TTHistory::KeyIDExists(const std::string& name, const std::string& course) {
    if (!valid()) return false;
    const std::string key = HistoryKey(name, course);
    if (!seekKey(key)) return false;
    // Stored texts are blank-padded, so blanks after the typed name cannot
    // tell two records apart: both sides lose them before comparing.
    const std::string upperName = base::windows1252Upper(trimPadding(name));
    const std::string upperCourse = base::windows1252Upper(trimPadding(course));
    do {
        if (table_->text(fKeyID_) != key) break;
        if (base::windows1252Upper(trimPadding(table_->text(fName_))) == upperName &&
            base::windows1252Upper(trimPadding(table_->text(fCourseID_))) == upperCourse) {
            return true;
        }
    } while (table_->skip(1));
    return false;
}

bool TTHistory::OpenHistorySess(int id, const std::string& key, int mode, const std::string& course,
                                const std::string& name) {
    if (!valid()) return false;
    bool found = false;
    switch (mode) {
        case 1:
            found = table_->selectTag(tagID_).isOk() && table_->seek(static_cast<double>(id));
            break;
        case 2:
            found = seekKey(HistoryKey(name, course));
            break;
        case 3:
            found = seekKey(base::windows1252Upper(key));
            break;
        default:
            found = true;
            break;
    }
    if (!found) return false;
    session_ = readCurrent();
    started_.reset();
    return true;
}

int TTHistory::nextIdLocked() {
    if (!table_->selectTag(tagID_).isOk() || !table_->bottom()) return 1;
    return static_cast<int>(table_->asLong(fID_)) + 1;
}

int TTHistory::GetNextId() {
    if (!valid()) return 0;
    return nextIdLocked();
}

int TTHistory::AddHistorySess(const std::string& name, const std::string& course) {
    if (!valid()) return 0;
    xbase::TableLock lock(*table_);
    if (!lock.status().isOk()) return fail(lock.status().message()), 0;

    // Another engine on the same folder may have added this learner and course
    // since the caller asked; a second record would split their attempts.
    if (KeyIDExists(name, course)) {
        session_ = readCurrent();
        started_.reset();
        return session_.ID;
    }

    const int id = nextIdLocked();
    if (!table_->appendBlank().isOk()) return fail("could not append a history record"), 0;
    HistorySess s;
    s.ID = id;
    s.Name = cut(name, kNameWidth);
    s.CourseID = cut(course, kCourseWidth);
    s.KeyID = HistoryKey(name, course);
    if (!writeCurrent(s)) return 0;
    session_ = readCurrent();
    started_.reset();
    return id;
}

void TTHistory::StartTest(int kind, int questionCount, const std::string& examId) {
    if (!valid() || table_->recno() == 0) return;
    xbase::TableLock lock(*table_);
    if (!lock.status().isOk()) return (void)fail(lock.status().message());
    const uint32_t recno = table_->recno();
    if (!table_->go(recno) || !table_->refresh().isOk())
        return (void)fail("could not re-read the history record");

    HistorySess s = readCurrent();
    for (int n = kHistorySlots - 1; n > 0; --n) s.Slots[n] = s.Slots[n - 1];
    const LocalDateTime now = clock_->now();
    HistorySlot& latest = s.Slots[0];
    latest = HistorySlot{};
    latest.QType = static_cast<uint8_t>(kind);
    latest.DATE = DayNumber(now.year, now.month, now.day);
    latest.TIMESTR = SecondsOfDay(now);
    latest.QTAKEN = questionCount;
    latest.TestID = cut(examId, kTestIdWidth);
    if (!writeCurrent(s)) return;
    session_ = readCurrent();
    started_ = StartedAttempt{static_cast<int32_t>(recno), session_.Slots[0]};
}

void TTHistory::EndTest(int right, int answered) {
    if (!valid() || table_->recno() == 0) return;
    if (!endLocked(right, answered)) return;
    // The learner has seen "Completed": a power cut now must not lose it.
    // Flushed after the lock is released, so other seats need not wait for
    // the disk.
    if (xbase::Status synced = table_->sync(); !synced) fail(synced.message());
}

bool TTHistory::endLocked(int right, int answered) {
    xbase::TableLock lock(*table_);
    if (!lock.status().isOk()) return fail(lock.status().message());
    const uint32_t recno = started_ ? static_cast<uint32_t>(started_->recno) : table_->recno();
    if (!table_->go(recno) || !table_->refresh().isOk())
        return fail("could not re-read the history record");

    HistorySess s = readCurrent();
    int slot = 0;
    if (started_) {
        // Find the attempt this store started: a later attempt started by
        // another engine may have pushed it down a slot or out of the record.
        slot = -1;
        for (int n = 0; n < kHistorySlots; ++n) {
            if (isSameAttempt(s.Slots[n], started_->slot)) {
                slot = n;
                break;
            }
        }
        if (slot < 0) {
            session_ = s;
            return false;
        }
    }
    HistorySlot& ended = s.Slots[slot];
    ended.TIMEEND = SecondsOfDay(clock_->now());
    ended.QRIGHT = right;
    ended.QTRIED = answered;
    if (!writeCurrent(s)) return false;
    session_ = readCurrent();
    started_.reset();
    return true;
}

}  // namespace zentrix::history
