#pragma once

// Questions on their way between a learning platform's file and a bank, in
// the one form every reader fills and every writer reads. Texts are UTF-8
// with "\n" line breaks; they become Windows-1252 only when stored.
//
// A reader files each question it can hold under the category it stands in
// (the empty name for none) and reports every question it cannot hold with
// the reason, so nothing is dropped without a line saying so.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentrix::banktool {

// An exhibit picture: its bytes when the source carries them, or only the
// name of a file beside the source that the importer reads.
struct InterchangePicture {
    std::string name;
    std::optional<std::string> bytes;
};

struct InterchangeQuestion {
    enum class Kind { TrueFalse, SingleChoice, MultipleChoice, Steps };

    std::string where;  // "quiz.gift:12", "quiz.zip, item items/q1.xml", for messages
    Kind kind = Kind::SingleChoice;
    std::string title;
    std::string text;
    std::vector<std::string> choices;  // choices, or the steps of a simulation; none for true/false
    std::vector<int> right;            // 1-based right choices; true/false: {1} TRUE, {2} FALSE
    std::string hint;
    std::string reference;
    std::optional<InterchangePicture> picture;
};

struct InterchangeNote {
    std::string where;
    std::string message;
    std::string line() const { return where.empty() ? message : where + ": " + message; }
};

struct InterchangeCategory {
    std::string name;  // as the source writes it, e.g. "$course$/top/Routing"
    std::vector<InterchangeQuestion> questions;
};

struct InterchangeDocument {
    std::vector<InterchangeCategory> categories;  // in order of first appearance
    std::vector<InterchangeNote> skipped;         // questions a bank cannot hold, with the reason
    std::vector<InterchangeNote> notes;  // what was changed or left out of a question taken

    // Checks what every bank question needs (choices, a right answer, at
    // most 16 choices) and files the question under `category`, or records
    // it as skipped with the reason.
    void accept(const std::string& category, InterchangeQuestion question);
    void skip(const std::string& where, const std::string& title, const std::string& text,
              const std::string& reason);
    void note(const std::string& where, const std::string& message) {
        notes.push_back({where, message});
    }

    int questionCount() const;
};

// An exam on its way out of a bank.
struct ExportedExam {
    std::string id;
    std::string title;
    std::vector<InterchangeQuestion> questions;
};

// The text of a steps question as a platform shows it: the question, then
// its steps numbered.
std::string textWithSteps(const InterchangeQuestion& question);

// The share of the marks a right choice of a multiple-choice question
// carries when `right` of them are right: "100", "50", "33.33333".
std::string shareOfMarks(int right);

// The hint made of the feedback a format gives per choice: the text itself
// when every choice carries the same, else one line "choice: feedback" per
// choice that has some.
std::string hintFromFeedback(
    const std::vector<std::pair<std::string, std::string>>& choiceFeedback);

// Joins the non-empty parts with `separator`.
std::string joinTexts(const std::vector<std::string>& parts, const std::string& separator);

// How messages name a question: its title, else the start of its text.
std::string questionLabel(const std::string& title, const std::string& text);

// The title a question gets when its format has none: the first line of its
// text, cut at a word before 60 characters.
std::string titleFromText(const std::string& text);

}  // namespace zentrix::banktool
