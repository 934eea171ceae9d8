#pragma once

// Turns the events of a marked-up text (character data, line breaks, the
// edges of blocks and paragraphs) into the plain text a question label
// shows. Runs of blanks in character data are one blank, as a browser shows
// them; a block starts a new line, a paragraph a new line after a blank one;
// explicit line breaks are kept. Blanks and breaks at either end are dropped.
// The HTML reader and the QTI item reader both feed it.

#include <string>
#include <string_view>
#include <vector>

namespace zentrix::banktool {

class PlainTextBuilder {
public:
    void text(std::string_view utf8);
    void lineBreak();
    void block();
    void paragraph();
    // Inside preformatted text blanks and line breaks are kept as they are.
    void setPreformatted(bool on) { preformatted_ = on; }

    // The start or end of an HTML element (lower-case name): br, p, pre,
    // lists and their items, table cells and the block elements shape the
    // text; others change nothing.
    void element(std::string_view name, bool closing);
    // Elements whose content is not text (script, style, ...).
    static bool holdsNoText(std::string_view name);

    std::string finish() const { return out_; }

private:
    void flush();
    void append(char c);

    std::string out_;
    bool pendingBlank_ = false;
    int pendingBreaks_ = 0;  // explicit line breaks owed before the next text
    int pendingEdge_ = 0;    // 1 after a block, 2 after a paragraph
    bool preformatted_ = false;
    std::vector<int> lists_;  // per open list: 0 for bullets, else the next number
};

}  // namespace zentrix::banktool
