#include "tools/bank/format_commands.h"

#include <fstream>
#include <ostream>
#include <set>

#include "tools/bank/bank_exporter.h"
#include "tools/bank/bank_importer.h"
#include "tools/bank/formats/interchange_importer.h"

namespace zentrix::banktool {

namespace {

constexpr int kDone = 0, kFailed = 1, kBadUsage = 2;

// Enough of a file to tell its format.
std::string head(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(64 * 1024, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

struct ReadFile {
    std::string path;
    bool exam = false;  // an exam source
    InterchangeImporter::Report report;
};

}  // namespace

int FormatCommands::import(const std::string& bank, const std::vector<std::string>& files,
                           const ImportOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<InterchangeFormat> given;
    if (!options.format.empty()) {
        given = InterchangeFormats::parse(options.format);
        if (!given) {
            err << "zentrix-bank: unknown format \"" << options.format
                << "\"; use exam, gift, aiken, moodle-xml, qti or csv\n";
            return kBadUsage;
        }
    }
    auto failed = [&](const std::string& message) {
        err << "zentrix-bank: " << message
            << "\nzentrix-bank: nothing was imported; the bank is unchanged\n";
        return kFailed;
    };

    std::vector<ReadFile> read;
    std::vector<ExamWithFiles> exams;
    std::vector<bool> counted;  // per exam: read from another format, so its questions are counted
    std::set<std::string> usedIds;
    size_t skipped = 0;
    for (const std::string& path : files) {
        std::optional<InterchangeFormat> format = given;
        if (!format) {
            std::ifstream probe(path, std::ios::binary);
            if (!probe) return failed(path + ": cannot be read");
            format = InterchangeFormats::guess(path, head(path));
            if (!format)
                return failed(path +
                              ": cannot tell the file's format; give --format exam, gift, aiken, "
                              "moodle-xml, qti or csv");
        }
        ReadFile file{path, *format == InterchangeFormat::ExamSource, {}};
        if (file.exam) {
            if (!options.course.empty() || !options.exam.empty())
                return failed(
                    path +
                    ": an exam source names its own course and exam; --course and --exam are for "
                    "the other formats");
            xbase::Result<ExamWithFiles> loaded = BankImporter::load(path);
            if (!loaded) return failed(loaded.message());
            exams.push_back(std::move(loaded).value());
            counted.push_back(false);
        } else {
            xbase::Result<InterchangeImporter::Report> report =
                InterchangeImporter::read(path, *format, {options.course, options.exam}, usedIds);
            if (!report) return failed(report.message());
            file.report = std::move(report).value();
            for (const std::string& line : file.report.skipped)
                err << "zentrix-bank: " << line << "\n";
            for (const std::string& line : file.report.notes)
                err << "zentrix-bank: note: " << line << "\n";
            skipped += file.report.skipped.size();
            for (ExamWithFiles& exam : file.report.exams) {
                exams.push_back(std::move(exam));
                counted.push_back(true);
            }
        }
        read.push_back(std::move(file));
    }
    if (exams.empty()) return failed("no question of the files can be held in a bank");
    if (options.strict && skipped > 0)
        return failed(std::to_string(skipped) + " question" + (skipped > 1 ? "s were" : " was") +
                      " skipped and --strict makes that a failure");

    BankImporter::Options storeOptions;
    storeOptions.replace = options.replace;
    xbase::Result<std::vector<std::string>> ids = BankImporter::store(bank, exams, storeOptions);
    if (!ids) return failed(ids.message());
    for (size_t i = 0; i < exams.size(); ++i) {
        out << "imported exam " << exams[i].exam.id;
        if (counted[i]) out << " (" << exams[i].exam.questions.size() << " questions)";
        out << "\n";
    }
    for (const ReadFile& file : read) {
        if (file.exam) continue;
        out << file.path << ": took " << file.report.taken << " question"
            << (file.report.taken == 1 ? "" : "s") << ", skipped " << file.report.skipped.size()
            << "\n";
    }
    return kDone;
}

int FormatCommands::exportExam(const std::string& bank, const std::string& examId,
                               const std::string& outFolder, const ExportOptions& options,
                               std::ostream& out, std::ostream& err) {
    std::optional<InterchangeFormat> format = InterchangeFormat::ExamSource;
    if (!options.format.empty()) format = InterchangeFormats::parse(options.format);
    if (!format || !InterchangeFormats::canExport(*format)) {
        err << "zentrix-bank: exams are exported as exam, gift, moodle-xml or qti, not \""
            << options.format << "\"\n";
        return kBadUsage;
    }
    if (*format == InterchangeFormat::ExamSource) {
        xbase::Result<std::string> written = BankExporter::run(bank, examId, outFolder);
        if (!written) {
            err << "zentrix-bank: " << written.message() << "\n";
            return kFailed;
        }
        out << "wrote " << written.value() << "\n";
        return kDone;
    }
    InterchangeExporter::Options exportOptions;
    exportOptions.includeSimulations = options.includeSimulations;
    xbase::Result<BankExporter::FormatExport> written =
        BankExporter::runAs(bank, examId, outFolder, *format, exportOptions);
    if (!written) {
        err << "zentrix-bank: " << written.message() << "\n";
        return kFailed;
    }
    const InterchangeExporter::Report& report = written.value().report;
    for (const std::string& line : report.skipped) err << "zentrix-bank: " << line << "\n";
    for (const std::string& line : report.notes) err << "zentrix-bank: note: " << line << "\n";
    out << "wrote " << written.value().path << " (" << report.written << " question"
        << (report.written == 1 ? "" : "s") << ", skipped " << report.skipped.size() << ")\n";
    return kDone;
}

}  // namespace zentrix::banktool
