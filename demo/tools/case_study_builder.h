#pragma once

// Builds an exam's case-study table from a JSON description (see
// demo/README.md, "Case studies"): the table's path below the database folder
// and, per case study, its number, course, title and tabs, each tab's rich
// text read from a file beside the description.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <vector>

#include "xbase/status.h"

namespace zentrix::demo {

struct CaseStudySource {
    struct Tab {
        QString name;
        QByteArray text;  // rich text, stored as it is
    };
    long number = 0;
    QString course;
    QString title;
    std::vector<Tab> tabs;
};

struct CaseStudyTableSource {
    QString table;  // relative to the database folder, e.g. "networking/NETSVCc.DBF"
    std::vector<CaseStudySource> cases;
};

class CaseStudyBuilder {
public:
    // Reads and checks a description; tab files are relative to `baseDir`.
    static xbase::Result<CaseStudyTableSource> parse(const QByteArray& json, const QDir& baseDir);
    // Creates (replacing) the table below `databaseFolder`.
    static xbase::Status build(const CaseStudyTableSource& source, const QString& databaseFolder);
};

}  // namespace zentrix::demo
