#pragma once

// Writes one exam of a bank as an exam source file ("<EXAMID>.exam") with
// its pictures and simulation files beside it, in the form BankImporter
// reads back to the same exam.

#include <map>
#include <string>

#include "tools/bank/exam_source.h"
#include "tools/bank/formats/interchange_exporter.h"
#include "tools/bank/formats/interchange_format.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class BankExporter {
public:
    // Gives the path of the source file written.
    static xbase::Result<std::string> run(const std::string& bankFolder, const std::string& examId,
                                          const std::string& outFolder);

    // Writes an exam in another format into `outFolder`: the file
    // <EXAMID>.gift, .xml or .zip, and the pictures a GIFT file names beside
    // it. Gives what was written and what was left out.
    struct FormatExport {
        std::string path;
        InterchangeExporter::Report report;
    };
    static xbase::Result<FormatExport> runAs(const std::string& bankFolder,
                                             const std::string& examId,
                                             const std::string& outFolder, InterchangeFormat format,
                                             const InterchangeExporter::Options& options);

    // The exam as a source with the stored bytes of its files; a name that
    // stands for two contents, or one that would leave the output folder,
    // is refused.
    static xbase::Result<ExamWithFiles> read(const std::string& bankFolder,
                                             const std::string& examId);

    // The file an exam is written to: its identifier, safe as a file name,
    // and the extension (".exam", ".gift", ...).
    static std::string fileNameFor(const std::string& examId, const std::string& extension);

    // Writes `files` into `outFolder`, creating it.
    static xbase::Status writeFiles(const std::string& outFolder,
                                    const std::map<std::string, std::string>& files);
};

}  // namespace zentrix::banktool
