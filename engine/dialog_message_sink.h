#pragma once

// Lets the question bank and the history store report through the engine's
// dialog service, as information boxes.

#include <QString>

#include "base/message_sink.h"
#include "engine/dialog_service.h"

namespace zentrix::engine {

class DialogMessageSink final : public base::MessageSink {
public:
    explicit DialogMessageSink(DialogService& dialogs) : dialogs_(dialogs) {}
    void showMessage(const std::string& text) override {
        dialogs_.information(QString::fromStdString(text));
    }

private:
    DialogService& dialogs_;
};

}  // namespace zentrix::engine
