#include "tools/bank/bank_command.h"

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <system_error>

#include "platform/message_sink.h"
#include "questionbank/ttesting.h"
#include "tools/bank/bank_exporter.h"
#include "tools/bank/bank_importer.h"
#include "tools/bank/catalogue_tree.h"
#include "tools/bank/format_commands.h"

namespace zentrix::banktool {

using questionbank::TTesting;

namespace {

constexpr int kDone = 0, kFailed = 1, kBadUsage = 2;

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, bool> flags;
    std::map<std::string, std::string>
        values;  // options that take one: "--format gift" or "--format=gift"
};

std::string valueOf(const Arguments& a, const std::string& option) {
    auto it = a.values.find(option);
    return it == a.values.end() ? std::string() : it->second;
}

// Flags are "--name"; an allowed name ending in "=" takes a value; everything
// else is positional, in order.
bool split(const std::vector<std::string>& args, const std::vector<std::string>& allowedFlags, Arguments& out,
           std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0) {
            const size_t equals = arg.find('=');
            const std::string name = arg.substr(0, equals);
            if (std::find(allowedFlags.begin(), allowedFlags.end(), name + "=") !=
                allowedFlags.end()) {
                if (equals == std::string::npos && i + 1 >= args.size()) {
                    err << "zentrix-bank: " << name << " wants a value\n";
                    return false;
                }
                out.values[name] = equals == std::string::npos ? args[++i] : arg.substr(equals + 1);
                continue;
            }
            if (std::find(allowedFlags.begin(), allowedFlags.end(), arg) == allowedFlags.end()) {
                err << "zentrix-bank: unknown option " << arg << "\n";
                return false;
            }
            out.flags[arg] = true;
        } else {
            out.positional.push_back(arg);
        }
    }
    return true;
}

bool parseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
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
    platform::RecordingMessageSink sink_;
    TTesting bank_;
};

int init(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional.size() != 1) return kBadUsage;
    std::error_code ec;
    std::filesystem::create_directories(a.positional[0], ec);
    if (ec) {
        err << "zentrix-bank: " << a.positional[0] << ": cannot create folder: " << ec.message() << "\n";
        return kFailed;
    }
    OpenBank bank(a.positional[0]);
    if (!bank.valid(err)) return kFailed;
    out << "question bank ready in " << bank->DatabaseFolder() << "\n";
    return kDone;
}

int import(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional.size() < 2) return kBadUsage;
    FormatCommands::ImportOptions options;
    options.replace = a.flags.count("--replace") > 0;
    options.strict = a.flags.count("--strict") > 0;
    options.format = valueOf(a, "--format");
    options.course = valueOf(a, "--course");
    options.exam = valueOf(a, "--exam");
    const std::vector<std::string> sources(a.positional.begin() + 1, a.positional.end());
    return FormatCommands::import(a.positional[0], sources, options, out, err);
}

int exportExam(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional.size() != 3) return kBadUsage;
    FormatCommands::ExportOptions options;
    options.format = valueOf(a, "--format");
    options.includeSimulations = a.flags.count("--include-simulations") > 0;
    return FormatCommands::exportExam(a.positional[0], a.positional[1], a.positional[2], options,
                                      out, err);
}

int tree(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional.size() != 1) return kBadUsage;
    OpenBank bank(a.positional[0]);
    if (!bank.valid(err)) return kFailed;
    const auto rows = CatalogueTree::collect(*bank, !a.flags.count("--no-mixed"), a.flags.count("--questions") > 0);
    out << (a.flags.count("--json") ? CatalogueTree::asJson(rows) : CatalogueTree::asText(rows));
    return kDone;
}

void printRecord(void* context, const std::string& title, int number, const std::string& id,
                 const std::string& question, int counter) {
    std::ostream& out = *static_cast<std::ostream*>(context);
    out << "record " << counter << ": NUM " << number << ", ID \"" << id << "\", TITLE " << CatalogueTree::jsonString(title)
        << "\n  QUESTION " << CatalogueTree::jsonString(question) << "\n";
}

int dump(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional.size() != 2) return kBadUsage;
    OpenBank bank(a.positional[0]);
    if (!bank.openExam(a.positional[1], err)) return kFailed;
    bank->OnRawRecord = {&printRecord, &out};
    bank->RawRecordDump();
    bank->OnRawRecord.reset();
    return kDone;
}

int renumber(const Arguments& a, std::ostream& out, std::ostream& err) {
    int from = 0, to = 0;
    if (a.positional.size() != 4 || !parseNumber(a.positional[2], from) || !parseNumber(a.positional[3], to))
        return kBadUsage;
    OpenBank bank(a.positional[0]);
    if (!bank.openExam(a.positional[1], err)) return kFailed;
    if (from < 1 || from > bank->QuestionCount() || to < 1 || to > bank->QuestionCount()) {
        err << "zentrix-bank: exam " << a.positional[1] << " has questions 1 to " << bank->QuestionCount() << "\n";
        return kFailed;
    }
    if (bank->ChangeQuestionNumber(from, to) != 0) {
        err << "zentrix-bank: " << bank->LastError() << "\n";
        return kFailed;
    }
    out << "question " << from << " is now question " << to << "\n";
    return kDone;
}

int deleteQuestion(const Arguments& a, std::ostream& out, std::ostream& err) {
    int number = 0;
    if (a.positional.size() != 3 || !parseNumber(a.positional[2], number)) return kBadUsage;
    OpenBank bank(a.positional[0]);
    if (!bank.openExam(a.positional[1], err)) return kFailed;
    const int count = bank->QuestionCount();
    if (number < 1 || number > count) {
        err << "zentrix-bank: exam " << a.positional[1] << " has questions 1 to " << count << "\n";
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

int pack(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (a.positional.empty() || a.positional.size() > 2) return kBadUsage;
    OpenBank bank(a.positional[0]);
    if (a.positional.size() == 2 ? !bank.openExam(a.positional[1], err) : !bank.valid(err)) return kFailed;
    if (bank->PackDatabases() != 0) {
        err << "zentrix-bank: " << bank->LastError() << "\n";
        return kFailed;
    }
    out << "packed\n";
    return kDone;
}

}  // namespace

const char* BankCommand::usage() {
    return "usage: zentrix-bank COMMAND ...\n"
           "  init DIR                              create an empty question bank in DIR\n"
           "  import [--replace] DIR SOURCE...      add the exams of exam source files\n"
           "         [--format exam|gift|aiken|moodle-xml|qti|csv]\n"
           "         [--course ID] [--exam ID] [--strict]\n"
           "                                        or files of learning platforms: each category\n"
           "                                        an exam of the course; --strict: skips fail\n"
           "  export DIR EXAMID OUTDIR              write an exam as OUTDIR/EXAMID.exam and its "
           "files\n"
           "         [--format exam|gift|moodle-xml|qti] [--include-simulations]\n"
           "  tree DIR [--questions] [--no-mixed] [--json]\n"
           "                                        print the catalogue rows\n"
           "  dump DIR EXAMID                       print the raw question records\n"
           "  renumber DIR EXAMID FROM TO           move question FROM to position TO\n"
           "  delete-question DIR EXAMID NUM        delete question NUM\n"
           "  pack DIR [EXAMID]                     remove deleted records, compact memo files\n";
}

int BankCommand::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    using Handler = std::function<int(const Arguments&, std::ostream&, std::ostream&)>;
    struct Command {
        Handler handler;
        std::vector<std::string> flags;
    };
    const std::map<std::string, Command> commands = {
        {"init", {init, {}}},
        {"import", {import, {"--replace", "--strict", "--format=", "--course=", "--exam="}}},
        {"export", {exportExam, {"--format=", "--include-simulations"}}},
        {"tree", {tree, {"--questions", "--no-mixed", "--json"}}},
        {"dump", {dump, {}}},
        {"renumber", {renumber, {}}},
        {"delete-question", {deleteQuestion, {}}},
        {"pack", {pack, {}}},
    };
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << usage();
        return args.empty() ? kBadUsage : kDone;
    }
    auto it = commands.find(args[0]);
    if (it == commands.end()) {
        err << "zentrix-bank: unknown command " << args[0] << "\n" << usage();
        return kBadUsage;
    }
    Arguments arguments;
    if (!split(std::vector<std::string>(args.begin() + 1, args.end()), it->second.flags, arguments, err))
        return kBadUsage;
    const int status = it->second.handler(arguments, out, err);
    if (status == kBadUsage) err << usage();
    return status;
}

}  // namespace zentrix::banktool
