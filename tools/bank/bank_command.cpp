#include "tools/bank/bank_command.h"

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <system_error>

#include "base/message_sink.h"
#include "questionbank/ttesting.h"
#include "tools/bank/bank_exporter.h"
#include "tools/bank/bank_importer.h"
#include "tools/bank/catalogue_tree.h"
#include "tools/bank/format_commands.h"
#include "tools/common/command_line.h"

namespace zentrix::banktool {

using questionbank::TTesting;
using tools::ParsedCommand;

namespace {

constexpr int kDone = 0, kFailed = 1, kBadUsage = 2;

bool parseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return true;
}

// An open bank for the commands that work in place.
class OpenBank {
public:
    explicit OpenBank(const std::string& folder) : bank_(engine_, folder, sink_) {}
    bool valid(std::ostream& err) {
        if (bank_.IsValid()) return true;
        err << "zentrix-bank: " << bank_.LastError() << "\n";
        return false;
    }
    bool openExam(const std::string& id, std::ostream& err) {
        if (!valid(err)) return false;
        if (!bank_.TestExists(id)) {
            err << "zentrix-bank: exam " << id << " is not in " << bank_.DatabaseFolder() << "\n";
            return false;
        }
        if (bank_.OpenTest(id) == 0) return true;
        err << "zentrix-bank: exam " << id << ": " << bank_.LastError() << "\n";
        return false;
    }
    TTesting& operator*() { return bank_; }
    TTesting* operator->() { return &bank_; }

private:
    xbase::Engine engine_;
    base::RecordingMessageSink sink_;
    TTesting bank_;
};

int init(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    std::filesystem::create_directories(a.arguments()[0], ec);
    if (ec) {
        err << "zentrix-bank: " << a.arguments()[0] << ": cannot create folder: " << ec.message()
            << "\n";
        return kFailed;
    }
    OpenBank bank(a.arguments()[0]);
    if (!bank.valid(err)) return kFailed;
    out << "question bank ready in " << bank->DatabaseFolder() << "\n";
    return kDone;
}

int import(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    FormatCommands::ImportOptions options;
    options.replace = a.has("--replace");
    options.strict = a.has("--strict");
    options.format = a.value("--format");
    options.course = a.value("--course");
    options.exam = a.value("--exam");
    const std::vector<std::string> sources(a.arguments().begin() + 1, a.arguments().end());
    return FormatCommands::import(a.arguments()[0], sources, options, out, err);
}

int exportExam(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    FormatCommands::ExportOptions options;
    options.format = a.value("--format");
    options.includeSimulations = a.has("--include-simulations");
    return FormatCommands::exportExam(a.arguments()[0], a.arguments()[1], a.arguments()[2], options,
                                      out, err);
}

int tree(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    OpenBank bank(a.arguments()[0]);
    if (!bank.valid(err)) return kFailed;
    const auto rows = CatalogueTree::collect(*bank, !a.has("--no-mixed"), a.has("--questions"));
    out << (a.has("--json") ? CatalogueTree::asJson(rows) : CatalogueTree::asText(rows));
    return kDone;
}

void printRecord(void* context, const std::string& title, int number, const std::string& id,
                 const std::string& question, int counter) {
    std::ostream& out = *static_cast<std::ostream*>(context);
    out << "record " << counter << ": NUM " << number << ", ID \"" << id << "\", TITLE "
        << CatalogueTree::jsonString(title) << "\n  QUESTION "
        << CatalogueTree::jsonString(question) << "\n";
}

int dump(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    OpenBank bank(a.arguments()[0]);
    if (!bank.openExam(a.arguments()[1], err)) return kFailed;
    bank->OnRawRecord = {&printRecord, &out};
    bank->RawRecordDump();
    bank->OnRawRecord.reset();
    return kDone;
}

int renumber(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    int from = 0, to = 0;
    if (!parseNumber(a.argument(2), from) || !parseNumber(a.argument(3), to)) {
        err << "zentrix-bank: FROM and TO must be question numbers\n";
        return kBadUsage;
    }
    OpenBank bank(a.arguments()[0]);
    if (!bank.openExam(a.arguments()[1], err)) return kFailed;
    if (from < 1 || from > bank->QuestionCount() || to < 1 || to > bank->QuestionCount()) {
        err << "zentrix-bank: exam " << a.arguments()[1] << " has questions 1 to "
            << bank->QuestionCount() << "\n";
        return kFailed;
    }
    if (bank->ChangeQuestionNumber(from, to) != 0) {
        err << "zentrix-bank: " << bank->LastError() << "\n";
        return kFailed;
    }
    out << "question " << from << " is now question " << to << "\n";
    return kDone;
}

int deleteQuestion(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    int number = 0;
    if (!parseNumber(a.argument(2), number)) {
        err << "zentrix-bank: NUM must be a question number\n";
        return kBadUsage;
    }
    OpenBank bank(a.arguments()[0]);
    if (!bank.openExam(a.arguments()[1], err)) return kFailed;
    const int count = bank->QuestionCount();
    if (number < 1 || number > count) {
        err << "zentrix-bank: exam " << a.arguments()[1] << " has questions 1 to " << count << "\n";
        return kFailed;
    }
    if (count <= 1) {
        err << "zentrix-bank: the only question of an exam cannot be deleted\n";
        return kFailed;
    }
    if (bank->DeleteTestQuestion(number) != 0) {
        err << "zentrix-bank: " << bank->LastError() << "\n";
        return kFailed;
    }
    out << "deleted question " << number << "; " << bank->QuestionCount() << " remain\n";
    return kDone;
}

int pack(const ParsedCommand& a, std::ostream& out, std::ostream& err) {
    OpenBank bank(a.arguments()[0]);
    if (a.arguments().size() == 2 ? !bank.openExam(a.arguments()[1], err) : !bank.valid(err))
        return kFailed;
    if (bank->PackDatabases() != 0) {
        err << "zentrix-bank: " << bank->LastError() << "\n";
        return kFailed;
    }
    out << "packed\n";
    return kDone;
}

const tools::ToolDescription& bankTool() {
    using Spec = tools::CommandSpec;
    static const tools::ToolDescription tool{
        "zentrix-bank",
        "Builds and inspects question banks.",
        kBadUsage,
        {
            {{"init", "DIR", "create an empty question bank in DIR", 1, 1}, init},
            {{"import",
              "DIR SOURCE...",
              "add the exams of exam sources, or of GIFT, Aiken, Moodle XML, QTI or CSV files",
              2,
              Spec::kAnyCount,
              {{"--replace", "", "replace exams the bank already holds"},
               {"--format", "FORMAT",
                "exam, gift, aiken, moodle-xml, qti or csv (default: guessed)"},
               {"--course", "ID",
                "the course of the other formats' exams (default: the file's name)"},
               {"--exam", "ID", "the exam of a file with one category (default: the file's name)"},
               {"--strict", "", "fail when a question is skipped"}}},
             import},
            {{"export",
              "DIR EXAMID OUTDIR",
              "write an exam as OUTDIR/EXAMID.exam and its files, or .gift, .xml, .zip",
              3,
              3,
              {{"--format", "FORMAT", "exam, gift, moodle-xml or qti (default: exam)"},
               {"--include-simulations", "", "simulations as their steps in a text item"}}},
             exportExam},
            {{"tree",
              "DIR",
              "print the catalogue rows",
              1,
              1,
              {{"--questions", "", "with a row per titled question"},
               {"--no-mixed", "", "without the courses' mixed-exam rows"},
               {"--json", "", "as JSON"}}},
             tree},
            {{"dump", "DIR EXAMID", "print the raw question records with their record numbers", 2,
              2},
             dump},
            {{"renumber", "DIR EXAMID FROM TO", "move question FROM to position TO", 4, 4},
             renumber},
            {{"delete-question", "DIR EXAMID NUM", "delete question NUM", 3, 3}, deleteQuestion},
            {{"pack", "DIR [EXAMID]", "remove deleted records, compact memo files", 1, 2}, pack},
        }};
    return tool;
}

}  // namespace

std::string BankCommand::usage() { return tools::toolUsage(bankTool()); }

int BankCommand::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return tools::runTool(bankTool(), args, out, err);
}

}  // namespace zentrix::banktool
