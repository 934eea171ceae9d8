#include "engine/screens/report_inputs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "engine/bank_text.h"
#include "engine/skin_colors.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::engine {

reports::StudyGuideInput StudyGuideInputFor(const AttemptReportData& data) {
    reports::StudyGuideInput input;
    input.candidate = data.candidateName;
    input.mode = data.mode;
    input.items = data.items;
    input.listStudyGuide = data.studyGuide.ListStudyGuide;
    if (data.mode == ExamMode::Mixed) {
        if (data.courseRow) input.title = BankText(data.courseRow->Title).trimmed();
    } else {
        input.title = BankText(data.openExamTitle).trimmed();
    }
    return input;
}

reports::CertificateInput CertificateInputFor(const AttemptReportData& data, const QDate& date) {
    reports::CertificateInput input;
    input.candidate = data.candidateName;
    input.date = date;
    input.mode = data.mode;
    input.items = data.items;
    input.rows = data.rows;
    if (data.courseRow) input.courseRow = *data.courseRow;
    if (data.examRow) input.examTitle = BankText(data.examRow->Title).trimmed();
    input.fieldColor = ColorFromNumber(data.colors.field);
    input.topBarColor = ColorFromNumber(data.colors.topBar);
    return input;
}

history::views::HistoryWindowInput HistoryWindowInputFor(const HistorySelectionData& data) {
    history::views::HistoryWindowInput input;
    input.studentName = data.learnerName;
    // The attempts were recorded under the name's Windows-1252 bytes.
    input.studentKey = report::ToWindows1252(data.learnerName);
    input.rows = data.rows;
    input.selectedRow = data.selectedRow;
    return input;
}

QString SuggestedReportName(const QString& candidate, const QString& what) {
    QString name = candidate.trimmed();
    for (QChar& c : name) {
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') ||
            c == QLatin1Char('_') || c == QLatin1Char('.'))
            continue;
        c = QLatin1Char('_');
    }
    // Neither hidden nor a way out of the folder.
    while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
    const QString file = name.isEmpty() ? what : name + QStringLiteral(" - ") + what;
    return file + QStringLiteral(".qrp");
}

QString SaveChooserStart(const std::string& programFolder, const QString& name) {
    const QFileInfo folder(QString::fromStdString(programFolder));
    QString start = folder.absoluteFilePath();
    if (programFolder.empty() || !folder.isDir() || !folder.isWritable()) {
        start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (start.isEmpty()) start = QDir::homePath();
    }
    return QDir(start).filePath(name);
}

}  // namespace zentrix::engine
