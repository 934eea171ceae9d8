#include "tools/bank/formats/qti_reader.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <algorithm>
#include <filesystem>
#include <map>

#include "base/ascii_text.h"
#include "platform/text_file.h"
#include "questionbank/bank_path.h"
#include "tools/bank/formats/picture_reference.h"
#include "tools/bank/formats/plain_text_builder.h"
#include "tools/bank/formats/zip_archive.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

// All files read from one package together stay below this.
constexpr size_t kPackageLimit = 512u << 20;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// An xml:base as a folder to put names after.
std::string asFolder(std::string base) {
    if (!base.empty() && base.back() != '/') base.push_back('/');
    return base;
}

std::string text(QStringView view) { return view.toString().toStdString(); }

// Where an item's picture comes from: the package, or files beside a loose item.
using PictureResolver = std::function<xbase::Result<std::optional<InterchangePicture>>(
    const PictureReference& ref, const std::string& where)>;

class ItemReader {
public:
    ItemReader(std::string_view xml, std::string where)
        : xml_(QByteArray(xml.data(), static_cast<qsizetype>(xml.size()))),
          where_(std::move(where)) {}

    xbase::Status read(InterchangeDocument& document, const std::string& category,
                       const PictureResolver& resolver) {
        if (!xml_.readNextStartElement()) return broken("the item holds no XML element");
        if (xml_.name() != QLatin1String("assessmentItem"))
            return xbase::Status::error(where_ +
                                        ": not a QTI 2.1 assessment item (its first element is <" +
                                        text(xml_.name()) + ">)");
        const std::string title =
            base::ascii::trimmed(text(xml_.attributes().value(QLatin1String("title"))));
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == QLatin1String("responseDeclaration")) {
                declaration(text(xml_.attributes().value(QLatin1String("identifier"))));
            } else if (name == QLatin1String("itemBody")) {
                flow(body_, bodyPictures_);
            } else if (name == QLatin1String("modalFeedback")) {
                Feedback f{
                    text(xml_.attributes().value(QLatin1String("identifier"))),
                    base::ascii::trimmed(text(xml_.attributes().value(QLatin1String("title")))),
                    {}};
                PlainTextBuilder builder;
                std::vector<std::string> pictures;
                flow(builder, pictures);
                f.text = builder.finish();
                feedbackPictures_ += pictures.size();
                feedback_.push_back(std::move(f));
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError()) return broken(xml_.errorString().toStdString());
        return decide(document, category, title, resolver);
    }

private:
    struct Choice {
        std::string id;
        std::string text;
        size_t pictures = 0;
    };
    struct Interaction {
        std::string kind;
        std::string response;
        int maxChoices = 1;
        std::vector<Choice> choices;
    };
    struct Feedback {
        std::string identifier, title, text;
    };

    xbase::Status broken(const std::string& message) {
        return xbase::Status::error(where_ + ":" + std::to_string(xml_.lineNumber()) +
                                    ": broken XML: " + message);
    }

    void declaration(const std::string& id) {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("correctResponse")) {
                xml_.skipCurrentElement();
                continue;
            }
            while (xml_.readNextStartElement()) {
                if (xml_.name() == QLatin1String("value")) {
                    correct_[id].push_back(base::ascii::trimmed(
                        xml_.readElementText(QXmlStreamReader::IncludeChildElements)
                            .toStdString()));
                } else {
                    xml_.skipCurrentElement();
                }
            }
        }
    }

    // The content of the element the reader stands on, up to its end.
    void flow(PlainTextBuilder& builder, std::vector<std::string>& pictures) {
        while (!xml_.atEnd()) {
            const QXmlStreamReader::TokenType token = xml_.readNext();
            if (token == QXmlStreamReader::EndElement) return;
            if (token == QXmlStreamReader::Characters) {
                builder.text(text(xml_.text()));
                continue;
            }
            if (token != QXmlStreamReader::StartElement) continue;
            const std::string name = base::ascii::lower(text(xml_.name()));
            const QXmlStreamAttributes attributes = xml_.attributes();
            if (name == "choiceinteraction") {
                interaction(builder, pictures);
            } else if (name.size() > 11 && name.compare(name.size() - 11, 11, "interaction") == 0) {
                interactions_.push_back({text(xml_.name()), {}, 0, {}});
                xml_.skipCurrentElement();
            } else if (name == "feedbackinline" || name == "feedbackblock" ||
                       name == "rubricblock" || name == "templateinline" ||
                       name == "templateblock" || PlainTextBuilder::holdsNoText(name)) {
                xml_.skipCurrentElement();
            } else if (name == "img") {
                const std::string src = text(attributes.value(QLatin1String("src")));
                if (!src.empty()) pictures.push_back(src);
                xml_.skipCurrentElement();
            } else if (name == "object" &&
                       text(attributes.value(QLatin1String("type"))).rfind("image/", 0) == 0) {
                const std::string data = text(attributes.value(QLatin1String("data")));
                if (!data.empty()) pictures.push_back(data);
                xml_.skipCurrentElement();
            } else {
                builder.element(name, false);
                flow(builder, pictures);
                builder.element(name, true);
            }
        }
    }

    void interaction(PlainTextBuilder& builder, std::vector<std::string>& pictures) {
        Interaction i;
        i.kind = "choiceInteraction";
        i.response = text(xml_.attributes().value(QLatin1String("responseIdentifier")));
        const QStringView max = xml_.attributes().value(QLatin1String("maxChoices"));
        if (!max.isEmpty()) {
            bool ok = false;
            const int value = max.toInt(&ok);
            i.maxChoices = ok && value >= 0 ? value : 1;
        }
        builder.block();
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == QLatin1String("prompt")) {
                builder.block();
                flow(builder, pictures);
                builder.block();
            } else if (name == QLatin1String("simpleChoice")) {
                Choice c{text(xml_.attributes().value(QLatin1String("identifier"))), {}, 0};
                PlainTextBuilder choice;
                std::vector<std::string> choicePictures;
                flow(choice, choicePictures);
                c.text = choice.finish();
                c.pictures = choicePictures.size();
                i.choices.push_back(std::move(c));
            } else {
                xml_.skipCurrentElement();
            }
        }
        builder.block();
        interactions_.push_back(std::move(i));
    }

    xbase::Status decide(InterchangeDocument& document, const std::string& category,
                         const std::string& title, const PictureResolver& resolver) {
        InterchangeQuestion q;
        q.where = where_;
        q.text = body_.finish();
        q.title = title.empty() ? titleFromText(q.text) : title;
        auto skip = [&](const std::string& reason) {
            document.skip(q.where, q.title, q.text, reason);
            return xbase::Status::ok();
        };
        if (interactions_.empty()) return skip("an item without an interaction (text only)");
        if (interactions_.size() > 1)
            return skip("an item with " + std::to_string(interactions_.size()) + " interactions");
        const Interaction& i = interactions_.front();
        if (i.kind != "choiceInteraction") return skip("a " + i.kind + " item");
        const auto correct = correct_.find(i.response);
        if (correct == correct_.end() || correct->second.empty())
            return skip("it has no correct response");
        for (const Choice& c : i.choices) q.choices.push_back(c.text);
        for (const std::string& value : correct->second) {
            const auto at = std::find_if(i.choices.begin(), i.choices.end(),
                                         [&](const Choice& c) { return c.id == value; });
            if (at == i.choices.end())
                return skip("its correct response \"" + value + "\" is not one of its choices");
            q.right.push_back(static_cast<int>(at - i.choices.begin()) + 1);
        }
        q.kind = i.maxChoices == 1 ? Kind::SingleChoice : Kind::MultipleChoice;
        if (q.kind == Kind::SingleChoice && q.choices.size() == 2 && q.right.size() == 1) {
            const std::string first = base::ascii::lower(base::ascii::trimmed(q.choices[0])),
                              second = base::ascii::lower(base::ascii::trimmed(q.choices[1]));
            if ((first == "true" && second == "false") || (first == "false" && second == "true")) {
                const bool trueIsRight =
                    base::ascii::lower(base::ascii::trimmed(
                        q.choices[static_cast<size_t>(q.right[0] - 1)])) == "true";
                q.kind = Kind::TrueFalse;
                q.right = {trueIsRight ? 1 : 2};
            }
        }
        ZX_TRY(takeExhibit(
            bodyPictures_, [&](const PictureReference& ref) { return resolver(ref, q.where); }, q,
            document));
        size_t choicePictures = 0;
        for (const Choice& c : i.choices) choicePictures += c.pictures;
        if (choicePictures + feedbackPictures_ > 0)
            document.note(q.where, "pictures in choices and feedback are left out");

        std::vector<std::string> hints, references;
        for (const Feedback& f : feedback_) {
            const std::string id = base::ascii::lower(f.identifier),
                              heading = base::ascii::lower(f.title);
            if (id == "hint" || heading == "hint") {
                hints.push_back(f.text);
            } else if (id == "reference" || heading == "reference" || f.title.empty()) {
                references.push_back(f.text);
            } else {
                references.push_back(f.title + ": " + f.text);
            }
        }
        q.hint = joinTexts(hints, "\n\n");
        q.reference = joinTexts(references, "\n");
        document.accept(category, std::move(q));
        return xbase::Status::ok();
    }

    QXmlStreamReader xml_;
    std::string where_;
    PlainTextBuilder body_;
    std::vector<std::string> bodyPictures_;
    size_t feedbackPictures_ = 0;
    std::vector<Interaction> interactions_;
    std::map<std::string, std::vector<std::string>> correct_;  // response identifier -> values
    std::vector<Feedback> feedback_;
};

struct Manifest {
    std::vector<std::string> items;  // resolved paths, in order
    std::string test;                // the assessment test, when there is one
    bool olderQti = false;           // resources of QTI 1.2
};

std::string xmlBase(const QXmlStreamAttributes& attributes) {
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.qualifiedName() == QLatin1String("xml:base")) return text(a.value());
    }
    return {};
}

xbase::Result<Manifest> readManifestXml(const std::string& bytes, const std::string& name) {
    QXmlStreamReader xml(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    Manifest manifest;
    std::string base;
    const std::string where = name + ", imsmanifest.xml";
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("resources")) {
            base = xmlBase(xml.attributes());
        } else if (xml.name() == QLatin1String("resource")) {
            const std::string type = text(xml.attributes().value(QLatin1String("type")));
            const std::string href = text(xml.attributes().value(QLatin1String("href")));
            const bool item = type.rfind("imsqti_item", 0) == 0,
                       test = type.rfind("imsqti_test", 0) == 0;
            if (type.rfind("imsqti_xmlv1", 0) == 0) manifest.olderQti = true;
            if (!item && !test) continue;
            std::optional<std::string> path =
                QtiReader::resolve(asFolder(base) + asFolder(xmlBase(xml.attributes())), href);
            if (!path)
                return xbase::Status::error(where + ": resource \"" + href +
                                            "\" lies outside the package");
            if (item) manifest.items.push_back(*path);
            if (test && manifest.test.empty()) manifest.test = *path;
        }
    }
    if (xml.hasError())
        return xbase::Status::error(where + ":" + std::to_string(xml.lineNumber()) +
                                    ": broken XML: " + xml.errorString().toStdString());
    return manifest;
}

}  // namespace

std::optional<std::string> QtiReader::resolve(const std::string& folder, const std::string& href) {
    const PictureReference ref = PictureReference::of(href);
    if (ref.kind != PictureReference::Kind::File || ref.name.empty()) return std::nullopt;
    const std::string joined = ref.name.front() == '/' ? ref.name : folder + ref.name;
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= joined.size()) {
        size_t end = joined.find_first_of("/\\", pos);
        if (end == std::string::npos) end = joined.size();
        const std::string part = joined.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty()) return std::nullopt;
    std::string path;
    for (const std::string& part : parts) path += (path.empty() ? "" : "/") + part;
    return path;
}

xbase::Result<InterchangeDocument> QtiReader::readPackageFiles(const FileLookup& lookup,
                                                               const std::string& name) {
    size_t total = 0;
    auto read = [&](const std::string& path) -> xbase::Result<std::optional<std::string>> {
        xbase::Result<std::optional<std::string>> bytes = lookup(path);
        if (bytes && bytes.value()) {
            total += bytes.value()->size();
            if (total > kPackageLimit)
                return xbase::Status::error(name + ": the package's files come to more than " +
                                            std::to_string(kPackageLimit >> 20) + " MiB");
        }
        return bytes;
    };
    ZX_TRY_ASSIGN(auto manifestBytes, read("imsmanifest.xml"));
    if (!manifestBytes) return xbase::Status::error(name + ": the package has no imsmanifest.xml");
    ZX_TRY_ASSIGN(auto manifest, readManifestXml(*manifestBytes, name));
    if (manifest.items.empty()) {
        if (manifest.olderQti)
            return xbase::Status::error(
                name + ": the package holds QTI 1.2 items; export them as QTI 2.1");
        return xbase::Status::error(name + ": imsmanifest.xml lists no assessment items");
    }
    std::string category;
    if (!manifest.test.empty()) {
        ZX_TRY_ASSIGN(auto test, read(manifest.test));
        if (!test)
            return xbase::Status::error(name + ": test \"" + manifest.test +
                                        "\" named in imsmanifest.xml is not in the package");
        QXmlStreamReader xml(QByteArray::fromStdString(*test));
        if (xml.readNextStartElement() && xml.name() == QLatin1String("assessmentTest"))
            category = base::ascii::trimmed(text(xml.attributes().value(QLatin1String("title"))));
    }
    InterchangeDocument document;
    for (const std::string& item : manifest.items) {
        ZX_TRY_ASSIGN(auto bytes, read(item));
        if (!bytes)
            return xbase::Status::error(name + ": item \"" + item +
                                        "\" named in imsmanifest.xml is not in the package");
        const std::string folder = folderOf(item);
        PictureResolver resolver =
            [&](const PictureReference& ref,
                const std::string& where) -> xbase::Result<std::optional<InterchangePicture>> {
            if (ref.kind == PictureReference::Kind::Inline && ref.bytes)
                return std::optional(InterchangePicture{ref.name, ref.bytes});
            if (ref.kind != PictureReference::Kind::File)
                return std::optional<InterchangePicture>();
            const std::optional<std::string> path = resolve(folder, ref.name);
            if (!path)
                return xbase::Status::error(where + ": picture \"" + ref.name +
                                            "\" lies outside the package");
            ZX_TRY_ASSIGN(auto picture, read(*path));
            if (!picture)
                return xbase::Status::error(where + ": picture \"" + *path +
                                            "\" is not in the package");
            return std::optional(InterchangePicture{*path, std::move(*picture)});
        };
        ZX_TRY(ItemReader(*bytes, name + ", item " + item).read(document, category, resolver));
    }
    return document;
}

xbase::Result<InterchangeDocument> QtiReader::readPackage(std::string bytes,
                                                          const std::string& name) {
    ZX_TRY_ASSIGN(const auto archive, ZipArchive::open(std::move(bytes), name));
    return readPackageFiles([&](const std::string& path) { return archive.read(path); }, name);
}

xbase::Result<InterchangeDocument> QtiReader::readManifest(const std::string& manifestPath) {
    const std::string folder = std::filesystem::path(manifestPath).parent_path().string();
    const std::string name = folder.empty() ? "." : folder;
    return readPackageFiles(
        [&](const std::string& path) -> xbase::Result<std::optional<std::string>> {
            const std::optional<std::string> file = questionbank::BankPath::findFile(name, path);
            if (!file) return std::optional<std::string>();
            return platform::readWholeFile(*file);
        },
        name);
}

xbase::Result<InterchangeDocument> QtiReader::readItem(std::string_view xml,
                                                       const std::string& name) {
    InterchangeDocument document;
    PictureResolver resolver = [](const PictureReference& ref, const std::string&) {
        return pictureBesideOrInline(ref);
    };
    ZX_TRY(ItemReader(xml, name).read(document, "", resolver));
    return document;
}

}  // namespace zentrix::banktool
