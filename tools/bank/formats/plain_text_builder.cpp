#include "tools/bank/formats/plain_text_builder.h"

#include <algorithm>
#include <initializer_list>

namespace zentrix::banktool {

void PlainTextBuilder::flush() {
    if (!out_.empty()) {
        const int breaks = std::max(pendingBreaks_, pendingEdge_);
        if (breaks > 0) {
            out_.append(static_cast<size_t>(breaks), '\n');
        } else if (pendingBlank_ && out_.back() != '\n') {
            out_.push_back(' ');
        }
    }
    pendingBreaks_ = pendingEdge_ = 0;
    pendingBlank_ = false;
}

void PlainTextBuilder::append(char c) {
    flush();
    out_.push_back(c);
}

void PlainTextBuilder::text(std::string_view utf8) {
    for (char c : utf8) {
        if (preformatted_) {
            if (c == '\r') continue;
            if (c == '\n') {
                lineBreak();
            } else if (c == ' ' || c == '\t') {
                // Kept blanks: pending breaks go first, then the blank itself.
                if (!out_.empty() || pendingBreaks_ > 0) {
                    flush();
                    out_.push_back(c);
                }
            } else {
                append(c);
            }
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            pendingBlank_ = true;
        } else {
            append(c);
        }
    }
}

void PlainTextBuilder::lineBreak() {
    if (!out_.empty()) ++pendingBreaks_;
}

void PlainTextBuilder::block() {
    if (!out_.empty()) pendingEdge_ = std::max(pendingEdge_, 1);
}

void PlainTextBuilder::paragraph() {
    if (!out_.empty()) pendingEdge_ = 2;
}

namespace {

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool PlainTextBuilder::holdsNoText(std::string_view name) {
    return isOneOf(name, {"script", "style", "head", "title", "template"});
}

void PlainTextBuilder::element(std::string_view n, bool closing) {
    if (n == "br") {
        if (!closing) lineBreak();
    } else if (n == "p") {
        paragraph();
    } else if (n == "pre") {
        block();
        preformatted_ = !closing;
    } else if (n == "ul" || n == "ol") {
        block();
        if (!closing) {
            lists_.push_back(n == "ol" ? 1 : 0);
        } else if (!lists_.empty()) {
            lists_.pop_back();
        }
    } else if (n == "li") {
        block();
        if (closing) return;
        if (!lists_.empty() && lists_.back() > 0) {
            text(std::to_string(lists_.back()++) + ". ");
        } else {
            text("\xE2\x80\xA2 ");  // a bullet, which Windows-1252 has
        }
    } else if (n == "td" || n == "th") {
        text(" ");
    } else if (isOneOf(n, {"div",    "h1",         "h2",       "h3",         "h4",      "h5",
                           "h6",     "table",      "tr",       "blockquote", "section", "article",
                           "header", "footer",     "dl",       "dt",         "dd",      "hr",
                           "figure", "figcaption", "address",  "nav",        "main",    "aside",
                           "center", "form",       "fieldset", "caption",    "thead",   "tbody",
                           "tfoot"})) {
        block();
    }
}

}  // namespace zentrix::banktool
