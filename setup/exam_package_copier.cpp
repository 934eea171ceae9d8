#include "setup/exam_package_copier.h"

#include <algorithm>
#include <filesystem>

#include "base/ascii_text.h"
#include "questionbank/bank_path.h"
#include "setup/setup_texts.h"

namespace zentrix::setup {

namespace fs = std::filesystem;
using questionbank::BankPath;

namespace {

std::string stemOf(const std::string& fileName) {
    const size_t dot = fileName.find('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool containsIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& candidate) {
        return base::ascii::equalsIgnoringCase(candidate, name);
    });
}

struct CourseExams {
    std::string course;
    std::vector<std::string> ids;
};

void collectExam(void* context, const std::string& /*title*/, const std::string& prodId,
                 const std::string& parent) {
    auto* exams = static_cast<CourseExams*>(context);
    if (base::ascii::trimmedRight(parent, base::ascii::kBlank) == exams->course)
        exams->ids.push_back(prodId);
}

}  // namespace

bool ExamPackageCopier::isTableFile(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string extension = fileName.substr(dot + 1);
    for (const char* table : {"dbf", "fpt", "cdx"}) {
        if (base::ascii::equalsIgnoringCase(extension, table)) return true;
    }
    return false;
}

bool ExamPackageCopier::isExamTable(const std::string& fileName, const std::string& tableName) {
    const std::string stem = stemOf(fileName);
    // Questions, answers, the alternative set and its answers, case studies.
    for (const char* suffix : {"", "X", "Q", "QX", "c"}) {
        if (base::ascii::equalsIgnoringCase(stem, tableName + suffix)) return true;
    }
    return false;
}

std::vector<std::string> ExamPackageCopier::examsOfCourse(const std::string& courseId) {
    CourseExams exams{base::ascii::trimmedRight(courseId, base::ascii::kBlank), {}};
    source_.OnTestTitleWParent = {&collectExam, &exams};
    source_.ListTestTitlesWParent();
    source_.OnTestTitleWParent.reset();
    return exams.ids;
}

int ExamPackageCopier::installCourse(const std::string& courseId) {
    const std::string course = base::ascii::trimmedRight(courseId, base::ascii::kBlank);
    questionbank::ParentInfoStruct info;
    info.Id = course;
    source_.GetParentInfo(info);
    if (info.Id == "bad") return 0;
    if (!installed_.ParentExists(course) &&
        installed_.AddParent(course, info.Title, info.Descrip, info.Time, info.NumQ) != 0) {
        session_.dialogs.error(installed_.LastError());
        return 0;
    }
    int copied = 0;
    for (const std::string& id : examsOfCourse(course)) {
        if (installed_.TestExists(id)) continue;
        if (copyExam(id, course)) ++copied;
    }
    return copied;
}

void ExamPackageCopier::refuse(const std::string& prodId, const std::string& reason) {
    session_.dialogs.error("The exam " + base::ascii::trimmed(prodId, base::ascii::kBlank) +
                           " was not installed: " + reason);
}

bool ExamPackageCopier::copyExam(const std::string& prodId, const std::string& courseId) {
    session_.setStatus(texts::kCopyingNewExams);
    if (source_.OpenTest(prodId) != 0) {
        refuse(prodId, "it cannot be opened on the medium (" + source_.LastError() + ").");
        return false;
    }
    const questionbank::OpenTestInfo exam = source_.OpenInfo();
    const std::string sourceFolder = source_.ExamFolderPath();
    auto closeAll = [this] {
        source_.CloseTest();
        installed_.CloseTest();
    };

    // Nothing of an exam whose folder or tables would leave the bank is made.
    const std::string folder = base::ascii::trimmedRight(exam.PATH, base::ascii::kBlank);
    if (!folder.empty()) {
        const std::string bare = folder.substr(0, folder.find_last_not_of("/\\") + 1);
        xbase::Result<std::string> checked = BankPath::checkedRelative(bare);
        if (bare.empty() || !checked) {
            refuse(prodId, "its folder \"" + folder + "\" lies outside the question bank.");
            closeAll();
            return false;
        }
    }
    xbase::Result<std::string> table = BankPath::checkedRelative(exam.TABLENAME);
    if (!table || table.value().find('/') != std::string::npos) {
        refuse(prodId, "its table name \"" + exam.TABLENAME + "\" is not a plain file name.");
        closeAll();
        return false;
    }
    const std::string targetFolder =
        folder.empty() ? installed_.DatabaseFolder()
                       : BankPath::asFolder(BankPath::resolve(installed_.DatabaseFolder(), folder));
    for (const std::string& present : filesIn(targetFolder)) {
        if (isExamTable(present, exam.TABLENAME)) {
            refuse(prodId, "its tables " + targetFolder + exam.TABLENAME +
                               " would replace those of an installed exam.");
            closeAll();
            return false;
        }
    }

    std::error_code error;
    fs::create_directories(targetFolder, error);
    if (error) {
        refuse(prodId, targetFolder + ": cannot create the folder: " + error.message());
        closeAll();
        return false;
    }
    if (installed_.AddTest(base::ascii::trimmed(exam.PRODID, base::ascii::kBlank), courseId,
                           exam.PATH, exam.TABLENAME, exam.TITLE) != 0) {
        refuse(prodId, installed_.LastError());
        closeAll();
        return false;
    }
    copyExamFiles(sourceFolder, targetFolder, exam.TABLENAME);
    bool counted = false;
    if (installed_.OpenTest(prodId) == 0) {
        counted = installed_.ChangeGlobalCrap(exam.NUMTESTQ, exam.NEXTID) == 0;
    }
    if (!counted) session_.dialogs.error(installed_.LastError());
    closeAll();
    return counted;
}

bool ExamPackageCopier::copyExamFiles(const std::string& from, const std::string& to,
                                      const std::string& tableName) {
    const std::vector<std::string> present = filesIn(to);
    bool all = true;
    for (const std::string& name : filesIn(from)) {
        const bool own = isExamTable(name, tableName);
        // Tables come only with their exam: another exam's in the same
        // folder are copied, or not, when that exam is.
        if (!own && (isTableFile(name) || containsIgnoringCase(present, name))) continue;
        // The empty tables just made may be named in another case.
        if (own) {
            for (const std::string& made : present) {
                if (base::ascii::equalsIgnoringCase(made, name) && made != name)
                    (void)session_.platform.shell->deleteFile(to + made);
            }
        }
        all = session_.copy(from + name, to + name) && all;
    }
    session_.remember(to);
    return all;
}

}  // namespace zentrix::setup
