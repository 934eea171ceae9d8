#pragma once

// What the reports are given, made from what the screens hand over: the
// study guide's and the certificate's inputs from an attempt, the history
// window's from the History button, and where a saved report is suggested.
// Bank texts are Windows-1252 and become Unicode here (report titles and
// captions); the learner's name becomes the bytes the history stores.

#include <QDate>
#include <QString>
#include <string>

#include "engine/reports/certificate.h"
#include "engine/reports/study_material.h"
#include "engine/screens/report_hooks.h"
#include "history/views/tfrm_show_history.h"

namespace zentrix::engine {

// The study guide of the attempt: its items, candidate and mode, the filter
// ListStudyGuide, and the open exam's title (the course row's in the mixed
// exam).
reports::StudyGuideInput StudyGuideInputFor(const AttemptReportData& data);

// The certificate of the attempt printed on `date`: the exam row's title,
// the course row and the rows after it, the skin's FieldColor and
// TopBarColor.
reports::CertificateInput CertificateInputFor(const AttemptReportData& data, const QDate& date);

// The history window of the learner in the name box and the tree's selected
// row.
history::views::HistoryWindowInput HistoryWindowInputFor(const HistorySelectionData& data);

// The name a save chooser suggests: "<candidate> - <what>.qrp", with
// characters a file name cannot hold replaced by "_" ("<what>.qrp" without
// a candidate).
QString SuggestedReportName(const QString& candidate, const QString& what);

// Where a save chooser opens with `name`: the program's folder, where the
// Open dialogs look, when it can be written; else the user's documents.
QString SaveChooserStart(const std::string& programFolder, const QString& name);

}  // namespace zentrix::engine
