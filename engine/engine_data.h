#pragma once

// The data objects the main window owns for its whole life: one xBase engine
// handle with the question bank and the history store opened on it. Members
// are destroyed in reverse order, so the handle is released last.

#include <functional>
#include <memory>

#include "engine/engine_folders.h"
#include "engine/exam_bank.h"

namespace zentrix::xbase {
class Engine;
}
namespace zentrix::questionbank {
class TTesting;
}
namespace zentrix::history {
class Clock;
class TTHistory;
}  // namespace zentrix::history
namespace zentrix::base {
class MessageSink;
}

namespace zentrix::engine {

class EngineData {
public:
    EngineData();
    ~EngineData();
    EngineData(EngineData&&) noexcept;
    EngineData& operator=(EngineData&&) = delete;

    std::unique_ptr<base::MessageSink> messages;
    std::unique_ptr<xbase::Engine> xbaseEngine;  // null when the bank is not on tables
    std::unique_ptr<questionbank::TTesting> testing;
    std::unique_ptr<history::TTHistory> history;  // null in tests that need no history
    std::unique_ptr<ExamBank> bank;
};

class DialogService;

// Opens the engine handle (open-failure reports and create safety off) and
// constructs TTesting and TTHistory on it and the database folder. The
// history stamps attempts by `historyClock` (default: local time).
EngineData OpenEngineData(const EngineFolders& folders, DialogService& dialogs);
EngineData OpenEngineDataWithClock(const EngineFolders& folders, DialogService& dialogs,
                                   std::shared_ptr<const history::Clock> historyClock);

using EngineDataFactory = std::function<EngineData(const EngineFolders&, DialogService&)>;

}  // namespace zentrix::engine
