#pragma once

// The history of attempts: one TESTHIST record per learner and course holding
// the five newest attempts. The main window starts an attempt when an exam
// begins and ends it when the exam is scored; the history window reads it.
//
// Several engines may share one database folder. Every write therefore takes
// the table lock, re-reads the record from the file and applies its change to
// what it finds there, so attempts ended at the same moment elsewhere survive.
//
// When TESTHIST cannot be had, the store says so once through the message
// sink and stays inert: searches find nothing, AddHistorySess gives 0 and the
// engine runs on without history. A TESTHIST that exists but cannot be read
// is left untouched, never replaced by an empty table.

#include <memory>
#include <optional>
#include <string>

#include "base/message_sink.h"
#include "history/history_clock.h"
#include "history/history_record.h"

namespace zentrix::xbase {
class Engine;
class Table;
class Field;
class Tag;
}  // namespace zentrix::xbase

namespace zentrix::history {

inline constexpr const char* kHistoryUnavailableMessage =
    "Could not open existing table, or if table does not exist, could not create it.";

class TTHistory {
public:
    // `databaseFolder` names the folder of TESTHIST, with or without a
    // trailing separator. The clock defaults to the system's local time.
    // EndTest flushes the table to disk before it returns.
    TTHistory(xbase::Engine& engine, std::string databaseFolder, base::MessageSink& messages,
              std::shared_ptr<const Clock> clock = nullptr);
    ~TTHistory();
    TTHistory(const TTHistory&) = delete;
    TTHistory& operator=(const TTHistory&) = delete;

    // False when the table could be neither opened nor created.
    bool valid() const { return table_ != nullptr; }

    bool KeyIDExists(const std::string& name, const std::string& course);
    // Modes: 1 by ID, 2 by HistoryKey(name, course), 3 by `key` upper-cased,
    // anything else the current record.
    bool OpenHistorySess(int id, const std::string& key, int mode, const std::string& course,
                         const std::string& name);
    int AddHistorySess(const std::string& name, const std::string& course);
    void StartTest(int kind, int questionCount, const std::string& examId);
    void EndTest(int right, int answered);
    int GetNextId();
    void Get_CurHistoryInfo(HistorySess& out) const { out = session_; }

    // The last storage failure, for logs and tests.
    const std::string& lastError() const { return lastError_; }

private:
    struct SlotFields {
        const xbase::Field* QType = nullptr;
        const xbase::Field* DATE = nullptr;
        const xbase::Field* TIMESTR = nullptr;
        const xbase::Field* TIMEEND = nullptr;
        const xbase::Field* QTAKEN = nullptr;
        const xbase::Field* QRIGHT = nullptr;
        const xbase::Field* QTRIED = nullptr;
        const xbase::Field* TestID = nullptr;
    };
    // What identifies the attempt this store started, so that EndTest finds
    // it again even when another engine started a later attempt meanwhile.
    struct StartedAttempt {
        int32_t recno = 0;
        HistorySlot slot;
    };

    bool openOrCreate();
    bool lookUpHandles();
    HistorySess readCurrent() const;
    bool writeCurrent(const HistorySess& sess);
    bool seekKey(const std::string& key);
    int nextIdLocked();
    // EndTest's write under the table lock; false when nothing was written.
    bool endLocked(int right, int answered);
    bool fail(const std::string& what);

    xbase::Engine& engine_;
    std::string folder_;
    base::MessageSink& messages_;
    std::shared_ptr<const Clock> clock_;
    std::unique_ptr<xbase::Table> table_;

    const xbase::Field* fID_ = nullptr;
    const xbase::Field* fKeyID_ = nullptr;
    const xbase::Field* fName_ = nullptr;
    const xbase::Field* fCourseID_ = nullptr;
    SlotFields slots_[kHistorySlots];
    const xbase::Tag* tagID_ = nullptr;
    const xbase::Tag* tagKeyID_ = nullptr;
    const xbase::Tag* tagNameID_ = nullptr;
    const xbase::Tag* tagCourseID_ = nullptr;

    HistorySess session_;
    std::optional<StartedAttempt> started_;
    std::string lastError_;
};

}  // namespace zentrix::history
