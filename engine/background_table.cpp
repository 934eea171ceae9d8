#include "engine/background_table.h"

namespace zentrix::engine {

BackgroundTable::BackgroundTable()
    : entries_{{{"MainInterface", "MainInterfaceBKG.jpg"},
                {"QVTestType", "TestTypeSelectionBKG.jpg"},
                {"ComfirmQV", "ConfirmZentrixBKG.jpg"},
                {"TestWindow", "TestScreenBKG.jpg"},
                {"ExamReview", "ExamReviewBKG.jpg"},
                {"ExamResults", "ExamResultsBKG.jpg"},
                {"Orientation", "OrientationScreenBKG.jpg"},
                {"HelpScreen", "HelpScreenBKG.jpg"},
                {"LoginScreen", "LoginScreenBKG.jpg"},
                {"AboutSplash", "aboutSplashBKG.jpg"},
                {"QuitPopUp", "QuitePopupBKG.jpg"},
                {"RptPopUp", "RptPopBkg.Gif"}}} {}

void BackgroundTable::setFileName(int index, const std::string& fileName) {
    entries_.at(index).fileName = fileName.substr(0, kMaxFileNameLength);
}

std::optional<std::string> BackgroundTable::fileNameFor(ScreenId screen) const {
    switch (screen) {
        case ScreenId::MainInterface:
            return entries_[0].fileName;
        case ScreenId::QVTestType:
            return entries_[1].fileName;
        case ScreenId::ComfirmQV:
            return entries_[2].fileName;
        case ScreenId::TestWindow:
            return entries_[3].fileName;
        case ScreenId::ExamReview:
            return entries_[4].fileName;
        case ScreenId::ExamResults:
            return entries_[5].fileName;
        case ScreenId::None:
            break;
    }
    return std::nullopt;
}

}  // namespace zentrix::engine
