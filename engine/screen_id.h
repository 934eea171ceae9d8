#pragma once

// The screens of the main window. The numbers index the layout tables and
// the first six background entries, so they are fixed; 2 is unused and 0
// stands for "every screen" when leaving.

namespace zentrix::engine {

enum class ScreenId : int {
    None = 0,
    MainInterface = 1,
    QVTestType = 3,
    ComfirmQV = 4,
    TestWindow = 5,
    ExamReview = 6,
    ExamResults = 7,
};

inline constexpr ScreenId kAllScreens[] = {ScreenId::MainInterface, ScreenId::QVTestType,
                                           ScreenId::ComfirmQV,     ScreenId::TestWindow,
                                           ScreenId::ExamReview,    ScreenId::ExamResults};

}  // namespace zentrix::engine
