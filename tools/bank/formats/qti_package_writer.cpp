#include "tools/bank/formats/qti_package_writer.h"

#include <QByteArray>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "tools/bank/formats/picture_reference.h"
#include "tools/bank/formats/xml_text.h"
#include "tools/bank/formats/zip_archive.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

constexpr const char* kQtiNamespace = "http://www.imsglobal.org/xsd/imsqti_v2p1";
constexpr const char* kQtiSchema =
    "http://www.imsglobal.org/xsd/imsqti_v2p1 "
    "http://www.imsglobal.org/xsd/qti/qtiv2p1/imsqti_v2p1.xsd";
constexpr const char* kXsi = "http://www.w3.org/2001/XMLSchema-instance";

std::string itemIdentifier(size_t n) {
    char id[32];
    std::snprintf(id, sizeof id, "Q%03zu", n);
    return id;
}

// Writes one XML file into a byte array.
class XmlFile {
public:
    XmlFile() : xml(&bytes) {
        xml.setAutoFormatting(true);
        xml.setAutoFormattingIndent(2);
        xml.writeStartDocument();
    }
    std::string finish() {
        xml.writeEndDocument();
        return bytes.toStdString();
    }

    // Text with its line breaks as <br/>.
    void lines(const std::string& text) {
        size_t pos = 0;
        while (true) {
            const size_t end = text.find('\n', pos);
            std::string line =
                text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) xml.writeCharacters(xmlText(line));
            if (end == std::string::npos) break;
            xml.writeEmptyElement("br");
            pos = end + 1;
        }
    }
    void paragraph(const std::string& text) {
        xml.writeStartElement("p");
        lines(text);
        xml.writeEndElement();
    }

    // The root element in `ns`, with the schema it follows.
    void root(const char* ns, const char* name, const char* schema) {
        xml.writeDefaultNamespace(ns);
        xml.writeNamespace(kXsi, "xsi");
        xml.writeStartElement(ns, name);
        xml.writeAttribute(kXsi, "schemaLocation", schema);
    }

    QByteArray bytes;
    QXmlStreamWriter xml;
};

std::string item(const InterchangeQuestion& q, const std::string& id,
                 const std::string& pictureHref) {
    XmlFile file;
    QXmlStreamWriter& xml = file.xml;
    file.root(kQtiNamespace, "assessmentItem", kQtiSchema);
    xml.writeAttribute("identifier", QString::fromStdString(id));
    xml.writeAttribute("title", xmlText(q.title));
    xml.writeAttribute("adaptive", "false");
    xml.writeAttribute("timeDependent", "false");
    const bool choices = q.kind != Kind::Steps;
    const bool multiple = q.kind == Kind::MultipleChoice;
    auto choiceId = [&](size_t i) {
        if (q.kind == Kind::TrueFalse) return std::string(i == 0 ? "TRUE" : "FALSE");
        return "C" + std::to_string(i + 1);
    };
    const std::vector<std::string> texts =
        q.kind == Kind::TrueFalse ? std::vector<std::string>{"True", "False"} : q.choices;
    if (choices) {
        xml.writeStartElement("responseDeclaration");
        xml.writeAttribute("identifier", "RESPONSE");
        xml.writeAttribute("cardinality", multiple ? "multiple" : "single");
        xml.writeAttribute("baseType", "identifier");
        xml.writeStartElement("correctResponse");
        for (int right : q.right)
            xml.writeTextElement("value",
                                 QString::fromStdString(choiceId(static_cast<size_t>(right - 1))));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeStartElement("outcomeDeclaration");
        xml.writeAttribute("identifier", "SCORE");
        xml.writeAttribute("cardinality", "single");
        xml.writeAttribute("baseType", "float");
        xml.writeEndElement();
    }
    const bool feedback = !q.hint.empty() || !q.reference.empty();
    if (feedback) {
        xml.writeStartElement("outcomeDeclaration");
        xml.writeAttribute("identifier", "FEEDBACK");
        xml.writeAttribute("cardinality", "multiple");
        xml.writeAttribute("baseType", "identifier");
        xml.writeEndElement();
    }
    xml.writeStartElement("itemBody");
    if (!q.text.empty()) file.paragraph(q.text);
    if (!pictureHref.empty()) {
        xml.writeStartElement("p");
        xml.writeEmptyElement("img");
        xml.writeAttribute("src", QString::fromStdString(pictureHref));
        xml.writeAttribute("alt", "");
        xml.writeEndElement();
    }
    if (choices) {
        xml.writeStartElement("choiceInteraction");
        xml.writeAttribute("responseIdentifier", "RESPONSE");
        xml.writeAttribute("shuffle", "false");
        xml.writeAttribute("maxChoices", multiple ? "0" : "1");
        for (size_t i = 0; i < texts.size(); ++i) {
            xml.writeStartElement("simpleChoice");
            xml.writeAttribute("identifier", QString::fromStdString(choiceId(i)));
            file.lines(texts[i]);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    } else {
        xml.writeStartElement("ol");
        for (const std::string& step : q.choices) {
            xml.writeStartElement("li");
            file.lines(step);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();  // itemBody
    if (choices) {
        xml.writeEmptyElement("responseProcessing");
        xml.writeAttribute("template",
                           "http://www.imsglobal.org/question/qti_v2p1/rptemplates/match_correct");
    }
    for (const auto& [name, text] :
         {std::pair<const char*, const std::string&>{"Hint", q.hint}, {"Reference", q.reference}}) {
        if (text.empty()) continue;
        xml.writeStartElement("modalFeedback");
        xml.writeAttribute("outcomeIdentifier", "FEEDBACK");
        xml.writeAttribute("identifier", QString(name).toUpper());
        xml.writeAttribute("showHide", "show");
        xml.writeAttribute("title", name);
        file.lines(text);
        xml.writeEndElement();
    }
    xml.writeEndElement();  // assessmentItem
    return file.finish();
}

std::string test(const ExportedExam& exam, const std::vector<std::string>& ids) {
    XmlFile file;
    QXmlStreamWriter& xml = file.xml;
    file.root(kQtiNamespace, "assessmentTest", kQtiSchema);
    xml.writeAttribute("identifier", "TEST");
    xml.writeAttribute("title", xmlText(exam.title));
    xml.writeStartElement("testPart");
    xml.writeAttribute("identifier", "PART1");
    xml.writeAttribute("navigationMode", "nonlinear");
    xml.writeAttribute("submissionMode", "individual");
    xml.writeStartElement("assessmentSection");
    xml.writeAttribute("identifier", "SECTION1");
    xml.writeAttribute("title", xmlText(exam.title));
    xml.writeAttribute("visible", "true");
    for (const std::string& id : ids) {
        xml.writeEmptyElement("assessmentItemRef");
        xml.writeAttribute("identifier", QString::fromStdString(id));
        xml.writeAttribute("href", QString::fromStdString("items/" + id + ".xml"));
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    return file.finish();
}

}  // namespace

xbase::Result<std::string> QtiPackageWriter::write(const ExportedExam& exam) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<std::string> ids;
    std::vector<std::string> pictures;  // per question: its picture's path in the package, or empty
    std::set<std::string> written;
    for (size_t i = 0; i < exam.questions.size(); ++i) {
        const InterchangeQuestion& q = exam.questions[i];
        ids.push_back(itemIdentifier(i + 1));
        std::string path;
        if (q.picture && q.picture->bytes) {
            path = q.picture->name;
            // The package's own files keep their names.
            if (path == "imsmanifest.xml" || path == "test.xml" || path.rfind("items/", 0) == 0)
                path = "pictures/" + path;
            if (written.insert(path).second) entries.push_back({path, *q.picture->bytes});
        }
        pictures.push_back(path);
        entries.push_back({"items/" + ids.back() + ".xml",
                           item(q, ids.back(), path.empty() ? "" : "../" + percentEncoded(path))});
    }
    entries.push_back({"test.xml", test(exam, ids)});

    XmlFile manifest;
    QXmlStreamWriter& xml = manifest.xml;
    manifest.root("http://www.imsglobal.org/xsd/imscp_v1p1", "manifest",
                  "http://www.imsglobal.org/xsd/imscp_v1p1 "
                  "http://www.imsglobal.org/xsd/imscp_v1p1.xsd");
    xml.writeAttribute("identifier", "MANIFEST");
    xml.writeStartElement("metadata");
    xml.writeTextElement("schema", "QTIv2.1 Package");
    xml.writeTextElement("schemaversion", "1.0.0");
    xml.writeEndElement();
    xml.writeEmptyElement("organizations");
    xml.writeStartElement("resources");
    xml.writeStartElement("resource");
    xml.writeAttribute("identifier", "TEST");
    xml.writeAttribute("type", "imsqti_test_xmlv2p1");
    xml.writeAttribute("href", "test.xml");
    xml.writeEmptyElement("file");
    xml.writeAttribute("href", "test.xml");
    for (const std::string& id : ids) {
        xml.writeEmptyElement("dependency");
        xml.writeAttribute("identifierref", QString::fromStdString(id));
    }
    xml.writeEndElement();
    for (size_t i = 0; i < ids.size(); ++i) {
        const QString href = QString::fromStdString("items/" + ids[i] + ".xml");
        xml.writeStartElement("resource");
        xml.writeAttribute("identifier", QString::fromStdString(ids[i]));
        xml.writeAttribute("type", "imsqti_item_xmlv2p1");
        xml.writeAttribute("href", href);
        xml.writeEmptyElement("file");
        xml.writeAttribute("href", href);
        if (!pictures[i].empty()) {
            xml.writeEmptyElement("file");
            xml.writeAttribute("href", QString::fromStdString(percentEncoded(pictures[i])));
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    entries.insert(entries.begin(), {"imsmanifest.xml", manifest.finish()});
    return ZipArchive::write(entries);
}

}  // namespace zentrix::banktool
