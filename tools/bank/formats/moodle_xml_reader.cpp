#include "tools/bank/formats/moodle_xml_reader.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>

#include "base/ascii_text.h"
#include "tools/bank/formats/html_text.h"
#include "tools/bank/formats/picture_reference.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

// A text element such as <questiontext>: its format, its <text> and the
// files embedded beside it.
struct TextPart {
    std::string format;
    std::string text;
    std::map<std::string, std::string> files;  // name -> base64 as written
};

struct AnswerPart {
    std::string fraction;
    int line = 0;
    TextPart text;
    TextPart feedback;
};

struct QuestionElement {
    std::string type;
    int line = 0;
    TextPart name, questionText, generalFeedback, category;
    std::vector<AnswerPart> answers;
    std::vector<TextPart> hints;
    std::string single;
};

// A text part as plain text; `pictures` gets the src of its pictures.
std::string plain(const TextPart& part, std::vector<std::string>* pictures = nullptr) {
    if (part.format == "plain_text" || part.format == "markdown")
        return base::ascii::trimmed(part.text);
    std::string html = part.text;
    if (part.format == "moodle_auto_format") {
        // Line breaks of the auto format are breaks, not blanks.
        std::string withBreaks;
        for (char c : html) withBreaks += c == '\n' ? std::string("<br>") : std::string(1, c);
        html = std::move(withBreaks);
    }
    HtmlText::Result result = HtmlText::toPlainText(html);
    if (pictures) *pictures = std::move(result.pictures);
    return result.text;
}

class Reader {
public:
    Reader(std::string_view bytes, const std::string& name)
        : xml_(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))), name_(name) {}

    xbase::Result<InterchangeDocument> read() {
        if (!xml_.readNextStartElement()) return xmlError("the file holds no XML element");
        if (xml_.name() != QLatin1String("quiz"))
            return xbase::Status::error(name_ + ": not a Moodle XML quiz (its first element is <" +
                                        xml_.name().toString().toStdString() + ">, not <quiz>)");
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("question")) {
                xml_.skipCurrentElement();
                continue;
            }
            QuestionElement q;
            q.line = static_cast<int>(xml_.lineNumber());
            q.type = xml_.attributes().value("type").toString().toStdString();
            readQuestion(q);
            if (xml_.hasError()) break;
            ZX_TRY(take(q));
        }
        if (xml_.hasError()) return xmlError(xml_.errorString().toStdString());
        return std::move(document_);
    }

private:
    xbase::Status xmlError(const std::string& message) {
        return xbase::Status::error(name_ + ":" + std::to_string(xml_.lineNumber()) +
                                    ": broken XML: " + message);
    }

    std::string attribute(const char* name) {
        return xml_.attributes().value(QLatin1String(name)).toString().toStdString();
    }

    // Reads the element the reader stands on; <feedback> children go to `answer`.
    void readPart(TextPart& part, AnswerPart* answer = nullptr) {
        part.format = attribute("format");
        while (!xml_.atEnd()) {
            const QXmlStreamReader::TokenType token = xml_.readNext();
            if (token == QXmlStreamReader::EndElement) return;
            if (token == QXmlStreamReader::Characters && !xml_.isWhitespace()) {
                part.text += xml_.text().toString().toStdString();  // text written without <text>
            } else if (token == QXmlStreamReader::StartElement) {
                const QStringView name = xml_.name();
                if (name == QLatin1String("text")) {
                    part.text +=
                        xml_.readElementText(QXmlStreamReader::IncludeChildElements).toStdString();
                } else if (name == QLatin1String("file")) {
                    // Pictures are named by their folder and name: "/" and "logo.jpg" give
                    // "logo.jpg".
                    std::string folder = attribute("path");
                    while (!folder.empty() && folder.front() == '/') folder.erase(0, 1);
                    if (!folder.empty() && folder.back() != '/') folder.push_back('/');
                    const std::string file = folder + attribute("name");
                    part.files[file] =
                        xml_.readElementText(QXmlStreamReader::IncludeChildElements).toStdString();
                } else if (name == QLatin1String("feedback") && answer) {
                    readPart(answer->feedback);
                } else {
                    xml_.skipCurrentElement();
                }
            }
        }
    }

    void readQuestion(QuestionElement& q) {
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == QLatin1String("name")) {
                readPart(q.name);
            } else if (name == QLatin1String("questiontext")) {
                readPart(q.questionText);
            } else if (name == QLatin1String("generalfeedback")) {
                readPart(q.generalFeedback);
            } else if (name == QLatin1String("category")) {
                readPart(q.category);
            } else if (name == QLatin1String("hint")) {
                q.hints.emplace_back();
                readPart(q.hints.back());
            } else if (name == QLatin1String("answer")) {
                AnswerPart answer;
                answer.line = static_cast<int>(xml_.lineNumber());
                answer.fraction = attribute("fraction");
                readPart(answer.text, &answer);
                q.answers.push_back(std::move(answer));
            } else if (name == QLatin1String("single")) {
                q.single = base::ascii::trimmed(
                    xml_.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    static bool fraction(const std::string& text, double& value) {
        if (base::ascii::trimmed(text).empty()) {
            value = 0;
            return true;
        }
        bool ok = false;
        value = QString::fromStdString(base::ascii::trimmed(text)).toDouble(&ok);
        return ok;
    }

    xbase::Status take(const QuestionElement& e) {
        if (e.type == "category") {
            category_ = base::ascii::trimmed(plain(e.category));
            return xbase::Status::ok();
        }
        InterchangeQuestion q;
        q.where = name_ + ":" + std::to_string(e.line);
        q.title = base::ascii::trimmed(plain(e.name));
        std::vector<std::string> pictures;
        q.text = plain(e.questionText, &pictures);
        if (e.type != "multichoice" && e.type != "truefalse") {
            const std::string reason = e.type == "shortanswer" ? "a short-answer question"
                                       : e.type == "multianswer"
                                           ? "an embedded-answers (cloze) question"
                                       : e.type.empty() ? "a question without a type"
                                                        : "a question of type \"" + e.type + "\"";
            document_.skip(q.where, q.title, q.text, reason);
            return xbase::Status::ok();
        }
        // The exhibit: the first picture of the question text, from the files embedded with it.
        ZX_TRY(takeExhibit(
            pictures,
            [&](const PictureReference& ref) -> xbase::Result<std::optional<InterchangePicture>> {
                std::optional<std::string> bytes = ref.bytes;
                if (ref.kind == PictureReference::Kind::Embedded) {
                    auto file = e.questionText.files.find(ref.name);
                    if (file != e.questionText.files.end()) bytes = decodeBase64(file->second);
                }
                if (!bytes) return std::optional<InterchangePicture>();
                return std::optional(InterchangePicture{ref.name, std::move(bytes)});
            },
            q, document_));
        q.reference = plain(e.generalFeedback);

        bool pictureLeftOut = !plainPictures(e.generalFeedback).empty();
        std::vector<std::string> hints;
        for (const TextPart& hint : e.hints) {
            hints.push_back(plain(hint));
            pictureLeftOut |= !plainPictures(hint).empty();
        }
        std::vector<std::pair<std::string, std::string>> feedback;
        std::vector<double> fractions;
        for (const AnswerPart& a : e.answers) {
            double value = 0;
            if (!fraction(a.fraction, value))
                return xbase::Status::error(name_ + ":" + std::to_string(a.line) +
                                            ": the fraction \"" + a.fraction +
                                            "\" is not a number");
            const std::string text = plain(a.text);
            pictureLeftOut |= !plainPictures(a.text).empty() || !plainPictures(a.feedback).empty();
            if (text.empty() && value <= 0) continue;  // an unused answer slot
            q.choices.push_back(text);
            fractions.push_back(value);
            feedback.push_back({text, plain(a.feedback)});
        }
        if (pictureLeftOut)
            document_.note(q.where, "pictures in feedback, hints and choices are left out");

        if (e.type == "truefalse") {
            q.kind = Kind::TrueFalse;
            std::string trueFeedback, falseFeedback;
            for (size_t i = 0; i < q.choices.size(); ++i) {
                const std::string word = base::ascii::lower(q.choices[i]);
                const bool isTrue = word == "true" || (word != "false" && i == 0);
                (isTrue ? trueFeedback : falseFeedback) = feedback[i].second;
                if (fractions[i] > 0) q.right.push_back(isTrue ? 1 : 2);
            }
            q.choices.clear();
            hints.push_back(hintFromFeedback({{"TRUE", trueFeedback}, {"FALSE", falseFeedback}}));
        } else if (e.single == "false" || e.single == "0" ||
                   (e.single.empty() && std::count_if(fractions.begin(), fractions.end(),
                                                      [](double f) { return f > 0; }) > 1)) {
            // Without <single> the answers tell: several with marks make
            // several right (Moodle itself always writes <single>).
            q.kind = Kind::MultipleChoice;
            for (size_t i = 0; i < fractions.size(); ++i) {
                if (fractions[i] > 0) q.right.push_back(static_cast<int>(i) + 1);
            }
            hints.push_back(hintFromFeedback(feedback));
        } else {
            // One answer: the best one is right; lesser positive fractions
            // are partial credit a bank cannot give.
            q.kind = Kind::SingleChoice;
            double best = 0;
            for (double f : fractions) best = std::max(best, f);
            int partial = 0;
            for (size_t i = 0; i < fractions.size(); ++i) {
                if (best > 0 && fractions[i] == best)
                    q.right.push_back(static_cast<int>(i) + 1);
                else if (fractions[i] > 0)
                    ++partial;
            }
            if (partial > 0 && q.right.size() == 1)
                document_.note(q.where, std::to_string(partial) + " answer" +
                                            (partial > 1 ? "s" : "") +
                                            " with partial credit count as wrong");
            hints.push_back(hintFromFeedback(feedback));
        }
        q.hint = joinTexts(hints, "\n\n");
        if (q.title.empty()) q.title = titleFromText(q.text);
        document_.accept(category_, std::move(q));
        return xbase::Status::ok();
    }

    static std::vector<std::string> plainPictures(const TextPart& part) {
        std::vector<std::string> pictures;
        plain(part, &pictures);
        return pictures;
    }

    QXmlStreamReader xml_;
    const std::string& name_;
    std::string category_;
    InterchangeDocument document_;
};

}  // namespace

xbase::Result<InterchangeDocument> MoodleXmlReader::read(std::string_view bytes,
                                                         const std::string& name) {
    return Reader(bytes, name).read();
}

}  // namespace zentrix::banktool
