#pragma once

// A DialogService that records what would have been shown and answers
// dialogs from a script. A handler may act on a dialog before it "closes",
// the way a person would click inside it.

#include <deque>
#include <functional>
#include <vector>

#include "engine/dialog_service.h"

namespace zentrix::engine {

class RecordingDialogService : public DialogService {
public:
    enum class Event { Beep, Information, Error, MissingGraphic, Dialog };
    struct Entry {
        Event event;
        QString text;  // message text, file name or dialog caption
    };
    using DialogHandler = std::function<int(QDialog&)>;

    void beep() override;
    void showMessage(MessageKind kind, const QString& text) override;
    void showMissingGraphic(const QString& fileName) override;
    int runModal(QDialog& dialog) override;

    // The next dialog is answered by `handler`; without one it is rejected.
    void answerNextDialog(DialogHandler handler) { handlers_.push_back(std::move(handler)); }

    const std::vector<Entry>& entries() const { return entries_; }
    std::vector<QString> texts(Event event) const;
    int count(Event event) const { return static_cast<int>(texts(event).size()); }
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
    std::deque<DialogHandler> handlers_;
};

}  // namespace zentrix::engine
