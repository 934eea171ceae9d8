#include "tools/bank/formats/moodle_xml_writer.h"

#include <QByteArray>
#include <QXmlStreamWriter>
#include <algorithm>

#include "tools/bank/formats/html_text.h"
#include "tools/bank/formats/xml_text.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

QString q(const std::string& text) { return xmlText(text); }

class Writer {
public:
    explicit Writer(QByteArray& out) : xml_(&out) {
        xml_.setAutoFormatting(true);
        xml_.setAutoFormattingIndent(2);
    }

    void write(const ExportedExam& exam) {
        xml_.writeStartDocument();
        xml_.writeStartElement("quiz");
        xml_.writeComment(q(" Exam " + exam.id + " of a Zentrix question bank. "));
        xml_.writeStartElement("question");
        xml_.writeAttribute("type", "category");
        xml_.writeStartElement("category");
        xml_.writeTextElement("text", q("$course$/top/" + categoryName(exam.title)));
        xml_.writeEndElement();
        xml_.writeEndElement();
        for (const InterchangeQuestion& question : exam.questions) write(question);
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }

private:
    static std::string categoryName(const std::string& title) {
        std::string out;
        for (char c : title)
            out += c == '/' ? std::string("//") : std::string(1, c == '\n' ? ' ' : c);
        return out;
    }

    void part(const char* element, const std::string& text, const char* format = "plain_text") {
        xml_.writeStartElement(element);
        xml_.writeAttribute("format", format);
        xml_.writeTextElement("text", q(text));
        xml_.writeEndElement();
    }

    void questionText(const InterchangeQuestion& question, const std::string& text) {
        if (!question.picture) return part("questiontext", text);
        const std::string& name = question.picture->name;
        const size_t slash = name.rfind('/');
        const std::string folder =
            slash == std::string::npos ? "/" : "/" + name.substr(0, slash + 1);
        const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
        std::string html =
            text.empty() ? std::string() : "<p>" + HtmlText::fromPlainText(text) + "</p>";
        html +=
            "<p><img src=\"@@PLUGINFILE@@/" + HtmlText::fromPlainText(name) + "\" alt=\"\" /></p>";
        xml_.writeStartElement("questiontext");
        xml_.writeAttribute("format", "html");
        xml_.writeTextElement("text", q(html));
        xml_.writeStartElement("file");
        xml_.writeAttribute("name", q(file));
        xml_.writeAttribute("path", q(folder));
        xml_.writeAttribute("encoding", "base64");
        const std::string& bytes = question.picture->bytes.value_or(std::string());
        xml_.writeCharacters(QString::fromLatin1(
            QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toBase64()));
        xml_.writeEndElement();
        xml_.writeEndElement();
    }

    void answer(const std::string& fraction, const std::string& text) {
        xml_.writeStartElement("answer");
        xml_.writeAttribute("fraction", q(fraction));
        xml_.writeAttribute("format", "plain_text");
        xml_.writeTextElement("text", q(text));
        xml_.writeEndElement();
    }

    void write(const InterchangeQuestion& question) {
        const char* type = question.kind == Kind::TrueFalse ? "truefalse"
                           : question.kind == Kind::Steps   ? "description"
                                                            : "multichoice";
        xml_.writeStartElement("question");
        xml_.writeAttribute("type", type);
        xml_.writeStartElement("name");
        xml_.writeTextElement("text", q(question.title));
        xml_.writeEndElement();
        questionText(question,
                     question.kind == Kind::Steps ? textWithSteps(question) : question.text);
        if (!question.reference.empty()) part("generalfeedback", question.reference);
        xml_.writeTextElement("defaultgrade", question.kind == Kind::Steps ? "0" : "1");
        xml_.writeTextElement("penalty", "0");
        xml_.writeTextElement("hidden", "0");
        if (question.kind == Kind::TrueFalse) {
            const bool trueIsRight = question.right.front() == 1;
            answer(trueIsRight ? "100" : "0", "true");
            answer(trueIsRight ? "0" : "100", "false");
        } else if (question.kind != Kind::Steps) {
            const bool single = question.kind == Kind::SingleChoice;
            xml_.writeTextElement("single", single ? "true" : "false");
            xml_.writeTextElement("shuffleanswers", "0");
            xml_.writeTextElement("answernumbering", "abc");
            const std::string share = shareOfMarks(static_cast<int>(question.right.size()));
            for (size_t i = 0; i < question.choices.size(); ++i) {
                const bool right = std::find(question.right.begin(), question.right.end(),
                                             static_cast<int>(i) + 1) != question.right.end();
                answer(right ? share : (single ? "0" : "-100"), question.choices[i]);
            }
        }
        if (!question.hint.empty()) part("hint", question.hint);
        xml_.writeEndElement();
    }

    QXmlStreamWriter xml_;
};

}  // namespace

std::string MoodleXmlWriter::write(const ExportedExam& exam) {
    QByteArray out;
    Writer(out).write(exam);
    return out.toStdString();
}

}  // namespace zentrix::banktool
