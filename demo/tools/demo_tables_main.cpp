// zentrix-demo-tables: builds the tables of the demo bank that authors do not
// write through zentrix-bank.
//
//   zentrix-demo-tables case-study DESCRIPTION DATABASE
//       creates the case-study table the description names, below the
//       database folder DATABASE; tab files are read beside the description.
//
// Exit status: 0 done, 1 failure, 2 usage.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <string>

#include "demo/tools/case_study_builder.h"

int main(int argc, char** argv) {
    using namespace zentrix;
    if (argc != 4 || std::string(argv[1]) != "case-study") {
        std::fputs("usage: zentrix-demo-tables case-study DESCRIPTION DATABASE\n", stderr);
        return 2;
    }
    const QString description = QString::fromLocal8Bit(argv[2]);
    QFile file(description);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "zentrix-demo-tables: %s: cannot be read\n", argv[2]);
        return 1;
    }
    auto source =
        demo::CaseStudyBuilder::parse(file.readAll(), QFileInfo(description).absoluteDir());
    xbase::Status status =
        source ? demo::CaseStudyBuilder::build(*source, QString::fromLocal8Bit(argv[3]))
               : source.status();
    if (!status) {
        std::fprintf(stderr, "zentrix-demo-tables: %s: %s\n", argv[2], status.message().c_str());
        return 1;
    }
    return 0;
}
