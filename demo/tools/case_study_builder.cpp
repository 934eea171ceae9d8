#include "demo/tools/case_study_builder.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <set>

#include "demo/tools/case_study_table_layout.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::demo {

using xbase::Result;
using xbase::Status;

namespace {

Status fits(const QString& what, const QString& text, int width) {
    if (text.toLatin1().size() > width)
        return Status::error(what.toStdString() + " \"" + text.toStdString() +
                             "\" is longer than " + std::to_string(width) + " characters");
    return Status::ok();
}

Status onlyKnown(const QJsonObject& object, const std::set<QString>& known, const QString& where) {
    for (const QString& key : object.keys()) {
        if (!known.count(key))
            return Status::error(where.toStdString() + ": unknown member \"" + key.toStdString() +
                                 "\"");
    }
    return Status::ok();
}

Result<CaseStudySource> parseCase(const QJsonObject& object, const QDir& baseDir,
                                  const QString& where) {
    ZX_TRY(onlyKnown(object,
                     {QStringLiteral("number"), QStringLiteral("course"), QStringLiteral("title"),
                      QStringLiteral("tabs")},
                     where));
    CaseStudySource source;
    const double number = object[QStringLiteral("number")].toDouble(-1);
    if (number < 1 || number > 999999 || number != double(long(number)))
        return Status::error(where.toStdString() +
                             ": \"number\" must be a whole number from 1 to 999999");
    source.number = long(number);
    source.course = object[QStringLiteral("course")].toString();
    source.title = object[QStringLiteral("title")].toString();
    ZX_TRY(fits(where + QStringLiteral(": course"), source.course, case_layout::kCourseIdWidth));
    ZX_TRY(fits(where + QStringLiteral(": title"), source.title, case_layout::kTitleWidth));
    const QJsonArray tabs = object[QStringLiteral("tabs")].toArray();
    if (tabs.isEmpty() || tabs.size() > case_layout::kMaxTabs)
        return Status::error(where.toStdString() + ": a case study has 1 to 10 tabs");
    for (qsizetype i = 0; i < tabs.size(); ++i) {
        const QJsonObject tab = tabs[i].toObject();
        const QString tabWhere = where + QStringLiteral(" tab ") + QString::number(i + 1);
        ZX_TRY(onlyKnown(tab, {QStringLiteral("name"), QStringLiteral("file")}, tabWhere));
        CaseStudySource::Tab entry;
        entry.name = tab[QStringLiteral("name")].toString();
        if (entry.name.isEmpty())
            return Status::error(tabWhere.toStdString() + ": \"name\" is missing");
        ZX_TRY(fits(tabWhere + QStringLiteral(": name"), entry.name, case_layout::kTabNameWidth));
        QFile file(baseDir.filePath(tab[QStringLiteral("file")].toString()));
        if (!file.open(QIODevice::ReadOnly))
            return Status::error(tabWhere.toStdString() + ": " + file.fileName().toStdString() +
                                 " cannot be read");
        entry.text = file.readAll();
        source.tabs.push_back(std::move(entry));
    }
    return source;
}

}  // namespace

Result<CaseStudyTableSource> CaseStudyBuilder::parse(const QByteArray& json, const QDir& baseDir) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return Status::error("not valid JSON at offset " + std::to_string(error.offset) + ": " +
                             error.errorString().toStdString());
    const QJsonObject root = document.object();
    ZX_TRY(onlyKnown(root, {QStringLiteral("table"), QStringLiteral("cases")},
                     QStringLiteral("description")));
    CaseStudyTableSource source;
    source.table = root[QStringLiteral("table")].toString();
    if (source.table.isEmpty() || source.table.startsWith(QLatin1Char('/')) ||
        source.table.contains(QLatin1String("..")))
        return Status::error("\"table\" must name the table below the database folder");
    const QJsonArray cases = root[QStringLiteral("cases")].toArray();
    if (cases.isEmpty()) return Status::error("\"cases\" lists no case study");
    std::set<long> numbers;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        ZX_TRY_ASSIGN(auto parsed, parseCase(cases[i].toObject(), baseDir,
                                             QStringLiteral("case ") + QString::number(i + 1)));
        if (!numbers.insert(parsed.number).second)
            return Status::error("case number " + std::to_string(parsed.number) + " is used twice");
        source.cases.push_back(std::move(parsed));
    }
    return source;
}

Status CaseStudyBuilder::build(const CaseStudyTableSource& source, const QString& databaseFolder) {
    const std::string path = QDir(databaseFolder).filePath(source.table).toStdString();
    xbase::Engine engine;
    auto created = engine.create(path, case_layout::fields(), case_layout::tags());
    if (!created) return Status::error(path + ": " + created.message());
    xbase::Table& table = *created.value();
    auto field = [&table](const std::string& name) { return table.field(name); };
    for (const CaseStudySource& c : source.cases) {
        ZX_TRY(table.appendBlank());
        ZX_TRY(table.assignLong(field("RECID"), c.number));
        ZX_TRY(table.assign(field("COURSEID"), c.course.toStdString()));
        ZX_TRY(table.assign(field("TITLE"), c.title.toStdString()));
        ZX_TRY(table.assignLong(field("NOTABS"), long(c.tabs.size())));
        for (size_t t = 0; t < c.tabs.size(); ++t) {
            const int tab = int(t) + 1;
            ZX_TRY(
                table.assign(field(case_layout::tabNameField(tab)), c.tabs[t].name.toStdString()));
            ZX_TRY(table.assignMemo(field(case_layout::tabTextField(tab)),
                                    c.tabs[t].text.toStdString()));
        }
        ZX_TRY(table.commit());
    }
    return Status::ok();
}

}  // namespace zentrix::demo
