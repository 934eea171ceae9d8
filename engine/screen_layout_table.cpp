#include "engine/screen_layout_table.h"

#include <array>

namespace zentrix::engine {
namespace {

// Arguments in the order the layout is written down: top shown, top parked,
// left shown, left parked.
constexpr ControlPlacement At(const char* control, int topShown, int topParked, int leftShown,
                              int leftParked) {
    return {control, QPoint(leftShown, topShown), QPoint(leftParked, topParked), std::nullopt,
            std::nullopt};
}

constexpr ControlPlacement Sized(ControlPlacement placement, QSize shown, QSize parked) {
    placement.shownSize = shown;
    placement.parkedSize = parked;
    return placement;
}

const std::array kMainInterface{
    At("BtnMainEnter", 454, 508, 466, 444),
    At("btnExit", 454, 508, 542, 226),
    At("edName", 448, 508, 12, 8),
    At("btOptions", 454, 508, 218, 8),
    At("btnHistory", 454, 508, 296, 8),
    Sized(At("vsiTestSelectBox", 110, 1, 12, 1), QSize(616, 316), QSize(1, 1)),
};

const std::array kQVTestType{
    At("btnOpenBook", 136, 468, 99, 298),
    At("btnClosedBook", 136, 488, 396, 298),
    At("btnExamTypeMain", 454, 352, 540, 273),
    At("lbNoQuestions", 428, 368, 229, 272),
    At("lbExamTypeQtoTake", 452, 508, 208, 132),
    At("edtNumQuestions", 449, 528, 424, 368),
    Sized(At("preexplain", 169, 278, 45, 398), QSize(256, 228), QSize(240, 25)),
    Sized(At("PostExplain", 169, 278, 342, 398), QSize(256, 228), QSize(240, 25)),
};

const std::array kComfirmQV{
    At("btnConfirmBegin", 454, 444, 462, 696),
    At("btnConfirmMain", 454, 444, 542, 624),
};

const std::array kTestWindow{
    At("btnLeft", 432, 508, 18, 18),        At("btnRight", 432, 508, 78, 74),
    At("lbQuestionNo", 458, 418, 18, 134),  At("btnItemReview", 414, 534, 156, 4),
    At("btnCaseStudy", 414, 534, 218, 42),  At("btnSteps", 414, 534, 274, 85),
    At("btnExhibit", 414, 534, 330, 126),   At("btnHint", 414, 534, 392, 173),
    At("btnReference", 414, 534, 448, 206), At("btnTReport", 414, 534, 528, 265),
    At("btnTMain", 414, 534, 588, 320),     At("btnJumpTo", 414, 534, 154, 4),
};

const std::array kExamReview{
    At("btnReviewInComplete", 404, 488, 52, 16),
    At("btnReview", 404, 488, 204, 158),
    At("btnReturntoExam", 454, 468, 324, 16),
    At("btnExamResults", 454, 468, 474, 158),
    At("ReviewItemEdit", 404, 508, 360, 180),
    At("lbAnswered", 112, 400, 472, 144),
    At("lbAnsw", 112, 400, 548, 220),
    At("lbReviewRemain", 136, 416, 472, 8),
    At("lbRem", 136, 416, 548, 84),
    At("lbReviewCorrect", 160, 433, 472, 8),
    At("lbCor", 160, 433, 548, 84),
    At("lbReviewIncorrect", 184, 450, 472, 8),
    At("lbIncor", 184, 450, 548, 84),
    At("lbReviewIncomplete", 208, 433, 472, 140),
    At("lbcop", 208, 433, 548, 216),
    At("lbReviewperc", 232, 450, 472, 140),
    At("lbper", 232, 450, 548, 216),
    Sized(At("Report1ListBox", 100, 60, 44, 516), QSize(401, 296), QSize(518, 265)),
};

const std::array kExamResults{
    At("btnViewStudy", 402, 468, 244, 696),     At("btnSaveStudy", 429, 488, 244, 696),
    At("btnOpenStudy", 454, 508, 244, 696),     At("btnViewExam", 402, 549, 394, 666),
    At("btnSaveExam", 429, 549, 394, 552),      At("btnOpenExam", 454, 528, 394, 696),
    At("btnResultsMain", 429, 549, 544, 444),   At("btnQuit", 454, 549, 544, 386),
    At("lbResultPScore", 283, 307, 438, 282),   At("lbResultYScore", 311, 323, 438, 282),
    At("lbResultGrade", 339, 335, 438, 282),    At("lbPass", 283, 307, 514, 358),
    At("lbScore", 311, 323, 514, 358),          At("lbGrade", 339, 335, 514, 358),
    At("ScoreBorder", 158, 386, 44, 272),       At("lbChartPScore", 174, 402, 54, 286),
    At("lbChartyScore", 196, 427, 54, 282),     At("BarBorder", 169, 397, 137, 365),
    At("RequiredScoreBar", 174, 405, 137, 370), At("YourScoreBar", 196, 426, 137, 370),
    At("lbNoWay", 219, 447, 137, 320),          At("lbHalfWay", 219, 447, 346, 574),
    At("lbAllWay", 219, 447, 560, 782),
};

}  // namespace

std::span<const ControlPlacement> ScreenLayoutTable(ScreenId screen) {
    switch (screen) {
        case ScreenId::MainInterface:
            return kMainInterface;
        case ScreenId::QVTestType:
            return kQVTestType;
        case ScreenId::ComfirmQV:
            return kComfirmQV;
        case ScreenId::TestWindow:
            return kTestWindow;
        case ScreenId::ExamReview:
            return kExamReview;
        case ScreenId::ExamResults:
            return kExamResults;
        case ScreenId::None:
            break;
    }
    return {};
}

}  // namespace zentrix::engine
