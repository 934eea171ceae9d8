#pragma once

// Where the lower layers send the messages a user must see. The question bank
// and the history store report through one of these; the programs bind it to
// their dialog service, tests bind a recorder. Header-only and free of Qt so
// that any layer may use it.

#include <string>
#include <vector>

namespace zentrix::base {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text) = 0;
};

// Drops every message: for tools that report through their own channel.
class SilentMessageSink final : public MessageSink {
public:
    void showMessage(const std::string&) override {}
};

// Keeps every message, for tests and for tools that print them.
class RecordingMessageSink final : public MessageSink {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace zentrix::base
