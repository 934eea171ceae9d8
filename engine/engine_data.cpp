#include "engine/engine_data.h"

#include "engine/dialog_message_sink.h"
#include "engine/ttesting_exam_bank.h"
#include "history/tthistory.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"

namespace zentrix::engine {

EngineData::EngineData() = default;
EngineData::~EngineData() {
    // The bank adapter refers to TTesting; both go before the engine handle.
    bank.reset();
    history.reset();
    testing.reset();
    xbaseEngine.reset();
}
EngineData::EngineData(EngineData&&) noexcept = default;

EngineData OpenEngineData(const EngineFolders& folders, DialogService& dialogs) {
    return OpenEngineDataWithClock(folders, dialogs, nullptr);
}

EngineData OpenEngineDataWithClock(const EngineFolders& folders, DialogService& dialogs,
                                   std::shared_ptr<const history::Clock> historyClock) {
    EngineData data;
    data.messages = std::make_unique<DialogMessageSink>(dialogs);
    data.xbaseEngine = std::make_unique<xbase::Engine>();
    data.xbaseEngine->options().reportOpenErrors = false;
    data.xbaseEngine->options().createSafety = false;
    data.testing = std::make_unique<questionbank::TTesting>(*data.xbaseEngine, folders.DatabaseDir,
                                                            *data.messages);
    data.history = std::make_unique<history::TTHistory>(*data.xbaseEngine, folders.DatabaseDir,
                                                        *data.messages, std::move(historyClock));
    data.bank = std::make_unique<TTestingExamBank>(*data.testing);
    return data;
}

}  // namespace zentrix::engine
