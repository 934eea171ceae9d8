// zentrix_many_seats: the setting of a training centre, many engines on one
// shared bank folder.
//
// It builds a bank with one exam, then starts SEATS engine processes on it
// that each run ATTEMPTS attempts for a learner of its own and as many for a
// learner all seats share (open the exam, read questions, StartTest,
// EndTest), one process that imports IMPORTS more exams into the bank
// meanwhile, and one that lists the catalogue in a loop. Afterwards it checks
// that every attempt was recorded (the newest five per learner and course, in
// order), that `zentrix-dbf check` passes on every table and that no process
// saw a damaged record, and reports attempts per second and the longest wait
// for a lock. Exit status 0 when everything held.
//
//   zentrix_many_seats [--seats 16] [--attempts 50] [--imports 5] [--folder DIR] [--keep]
//
// --folder puts the bank on a file system of your choice (a network mount,
// say); by default it goes to a scratch folder that is removed afterwards.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/message_sink.h"
#include "bench/stress/timed_lock_file_system.h"
#include "history/tthistory.h"
#include "questionbank/ttesting.h"
#include "tools/bank/bank_importer.h"
#include "tools/common/command_line.h"
#include "xbase/engine.h"

namespace fs = std::filesystem;
using namespace zentrix;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kCourse = "STRESS";
constexpr const char* kExam = "STRESS1";
constexpr const char* kSharedLearner = "Shared learner";
constexpr int kQuestions = 12;

std::string learnerOf(int seat) { return "Seat " + std::to_string(seat); }
std::string examId(int n) { return "STRESS" + std::to_string(n); }
// QTAKEN of an attempt tells whose it is: seat * 100 + attempt.
int encoded(int seat, int attempt) { return seat * 100 + attempt; }

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void writeExamSource(const std::string& path, int n) {
    std::ofstream out(path);
    out << "[course]\nid = \"" << kCourse
        << "\"\ntitle = \"Many seats\"\ntime = \"1:00\"\nmixed_questions = 10\n\n"
        << "[exam]\nid = \"" << examId(n) << "\"\ntable = \"" << examId(n)
        << "\"\nfolder = \"stress" << n << "/\"\ntitle = \"Stress exam " << n
        << "\"\ndescription = \"Written while engines run.\"\n";
    for (int q = 1; q <= kQuestions; ++q) {
        out << "\n[[question]]\ntype = \"single-choice\"\ntitle = \"Question " << q
            << "\"\ntext = \"Exam " << n << ", question " << q << "\"\nchoice = \"A" << q
            << "\"\nchoice = \"B" << q << "\"\ncorrect = 1\n"
            << "hint = \"" << std::string(200, 'h') << "\"\n";
    }
}

// key=value lines a child leaves for the coordinator.
class Report {
public:
    void set(const std::string& key, long long value) { values_[key] = std::to_string(value); }
    void set(const std::string& key, double value) { values_[key] = std::to_string(value); }
    void problem(const std::string& text) {
        ++problems_;
        if (problems_ <= 5) values_["problem" + std::to_string(problems_)] = text;
    }
    long long problems() const { return problems_; }
    void write(const std::string& path) {
        set("problems", problems_);
        std::ofstream out(path + ".partial");
        for (const auto& [key, value] : values_) out << key << "=" << value << "\n";
        out.close();
        fs::rename(path + ".partial", path);
    }
    static std::map<std::string, std::string> read(const std::string& path) {
        std::map<std::string, std::string> values;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            const size_t eq = line.find('=');
            if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
        }
        return values;
    }

private:
    std::map<std::string, std::string> values_;
    long long problems_ = 0;
};

void waitForFile(const std::string& path) {
    while (!fs::exists(path)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// ---- one seat: an engine taking attempts --------------------------------------

class Seat {
public:
    Seat(int index, const std::string& bank, std::shared_ptr<bench::LockWaits> waits)
        : index_(index),
          engine_(std::make_shared<bench::TimedLockFileSystem>(xbase::FileSystem::posix(), waits)),
          bank_(engine_, bank, sink_),
          history_(engine_, bank, sink_) {}

    bool ready(Report& report) {
        if (!bank_.IsValid()) report.problem("question bank: " + bank_.LastError());
        if (!history_.valid()) report.problem("history: " + history_.lastError());
        return bank_.IsValid() && history_.valid();
    }

    // One attempt as the main window runs it. Gives false when the attempt
    // was pushed out of the record by later ones before it ended.
    bool attempt(const std::string& learner, int number, bool shared, Report& report) {
        readQuestions(report);
        if (history_.KeyIDExists(learner, kCourse)) {
            if (!history_.OpenHistorySess(0, "", 2, kCourse, learner))
                report.problem(learner + ": record found but not opened");
        } else if (history_.AddHistorySess(learner, kCourse) == 0) {
            report.problem(learner + ": record not added: " + history_.lastError());
            return true;
        }
        const int taken = encoded(index_, number);
        history_.StartTest(history::kClosedBook, taken, kExam);
        history::HistorySess session;
        history_.Get_CurHistoryInfo(session);
        if (session.Slots[0].QTAKEN != taken || session.Slots[0].TestID != kExam) {
            report.problem(learner + ": attempt " + std::to_string(number) +
                           " not started: " + history_.lastError());
            return true;
        }
        history_.EndTest(number, index_);
        history_.Get_CurHistoryInfo(session);
        for (const history::HistorySlot& slot : session.Slots) {
            if (slot.QTAKEN != taken) continue;
            if (slot.QRIGHT != number || slot.QTRIED != index_)
                report.problem(learner + ": attempt " + std::to_string(number) + " ended wrongly");
            return true;
        }
        if (!shared)
            report.problem(learner + ": attempt " + std::to_string(number) + " lost its end");
        return false;
    }

private:
    void readQuestions(Report& report) {
        int usedRegular = 1;
        if (bank_.OpenPrePostTest(kExam, true, usedRegular) != 0) {
            report.problem("opening " + std::string(kExam) + ": " + bank_.LastError());
            return;
        }
        if (bank_.QuestionCount() != kQuestions)
            report.problem("damaged record: " + std::to_string(bank_.QuestionCount()) +
                           " questions counted");
        std::vector<int> order;
        bank_.RandomizeTestQuestions(order, 5);
        for (int n : order) {
            if (bank_.GoToTestQuestion(n) != 0 ||
                bank_.QuestionInfo().TITLE != "Question " + std::to_string(n) ||
                bank_.GetAnswerText(1) != "A" + std::to_string(n))
                report.problem("damaged record: question " + std::to_string(n) + ": " +
                               bank_.LastError());
        }
        bank_.CloseTest();
    }

    int index_;
    base::RecordingMessageSink sink_;
    xbase::Engine engine_;
    questionbank::TTesting bank_;
    history::TTHistory history_;
};

int runSeat(int index, const std::string& bank, const std::string& work, int attempts) {
    Report report;
    auto waits = std::make_shared<bench::LockWaits>();
    Seat seat(index, bank, waits);
    long long ended = 0, pushedOut = 0;
    double seconds = 0;
    if (seat.ready(report)) {
        waitForFile(work + "/go");
        const auto start = Clock::now();
        for (int a = 1; a <= attempts; ++a) {
            ended += seat.attempt(learnerOf(index), a, false, report) ? 1 : 0;
            if (seat.attempt(kSharedLearner, a, true, report))
                ++ended;
            else
                ++pushedOut;
        }
        seconds = secondsSince(start);
    }
    report.set("attempts", ended + pushedOut);
    report.set("pushedOut", pushedOut);
    report.set("seconds", seconds);
    report.set("lockLongestUs", waits->longestMicroseconds.load());
    report.set("lockTotalUs", waits->totalMicroseconds.load());
    report.set("locks", waits->count.load());
    report.set("locksRefused", waits->refused.load());
    report.set("syncs", waits->syncs.load());
    report.set("syncUs", waits->syncMicroseconds.load());
    report.write(work + "/results/seat-" + std::to_string(index));
    return report.problems() == 0 ? 0 : 1;
}

// ---- the importer and the catalogue reader ----------------------------------------

int runImporter(const std::string& bank, const std::string& work, int imports) {
    Report report;
    waitForFile(work + "/go");
    double longest = 0;
    for (int n = 2; n <= imports + 1; ++n) {
        const std::string source = work + "/sources/stress" + std::to_string(n) + ".exam";
        writeExamSource(source, n);
        const auto start = Clock::now();
        auto imported = banktool::BankImporter::run(bank, {source}, {});
        longest = std::max(longest, secondsSince(start));
        if (!imported) report.problem("import of " + examId(n) + ": " + imported.message());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    report.set("imports", static_cast<long long>(imports));
    report.set("longestImportSeconds", longest);
    report.write(work + "/results/importer");
    return report.problems() == 0 ? 0 : 1;
}

struct Row {
    std::string course, exam, title;
    unsigned char kind;
};

void collectRow(void* context, const std::string& course, const std::string& exam,
                const std::string& title, unsigned char kind, unsigned char, unsigned char,
                unsigned char, int, int) {
    static_cast<std::vector<Row>*>(context)->push_back({course, exam, title, kind});
}

int runReader(const std::string& bank, const std::string& work, int imports) {
    Report report;
    base::RecordingMessageSink sink;
    xbase::Engine engine;
    questionbank::TTesting catalogue(engine, bank, sink);
    waitForFile(work + "/go");
    long long rounds = 0;
    size_t exams = 0;
    do {
        std::vector<Row> rows;
        catalogue.OnSelectItem = {&collectRow, &rows};
        catalogue.ListQVSelectTitles(true, false);
        catalogue.OnSelectItem.reset();
        size_t seen = 0;
        for (const Row& row : rows) {
            if (row.kind != questionbank::kExamRow) continue;
            ++seen;
            const std::string number =
                row.exam.substr(std::min(row.exam.size(), std::string("STRESS").size()));
            if (row.course != kCourse || row.exam.rfind("STRESS", 0) != 0 ||
                row.title != "Stress exam " + number)
                report.problem("damaged record in the listing: " + row.exam + " \"" + row.title +
                               "\"");
        }
        if (seen < exams || seen > static_cast<size_t>(imports) + 1)
            report.problem("the listing went from " + std::to_string(exams) + " to " +
                           std::to_string(seen) + " exams");
        exams = std::max(exams, seen);
        // The newest exam opens with all its questions.
        if (seen > 0 && rounds % 5 == 0) {
            const std::string newest = examId(static_cast<int>(seen));
            if (catalogue.OpenTest(newest) != 0 || catalogue.QuestionCount() != kQuestions ||
                catalogue.GoToTestQuestion(kQuestions) != 0 ||
                catalogue.QuestionInfo().QUESTION !=
                    "Exam " + std::to_string(seen) + ", question " + std::to_string(kQuestions))
                report.problem("damaged record: " + newest +
                               " read back wrongly: " + catalogue.LastError());
            catalogue.CloseTest();
        }
        ++rounds;
        // An engine lists the catalogue at start, not in a tight loop.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (!fs::exists(work + "/stop"));
    report.set("rounds", rounds);
    report.set("exams", static_cast<long long>(exams));
    report.write(work + "/results/reader");
    return report.problems() == 0 ? 0 : 1;
}

// ---- the coordinator -------------------------------------------------------------

pid_t spawn(const std::vector<std::string>& args) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    std::vector<char*> argv;
    static const std::string self = fs::read_symlink("/proc/self/exe").string();
    argv.push_back(const_cast<char*>(self.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(self.c_str(), argv.data());
    std::perror("zentrix_many_seats: exec");
    std::_Exit(127);
}

int waitFor(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The five newest attempts of a seat's own learner: its last five, in order.
void checkOwnLearner(history::TTHistory& history, int seat, int attempts,
                     std::vector<std::string>& problems) {
    const std::string learner = learnerOf(seat);
    if (!history.OpenHistorySess(0, "", 2, kCourse, learner)) {
        problems.push_back(learner + ": no history record");
        return;
    }
    history::HistorySess session;
    history.Get_CurHistoryInfo(session);
    for (int n = 0; n < history::kHistorySlots && attempts - n >= 1; ++n) {
        const history::HistorySlot& slot = session.Slots[n];
        const int number = attempts - n;
        if (slot.QTAKEN != encoded(seat, number) || slot.QRIGHT != number || slot.QTRIED != seat)
            problems.push_back(learner + ": slot " + std::to_string(n + 1) + " holds QTAKEN " +
                               std::to_string(slot.QTAKEN) + ", not attempt " +
                               std::to_string(number));
    }
}

// The shared learner's five newest: all ended, each seat's in its own order.
void checkSharedLearner(history::TTHistory& history, int seats, int attempts,
                        std::vector<std::string>& problems) {
    if (!history.OpenHistorySess(0, "", 2, kCourse, kSharedLearner)) {
        problems.push_back("shared learner: no history record");
        return;
    }
    history::HistorySess session;
    history.Get_CurHistoryInfo(session);
    std::map<int, int> newestOfSeat;
    const int filled = std::min(history::kHistorySlots, seats * attempts);
    for (int n = 0; n < filled; ++n) {
        const history::HistorySlot& slot = session.Slots[n];
        const int seat = slot.QTAKEN / 100, number = slot.QTAKEN % 100;
        if (seat < 1 || seat > seats || number < 1 || number > attempts || slot.QRIGHT != number ||
            slot.QTRIED != seat) {
            problems.push_back("shared learner: slot " + std::to_string(n + 1) +
                               " is not one ended attempt (QTAKEN " + std::to_string(slot.QTAKEN) +
                               ", QRIGHT " + std::to_string(slot.QRIGHT) + ", QTRIED " +
                               std::to_string(slot.QTRIED) + ")");
            continue;
        }
        if (newestOfSeat.count(seat) && newestOfSeat[seat] <= number)
            problems.push_back("shared learner: seat " + std::to_string(seat) +
                               "'s attempts are out of order");
        newestOfSeat[seat] = number;
    }
}

long long number(const std::map<std::string, std::string>& values, const std::string& key) {
    auto it = values.find(key);
    return it == values.end() ? 0 : std::atoll(it->second.c_str());
}

int coordinate(int seats, int attempts, int imports, std::string folder, bool keep) {
    const bool scratch = folder.empty();
    if (scratch)
        folder = (fs::temp_directory_path() / ("zentrix-many-seats-" + std::to_string(::getpid())))
                     .string();
    const std::string work = fs::absolute(folder).string();
    const std::string bank = work + "/bank/";
    fs::remove_all(work);
    fs::create_directories(bank);
    fs::create_directories(work + "/results");
    fs::create_directories(work + "/sources");
    writeExamSource(work + "/sources/stress1.exam", 1);
    {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        questionbank::TTesting init(engine, bank, sink);
        if (!init.IsValid()) {
            std::cerr << "zentrix_many_seats: " << init.LastError() << "\n";
            return 1;
        }
    }
    if (auto imported = banktool::BankImporter::run(bank, {work + "/sources/stress1.exam"}, {});
        !imported) {
        std::cerr << "zentrix_many_seats: " << imported.message() << "\n";
        return 1;
    }

    std::vector<pid_t> seatPids;
    for (int i = 1; i <= seats; ++i)
        seatPids.push_back(spawn({"--role", "seat", "--index", std::to_string(i), "--bank", bank,
                                  "--work", work, "--attempts", std::to_string(attempts)}));
    const pid_t importer = spawn({"--role", "importer", "--bank", bank, "--work", work, "--imports",
                                  std::to_string(imports)});
    const pid_t reader = spawn(
        {"--role", "reader", "--bank", bank, "--work", work, "--imports", std::to_string(imports)});
    std::this_thread::sleep_for(
        std::chrono::milliseconds(300));  // every process has opened the bank
    const auto start = Clock::now();
    std::ofstream(work + "/go").close();
    int failedProcesses = 0;
    for (pid_t pid : seatPids) failedProcesses += waitFor(pid) != 0;
    const double seconds = secondsSince(start);
    failedProcesses += waitFor(importer) != 0;
    std::ofstream(work + "/stop").close();
    failedProcesses += waitFor(reader) != 0;

    std::vector<std::string> problems;
    long long ended = 0, pushedOut = 0, locks = 0, lockTotal = 0, lockLongest = 0, refused = 0,
              syncs = 0, syncUs = 0;
    std::vector<std::string> reports;
    for (int i = 1; i <= seats; ++i) reports.push_back(work + "/results/seat-" + std::to_string(i));
    reports.push_back(work + "/results/importer");
    reports.push_back(work + "/results/reader");
    for (const std::string& path : reports) {
        if (!fs::exists(path)) {
            problems.push_back(fs::path(path).filename().string() + ": left no report");
            continue;
        }
        const auto values = Report::read(path);
        for (const auto& [key, value] : values)
            if (key.rfind("problem", 0) == 0 && key != "problems")
                problems.push_back(fs::path(path).filename().string() + ": " + value);
        ended += number(values, "attempts") - number(values, "pushedOut");
        pushedOut += number(values, "pushedOut");
        locks += number(values, "locks");
        lockTotal += number(values, "lockTotalUs");
        refused += number(values, "locksRefused");
        syncs += number(values, "syncs");
        syncUs += number(values, "syncUs");
        lockLongest = std::max(lockLongest, number(values, "lockLongestUs"));
    }
    const auto importerValues = Report::read(work + "/results/importer");
    const auto readerValues = Report::read(work + "/results/reader");

    {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        history::TTHistory history(engine, bank, sink);
        for (int i = 1; i <= seats; ++i) checkOwnLearner(history, i, attempts, problems);
        checkSharedLearner(history, seats, attempts, problems);
        if (history.GetNextId() != seats + 2)
            problems.push_back("TESTHIST holds " + std::to_string(history.GetNextId() - 1) +
                               " records, not " + std::to_string(seats + 1) + " (one per learner)");
        questionbank::TTesting catalogue(engine, bank, sink);
        for (int n = 1; n <= imports + 1; ++n)
            if (!catalogue.TestExists(examId(n)))
                problems.push_back(examId(n) + " is not in the catalogue");
    }
    int tables = 0, checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(bank)) {
        if (entry.path().extension() != ".dbf") continue;
        ++tables;
        const std::string command =
            std::string(ZENTRIX_DBF_TOOL) + " check '" + entry.path().string() + "' > /dev/null";
        if (std::system(command.c_str()) == 0)
            ++checked;
        else
            problems.push_back("zentrix-dbf check fails on " + entry.path().string());
    }

    const long long total = static_cast<long long>(seats) * attempts * 2;
    std::printf(
        "many seats: %d engine processes, %d attempts each (own learner and shared learner), "
        "%d imports, 1 catalogue reader\n",
        seats, attempts * 2, imports);
    std::printf("  bank folder           %s\n", bank.c_str());
    std::printf(
        "  attempts              %lld of %lld started and recorded; %lld ended in place, %lld "
        "pushed out of "
        "the shared learner's five before they ended\n",
        total, total, ended, pushedOut);
    std::printf("  wall time             %.2f s, %.1f attempts per second\n", seconds,
                total / seconds);
    std::printf(
        "  table locks           %lld taken, longest wait %.1f ms, mean %.3f ms, %lld refused\n",
        locks, lockLongest / 1000.0, locks ? lockTotal / 1000.0 / locks : 0.0, refused);
    std::printf("  flushes to disk       %lld, %.2f ms each on average\n", syncs,
                syncs ? syncUs / 1000.0 / syncs : 0.0);
    std::printf("  imports               %lld, longest %.2f s\n", number(importerValues, "imports"),
                std::atof(importerValues.count("longestImportSeconds")
                              ? importerValues.at("longestImportSeconds").c_str()
                              : "0"));
    std::printf("  catalogue listings    %lld, exams seen %lld\n", number(readerValues, "rounds"),
                number(readerValues, "exams"));
    std::printf("  zentrix-dbf check     %d of %d tables pass\n", checked, tables);
    std::printf("  processes failed      %d\n", failedProcesses);
    for (const std::string& problem : problems) std::printf("  PROBLEM %s\n", problem.c_str());
    const bool passed = problems.empty() && failedProcesses == 0;
    std::printf("many seats: %s\n", passed ? "passed" : "FAILED");
    if (scratch && !keep) fs::remove_all(work);
    return passed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const tools::CommandSpec spec{
        "zentrix_many_seats",
        "",
        "many engines, an importer and a catalogue reader on one bank",
        0,
        0,
        {{"--seats", "N", "engine processes (default 16)"},
         {"--attempts", "N", "attempts per seat and learner, at most 99 (default 50)"},
         {"--imports", "N", "exams imported while the seats run (default 5)"},
         {"--folder", "DIR", "where the bank goes (default: a scratch folder)"},
         {"--keep", "", "keep the scratch folder"},
         {"--role", "ROLE", "(internal) seat, importer or reader"},
         {"--index", "N", "(internal) the seat's number"},
         {"--bank", "DIR", "(internal) the bank folder"},
         {"--work", "DIR", "(internal) the folder of the run"}}};
    const tools::ParseOutcome parsed =
        tools::CommandLineParser::parse(spec, std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.kind != tools::ParseOutcome::Kind::Run) {
        if (parsed.kind == tools::ParseOutcome::Kind::Error)
            std::cerr << "zentrix_many_seats: " << parsed.error << "\n";
        std::cerr << tools::commandUsage("zentrix_many_seats", spec);
        return parsed.kind == tools::ParseOutcome::Kind::Help ? 0 : 2;
    }
    const tools::ParsedCommand& c = parsed.command;
    auto count = [&c](const char* option, int fallback) {
        return c.has(option) ? std::atoi(c.value(option).c_str()) : fallback;
    };
    const int attempts = std::clamp(count("--attempts", 50), 1, 99);
    const int imports = std::max(0, count("--imports", 5));
    const std::string role = c.value("--role");
    if (role == "seat")
        return runSeat(count("--index", 1), c.value("--bank"), c.value("--work"), attempts);
    if (role == "importer") return runImporter(c.value("--bank"), c.value("--work"), imports);
    if (role == "reader") return runReader(c.value("--bank"), c.value("--work"), imports);
    return coordinate(std::clamp(count("--seats", 16), 1, 99), attempts, imports,
                      c.value("--folder"), c.has("--keep"));
}
