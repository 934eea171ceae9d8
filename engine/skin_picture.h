#pragma once

// The pictures a skin supplies, with the scheme.ini section and key that
// name each file. The first nineteen are required: a missing one is reported.

#include <array>

namespace zentrix::engine {

enum class SkinPicture {
    // Test Screen: the answer feedback pictures, kept as byte streams.
    Correct,
    Incorrect,
    // Test Screen: the mark holder and mark button.
    MarkClosed,
    MarkOpen,
    MarkButton,
    // Misc: the title-strip buttons.
    HelpButton,
    MinimizeButton,
    CloseButton,
    // The score popup's background (background table entry "RptPopUp").
    ScorePopupBackground,
    // Test Screen: the score popup's return button and the test-screen buttons.
    ReturnButton,
    ItemReviewButton,
    JumpToButton,
    CaseStudyButton,
    StepsButton,
    ExhibitButton,
    HintButton,
    ReferenceButton,
    ReportButton,
    TestMainButton,
    // JumpTo: loaded only when present, never reported.
    JumpToBackground,
    JumpToOk,
    JumpToClose,
};

struct SkinPictureKey {
    SkinPicture picture;
    const char* section;  // empty for the score popup, whose name comes from the background table
    const char* key;
    bool required;
};

// In the order the skin loader reads them.
inline constexpr std::array<SkinPictureKey, 22> kSkinPictureKeys{{
    {SkinPicture::Correct, "Test Screen", "Correct", true},
    {SkinPicture::Incorrect, "Test Screen", "Incorrect", true},
    {SkinPicture::MarkClosed, "Test Screen", "btnMClosed", true},
    {SkinPicture::MarkOpen, "Test Screen", "btnMOpen", true},
    {SkinPicture::MarkButton, "Test Screen", "btnMark", true},
    {SkinPicture::HelpButton, "Misc", "btnHelp", true},
    {SkinPicture::MinimizeButton, "Misc", "btnMinimize", true},
    {SkinPicture::CloseButton, "Misc", "btnClose", true},
    {SkinPicture::ScorePopupBackground, "", "RptPopUp", true},
    {SkinPicture::ReturnButton, "Test Screen", "btnReturn", true},
    {SkinPicture::ItemReviewButton, "Test Screen", "btnItemReview", true},
    {SkinPicture::JumpToButton, "Test Screen", "btnJumpTo", true},
    {SkinPicture::CaseStudyButton, "Test Screen", "btnCaseStudy", true},
    {SkinPicture::StepsButton, "Test Screen", "btnSteps", true},
    {SkinPicture::ExhibitButton, "Test Screen", "btnExhibit", true},
    {SkinPicture::HintButton, "Test Screen", "btnHint", true},
    {SkinPicture::ReferenceButton, "Test Screen", "btnRef", true},
    {SkinPicture::ReportButton, "Test Screen", "btnReport", true},
    {SkinPicture::TestMainButton, "Test Screen", "btnMain", true},
    {SkinPicture::JumpToBackground, "JumpTo", "Background", false},
    {SkinPicture::JumpToOk, "JumpTo", "BtnOk", false},
    {SkinPicture::JumpToClose, "JumpTo", "BtnClose", false},
}};

}  // namespace zentrix::engine
