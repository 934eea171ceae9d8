#include "engine/study_guide_settings.h"

#include <QDir>
#include <QFileInfo>

#include "platform/profile_store.h"

namespace zentrix::engine {
namespace {

int inRange(int value, int choices) { return value >= 0 && value < choices ? value : 0; }

}  // namespace

StudyGuideSettingsFile::StudyGuideSettingsFile(platform::ProfileStore& profiles, std::string path)
    : profiles_(profiles), path_(std::move(path)) {}

std::string StudyGuideSettingsFile::PathForProgram(const std::string& programPath,
                                                   const std::string& fallbackFolder) {
    const QFileInfo program(QString::fromStdString(programPath));
    const QString baseName =
        program.completeBaseName().isEmpty() ? program.fileName() : program.completeBaseName();
    const QString fileName = baseName + QStringLiteral(".INI");
    const QString beside = program.dir().filePath(fileName);
    const QFileInfo folder(program.absolutePath());
    if (QFileInfo::exists(beside) || fallbackFolder.empty() || folder.isWritable()) {
        return beside.toStdString();
    }
    return fallbackFolder + fileName.toStdString();
}

bool StudyGuideSettingsFile::exists() const {
    return QFileInfo(QString::fromStdString(path_)).isFile();
}

StudyGuideSettings StudyGuideSettingsFile::readOrCreate(const StudyGuideSettings& current) {
    if (!exists()) {
        write(current);
        return current;
    }
    StudyGuideSettings settings;
    settings.ListStudyGuide = inRange(profiles_.readInteger(path_, kSection, "ListStudyGuide", 0),
                                      StudyGuideSettings::kListChoices);
    settings.SG_AfterQues = inRange(profiles_.readInteger(path_, kSection, "SG_AfterQues", 0),
                                    StudyGuideSettings::kAfterChoices);
    return settings;
}

bool StudyGuideSettingsFile::saveIfExists(const StudyGuideSettings& settings) {
    return exists() && write(settings);
}

bool StudyGuideSettingsFile::write(const StudyGuideSettings& settings) {
    const QString folder = QFileInfo(QString::fromStdString(path_)).absolutePath();
    QDir().mkpath(folder);
    return profiles_
               .writeString(path_, kSection, "ListStudyGuide",
                            std::to_string(settings.ListStudyGuide))
               .isOk() &&
           profiles_
               .writeString(path_, kSection, "SG_AfterQues", std::to_string(settings.SG_AfterQues))
               .isOk();
}

}  // namespace zentrix::engine
