// The player's rules that need no window: regions and hit tests, field
// styles and colours, answer checking, address text, and the parsers of the
// pointer and WAVE files a simulation embeds.

#include <gtest/gtest.h>

#include <QPalette>

#include "simulation/address_text.h"
#include "simulation/answer_check.h"
#include "simulation/field_colours.h"
#include "simulation/field_flags.h"
#include "simulation/field_links.h"
#include "simulation/field_style.h"
#include "simulation/key_field_rule.h"
#include "simulation/pointer_file.h"
#include "simulation/tests/embedded_files.h"
#include "simulation/wave_format.h"
#include "simulation/zone_hit_test.h"

namespace zentrix::simulation {
namespace {

using testing::animatedCursorFile;
using testing::cursorFile;
using testing::waveFile;

TZone rectangleZone(int id, int type, QRect rect) {
    TZone zone;
    zone.ZoneId = id;
    zone.ZoneType = type;
    zone.Points[0] = rect.topLeft();
    zone.Points[1] = rect.bottomRight() + QPoint(1, 1);
    return zone;
}

TEST(ZoneRegion, ShapesCoverWhatWindowRegionsCover) {
    TZone zone = rectangleZone(1, 3, QRect(QPoint(10, 10), QPoint(19, 19)));
    EXPECT_TRUE(ZoneRegion::of(zone).contains({10, 10}));
    EXPECT_TRUE(ZoneRegion::of(zone).contains({19, 19}));
    EXPECT_FALSE(ZoneRegion::of(zone).contains({20, 15}));  // point 1 lies outside
    zone.Shape = 3;                                         // ellipse in that rectangle
    EXPECT_TRUE(ZoneRegion::of(zone).contains({15, 15}));
    EXPECT_FALSE(ZoneRegion::of(zone).contains({10, 10}));
    zone.Shape = 9;  // no area at all
    EXPECT_FALSE(ZoneRegion::of(zone).contains({15, 15}));
    zone.Shape = 4;  // a polygon of two points has no area either
    zone.PointCount = 2;
    EXPECT_FALSE(ZoneRegion::of(zone).contains({15, 15}));
}

TEST(ZoneHitTest, FirstZoneHitDecidesEvenWhenItsModifierIsMissing) {
    TZone needsCtrl = rectangleZone(1, 3, QRect(0, 0, 50, 50));
    needsCtrl.NeedCtrl = true;
    const TZone plain = rectangleZone(2, 3, QRect(0, 0, 50, 50));
    const ZoneList list{&needsCtrl, &plain};
    const std::vector<ZoneRegion> regions{ZoneRegion::of(needsCtrl), ZoneRegion::of(plain)};
    EXPECT_EQ(ZoneHitTest::HitZone({5, 5}, list, 3, regions, KeyState{}), nullptr);
    EXPECT_EQ(ZoneHitTest::HitZone({5, 5}, list, 3, regions, KeyState{true, false, false}),
              &needsCtrl);
    EXPECT_EQ(ZoneHitTest::HitZone({5, 5}, list, 12, regions, KeyState{true}), nullptr);
}

TEST(FieldColours, PaletteIndexOutsideThePaletteTakesTheWindowColour) {
    EXPECT_EQ(FieldColours::paletteEntry(9), 0x0000FFu);
    EXPECT_EQ(FieldColours::paletteEntry(44), 0x80000018u);
    EXPECT_EQ(FieldColours::paletteEntry(45), FieldColours::kWindow);
    EXPECT_EQ(FieldColours::paletteEntry(-1), FieldColours::kWindow);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    EXPECT_EQ(FieldColours::toColor(FieldColours::kWindow, palette), QColor(1, 2, 3));
    EXPECT_EQ(FieldColours::toColor(0x80000063, palette), QColor(1, 2, 3));  // no such role
    EXPECT_EQ(FieldColours::toColor(0x0000FF, palette), QColor(255, 0, 0));
}

struct StyleCase {
    const char* name;
    int type;
    std::uint32_t flags;
    std::int32_t backColor;
    FieldKind kind;
    FieldAlignment alignment;
    std::uint32_t back;
};

class FieldStyles : public ::testing::TestWithParam<StyleCase> {};

TEST_P(FieldStyles, FlagsGiveKindAlignmentAndBackground) {
    const StyleCase& c = GetParam();
    TZone zone;
    zone.ZoneType = c.type;
    zone.FieldFlags = c.flags;
    zone.BackColor = c.backColor;
    const FieldStyle style = FieldStyle::of(zone);
    EXPECT_EQ(style.Kind, c.kind);
    EXPECT_EQ(style.Alignment, c.alignment);
    EXPECT_EQ(style.BackColor, c.back);
    EXPECT_EQ(style.Password, c.kind == FieldKind::SingleLine);
}

using namespace fieldflag;
const StyleCase kStyleCases[] = {
    {"plain_multi_line", 2, 0, 0, FieldKind::MultiLine, FieldAlignment::Left,
     FieldColours::kWindow},
    {"right_after_left", 2, kAlignLeft | kAlignRight, 0, FieldKind::MultiLine,
     FieldAlignment::Right, FieldColours::kWindow},
    {"centre_wins", 1, kAlignLeft | kAlignRight | kAlignCenter, 0, FieldKind::MultiLine,
     FieldAlignment::Center, FieldColours::kWindow},
    {"single_line_ignores_alignment", 8, kSingleLine | kAlignCenter, 0, FieldKind::SingleLine,
     FieldAlignment::Left, FieldColours::kWindow},
    {"palette_background", 2, kBackColor, 12, FieldKind::MultiLine, FieldAlignment::Left, 0xFF0000},
    {"palette_index_past_the_end", 2, kBackColor, 300, FieldKind::MultiLine, FieldAlignment::Left,
     FieldColours::kWindow},
    {"colour_value_background", 2, kBackColor | kBackColorIsValue, 0x123456, FieldKind::MultiLine,
     FieldAlignment::Left, 0x123456},
    {"address_takes_a_palette_index_always", 14, kBackColor | kBackColorIsValue, 0x123456,
     FieldKind::Address, FieldAlignment::Left, FieldColours::kWindow},
};

INSTANTIATE_TEST_SUITE_P(Fields, FieldStyles, ::testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnswerCheck, CompareAnswerFoldsOnlyTheLettersAToZ) {
    EXPECT_EQ(AnswerCheck::CompareAnswer("Save", "sAVE", false), 0);
    EXPECT_NE(AnswerCheck::CompareAnswer("Save", "save", true), 0);
    EXPECT_NE(AnswerCheck::CompareAnswer(QString::fromUtf8("Äb"), QString::fromUtf8("äB"), false),
              0);
    EXPECT_NE(AnswerCheck::CompareAnswer("save", "saved", false), 0);
    EXPECT_EQ(AnswerCheck::CompareAnswer("", "", true), 0);
}

TEST(AnswerCheck, FieldJudgedAgainKeepsOnlyItsLastTextAndCarriesIt) {
    std::vector<TFrame> frames(2);
    TZone linked;
    linked.ZoneType = 2;
    linked.FieldFlags = kLinked | kSkipCheck;
    linked.LinkFrame = 2;
    linked.LinkZone = 1;
    frames[0].Zones.push_back(linked);
    TZone back = linked;  // links back: the carrying stops there
    back.LinkFrame = 1;
    frames[1].Zones.push_back(back);
    TTextAnswerStruct slot = TTextAnswerStruct::of(frames[0].Zones[0], 1);
    std::vector<TUserDefinedAnswer> entered;
    for (const char* text : {"S", "Sa", "Save"}) {
        ASSERT_TRUE(AnswerCheck::check({CheckedField{FieldKind::MultiLine, text, &slot}}, 1, frames,
                                       entered));
    }
    ASSERT_EQ(entered.size(), 1u);
    EXPECT_EQ(entered.front().Text, "Save");
    EXPECT_EQ(frames[1].Zones[0].CarriedText, "Save");
    EXPECT_TRUE(frames[0].Zones[0].CarriedText.isEmpty());
    EXPECT_EQ(FieldLinks::follow(frames, frames[0].Zones[0]).size(), 1u);
}

TEST(AddressText, GroupsAbove255AreCorrectedAndTabMovesByGroups) {
    EXPECT_EQ(AddressText::correctedOctets("300.   .   .   "), QString("255.   .   .   "));
    EXPECT_EQ(AddressText::correctedOctets("999.256.255.1x "), QString("255.255.255.1x "));
    EXPECT_EQ(AddressText::correctedOctets("255.0  .   .   "), std::nullopt);
    EXPECT_EQ(AddressText::correctedOctets("30"), std::nullopt);  // short texts are safe
    const std::pair<int, std::optional<int>> tabs[] = {{1, 4},
                                                       {3, 4},
                                                       {4, std::nullopt},
                                                       {5, 8},
                                                       {11, 12},
                                                       {12, std::nullopt},
                                                       {13, std::nullopt},
                                                       {14, std::nullopt},
                                                       {16, std::nullopt}};
    for (const auto& [column, target] : tabs) {
        EXPECT_EQ(AddressText::tabTarget(column), target) << "column " << column;
    }
    for (const char* empty : {"   .   .   .   ", ".   .   .", "..."}) {
        EXPECT_TRUE(AnswerCheck::isEmptyAddress(empty)) << empty;
    }
    EXPECT_FALSE(AnswerCheck::isEmptyAddress("1  .   .   .   "));
}

TEST(KeyFieldRule, DigitsAndLettersOnly) {
    EXPECT_TRUE(KeyFieldRule::matches(Qt::Key_S, "s"));
    EXPECT_TRUE(KeyFieldRule::matches(Qt::Key_5, "5"));
    EXPECT_FALSE(KeyFieldRule::matches(Qt::Key_Return, "\r"));
    EXPECT_FALSE(KeyFieldRule::matches(Qt::Key_S, ""));
    EXPECT_FALSE(KeyFieldRule::character(Qt::Key_F1));
    EXPECT_TRUE(KeyFieldRule::isModifierKey(Qt::Key_Control));
}

// Pointer files

// Qt's icon reader decodes the pictures; it needs no application object.
class PointerFiles : public ::testing::Test {};

TEST_F(PointerFiles, CursorKeepsItsHotspotAndAnimationItsSequence) {
    auto cursor = PointerFile::parse(cursorFile(QSize(16, 8), QPoint(3, 5), qRgb(0, 255, 0)));
    ASSERT_TRUE(cursor.isOk()) << cursor.message();
    ASSERT_EQ(cursor->Frames.size(), 1u);
    EXPECT_EQ(cursor->Frames[0].Image.size(), QSize(16, 8));
    EXPECT_EQ(cursor->Frames[0].Hotspot, QPoint(3, 5));
    EXPECT_EQ(cursor->Frames[0].Image.pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_FALSE(cursor->animated());

    const QByteArray one = cursorFile(QSize(8, 8), QPoint(1, 1), qRgb(255, 0, 0));
    const QByteArray two = cursorFile(QSize(8, 8), QPoint(2, 2), qRgb(0, 0, 255));
    auto animated = PointerFile::parse(animatedCursorFile({one, two}, {1, 0, 1}, 6));
    ASSERT_TRUE(animated.isOk()) << animated.message();
    EXPECT_EQ(animated->Frames.size(), 2u);
    EXPECT_EQ(animated->Sequence, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(animated->StepJiffies, (std::vector<int>{6, 6, 6}));
    EXPECT_TRUE(animated->animated());
}

struct DamagedPointer {
    const char* name;
    QByteArray bytes;
    const char* error;
};

QByteArray withByte(QByteArray bytes, int at, char value) {
    bytes[at] = value;
    return bytes;
}

QByteArray withU32(QByteArray bytes, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

const QByteArray kCursor = cursorFile(QSize(8, 8), QPoint(1, 1), qRgb(1, 2, 3));

class DamagedPointers : public PointerFiles,
                        public ::testing::WithParamInterface<DamagedPointer> {};

TEST_P(DamagedPointers, AreRefusedWithTheirFault) {
    const auto parsed = PointerFile::parse(GetParam().bytes);
    ASSERT_FALSE(parsed.isOk());
    EXPECT_NE(parsed.message().find(GetParam().error), std::string::npos) << parsed.message();
}

const DamagedPointer kDamagedPointers[] = {
    {"empty", QByteArray(), "ends inside its header"},
    {"not_a_cursor", QByteArray("GIF89a0000000000000000"), "not a cursor or icon file"},
    {"no_pictures", withByte(kCursor, 4, 0), "holds no picture"},
    {"picture_past_the_end", withU32(kCursor, 18, 1000), "lies outside the file"},
    {"huge_bitmap", withU32(kCursor, 22 + 4, 100000), "pointer picture of 100000x"},
    {"bitmap_without_its_pixels", kCursor.left(22 + 40 + 8), "lies outside the file"},
    {"odd_colour_bits", withByte(kCursor, 22 + 14, 7), "7 bits per pixel"},
    {"animation_step_past_the_frames", animatedCursorFile({kCursor}, {0, 3}, 6),
     "step 2 shows frame 4 of 1"},
    {"animation_chunk_past_the_end", animatedCursorFile({kCursor}, {}, 6).left(40),
     "runs past the end"},
    {"animation_of_raw_bitmaps", withU32(animatedCursorFile({kCursor}, {}, 6), 12 + 8 + 32, 0),
     "raw bitmaps"},
};

INSTANTIATE_TEST_SUITE_P(Pointers, DamagedPointers, ::testing::ValuesIn(kDamagedPointers),
                         [](const auto& info) { return std::string(info.param.name); });

// WAVE files

TEST(WaveFormat, ReadsUncompressedSoundAndCutsShortDataToWholeFrames) {
    const QByteArray wave = waveFile(100);
    auto format = WaveFormat::parse(wave);
    ASSERT_TRUE(format.isOk()) << format.message();
    EXPECT_EQ(format->SampleType, WaveFormat::Sample::Int16);
    EXPECT_EQ(format->Channels, 1);
    EXPECT_EQ(format->SampleRate, 8000);
    EXPECT_EQ(format->DataOffset, 44);
    EXPECT_EQ(format->DataLength, 200);
    auto cut = WaveFormat::parse(wave.left(44 + 51));  // the data claims more than is there
    ASSERT_TRUE(cut.isOk());
    EXPECT_EQ(cut->DataLength, 50);
}

TEST(WaveFormat, RefusesWhatItCannotPlay) {
    const QByteArray wave = waveFile(10);
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray("RIFF\0\0\0\0AVI ", 12), "not a WAVE file"},
        {withByte(wave, 20, 2), "compressed"},                       // ADPCM
        {withByte(wave, 22, 0), "0 channels"},                       //
        {withByte(wave, 34, 12), "12-bit samples"},                  //
        {withByte(wave, 32, 4), "frames of 4 bytes"},                // block align
        {withU32(wave, 16, 5000), "runs past the end of the file"},  // fmt chunk length
        {wave.left(36), "without sound data"},
    };
    for (const auto& [bytes, error] : cases) {
        const auto parsed = WaveFormat::parse(bytes);
        ASSERT_FALSE(parsed.isOk()) << error;
        EXPECT_NE(parsed.message().find(error), std::string::npos) << parsed.message();
    }
}

}  // namespace
}  // namespace zentrix::simulation
