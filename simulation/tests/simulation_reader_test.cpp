#include <gtest/gtest.h>

#include <functional>

#include "scripted_questions.h"
#include "simulation/simulation_loader.h"
#include "simulation_bytes.h"

namespace zentrix::simulation {
namespace {

using testing::frameRecord;
using testing::ScriptedQuestions;
using testing::simulationFile;
using testing::solidGif;
using testing::ZoneBytes;

constexpr std::uint16_t k0104 = 0x0104, k0105 = 0x0105, k0106 = 0x0106, k0107 = 0x0107,
                        k0108 = 0x0108, k0109 = 0x0109, k0110 = 0x0110;

Result<LoadOutcome> load(const QByteArray& file, SimulationContent& content,
                         ScriptedQuestions& questions) {
    return SimulationLoader(questions).loadBytes(file, QStringLiteral("test.qsf"), content);
}

SimulationContent loadOk(const QByteArray& file) {
    SimulationContent content;
    ScriptedQuestions questions;
    auto outcome = load(file, content, questions);
    EXPECT_TRUE(outcome.isOk()) << outcome.message();
    EXPECT_TRUE(questions.asked.isEmpty());
    return content;
}

TEST(SimulationReader, NoFrameRecordsGivesFramesWithoutZones) {
    const auto content = loadOk(simulationFile(k0110, solidGif(3), {}));
    EXPECT_EQ(content.Picture.frameCount(), 3);
    ASSERT_EQ(content.Frames.size(), 3u);
    for (const TFrame& frame : content.Frames) EXPECT_EQ(frame.ZoneCount(), 0);
}

TEST(SimulationReader, FramesBeyondTheRecordsHaveNoZonesAndZoneIdsCountAcrossFrames) {
    const QByteArray click = ZoneBytes::rectangle(3, 0, 2).finish();
    const auto content = loadOk(
        simulationFile(k0105, solidGif(4), {frameRecord({click, click}), frameRecord({click})}));
    ASSERT_EQ(content.Frames.size(), 4u);
    ASSERT_EQ(content.Frames[0].ZoneCount(), 2);
    ASSERT_EQ(content.Frames[1].ZoneCount(), 1);
    EXPECT_EQ(content.Frames[2].ZoneCount(), 0);
    EXPECT_EQ(content.Frames[3].ZoneCount(), 0);
    EXPECT_EQ(content.Frames[0].Zones[0].ZoneId, 1);
    EXPECT_EQ(content.Frames[0].Zones[1].ZoneId, 2);
    EXPECT_EQ(content.Frames[1].Zones[0].ZoneId, 3);
    const TZone& zone = content.Frames[1].Zones[0];
    EXPECT_EQ(zone.Points[0], QPoint(1, 2));
    EXPECT_EQ(zone.Points[1], QPoint(30, 40));
    EXPECT_EQ(zone.Shape, 0);
    EXPECT_EQ(zone.TargetFrame, 2);
    EXPECT_EQ(zone.SoundIndex, -1);
}

TEST(SimulationReader, ZoneRecordLongerThanItsPayloadIsSkippedByItsLength) {
    const QByteArray padded = ZoneBytes::rectangle(4, 0, 1).bytes(QByteArray(50, '\x7f')).finish();
    const QByteArray next = ZoneBytes::rectangle(5, 0, 2).finish();
    const auto content = loadOk(simulationFile(k0104, solidGif(2), {frameRecord({padded, next})}));
    ASSERT_EQ(content.Frames[0].ZoneCount(), 2);
    EXPECT_EQ(content.Frames[0].Zones[1].ZoneType, 5);
    EXPECT_EQ(content.Frames[0].Zones[1].TargetFrame, 2);
}

// Zone flags: ignored before 0x0103, bit 0 only in 0x0103, the whole byte later.
TEST(SimulationReader, ZoneFlagsAreReadAsTheVersionKnowsThem) {
    struct Case {
        std::uint16_t version;
        std::uint8_t expectedFlags;
        bool expectCtrlAndShift;
    };
    for (const Case& c :
         {Case{0x0101, 0x00, false}, Case{0x0102, 0x00, false}, Case{0x0103, 0x00, false},
          Case{0x0104, 0x14, true}, Case{0x0109, 0x14, true}}) {
        SCOPED_TRACE(c.version);
        const QByteArray zone = c.version >= 0x0109
                                    ? ZoneBytes::outline(3, 0x14, 1, 0, 0, false).finish()
                                    : ZoneBytes::rectangle(3, 0x14, 1).finish();
        const auto content = loadOk(simulationFile(c.version, solidGif(1), {frameRecord({zone})}));
        const TZone& read = content.Frames[0].Zones[0];
        EXPECT_EQ(read.ZoneFlags, c.expectedFlags);
        EXPECT_EQ(read.NeedCtrl, c.expectCtrlAndShift);
        EXPECT_EQ(read.NeedShift, c.expectCtrlAndShift);
        EXPECT_FALSE(read.NeedAlt);
    }
}

TEST(SimulationReader, TextPayloadReadsEveryPartInOrder) {
    const std::uint32_t flags =
        0x1000 | 0x800 | 0x2000 | 0x4000 | 0x80000 | 0x40 | 0x8000 | 0x400000 | 0x2 | 0x1000000;
    const QByteArray zone = ZoneBytes::rectangle(1, 0, 2)
                                .u32(flags)
                                .u16(14)
                                .u32(0x00332211)
                                .u32(0x00C0FFEE)
                                .u8(1)
                                .u8(1)
                                .u8(2)
                                .u8(1)
                                .str("Arial")
                                .str("Save\xe9")
                                .u8(2)
                                .str("save")
                                .str("\x80uro")
                                .finish();
    const QByteArray target = ZoneBytes::rectangle(3, 0, 2).finish();
    const auto content =
        loadOk(simulationFile(k0108, solidGif(2), {frameRecord({zone}), frameRecord({target})}));
    const TZone& read = content.Frames[0].Zones[0];
    EXPECT_EQ(read.FieldFlags, flags);
    EXPECT_EQ(read.FontSize, 14);
    EXPECT_EQ(read.FontColor, 0x00332211);
    EXPECT_EQ(read.BackColor, 0x00C0FFEE);
    EXPECT_EQ(read.SameAsFrame, 1);
    EXPECT_EQ(read.SameAsZone, 1);
    EXPECT_EQ(read.LinkFrame, 2);
    EXPECT_EQ(read.LinkZone, 1);
    EXPECT_EQ(read.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(read.AnswerText, QStringLiteral("Save\u00e9"));
    EXPECT_EQ(read.Alternatives,
              (QStringList{QStringLiteral("save"), QStringLiteral("\u20acuro")}));
}

// Bits a version does not know carry no data; background colour is 2 bytes up to 0x0107.
TEST(SimulationReader, TextPartsFollowTheVersion) {
    const std::uint32_t flags = 0x2000 | 0x80000 | 0x400000 | 0x8000;
    const QByteArray narrow =
        ZoneBytes::rectangle(2, 0, 0).u32(flags).u16(0x0011).str("ok").finish();
    const auto old = loadOk(simulationFile(0x0104, solidGif(1), {frameRecord({narrow})}));
    const TZone& read = old.Frames[0].Zones[0];
    EXPECT_EQ(read.BackColor, 0x11);
    EXPECT_EQ(read.LinkFrame, 0);
    EXPECT_TRUE(read.Alternatives.isEmpty());
    EXPECT_EQ(read.AnswerText, QStringLiteral("ok"));
}

TEST(SimulationReader, AddressFieldFontIsCourierNewOnlyWhenAFontIsStored) {
    struct Case {
        std::uint32_t flags;
        QString expected;
    };
    for (const Case& c : {Case{0x40, QStringLiteral("Courier New")}, Case{0x0, QString()}}) {
        ZoneBytes bytes = ZoneBytes::rectangle(14, 0, 0);
        bytes.u32(c.flags);
        if (c.flags & 0x40) bytes.str("Wingdings");
        const auto content =
            loadOk(simulationFile(k0107, solidGif(1), {frameRecord({bytes.finish()})}));
        EXPECT_EQ(content.Frames[0].Zones[0].FontName, c.expected);
    }
}

TEST(SimulationReader, TimedZonesTakeDelayAndTargetAsTheVersionSays) {
    struct Case {
        std::uint16_t version;
        std::uint8_t targetByte;
        std::uint32_t delayField;
        int expectedDelay;
        int expectedTarget;
    };
    const Case cases[] = {
        {k0105, 3, 0, 30, 2}, {0x0101, 0, 0, 10, 2}, {k0108, 25, 0, 250, 2}, {k0109, 3, 0, 3, 2},
        {k0109, 0, 0, 10, 2}, {k0110, 0, 0, 10, 0},  {k0110, 3, 7, 7, 3},    {k0110, 1, 0, 10, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const QByteArray zone =
            c.version >= 0x0109
                ? ZoneBytes::outline(6, 0, c.targetByte, 0, 0, c.version == k0110, c.delayField)
                      .finish()
                : ZoneBytes::rectangle(6, 0, c.targetByte).finish();
        const auto content = loadOk(simulationFile(c.version, solidGif(3), {frameRecord({zone})}));
        EXPECT_EQ(content.Frames[0].Zones[0].DelayTicks, c.expectedDelay);
        EXPECT_EQ(content.Frames[0].Zones[0].TargetFrame, c.expectedTarget);
    }
}

TEST(SimulationReader, ReusedPointerCopiesTheIndexAndAddsNoFile) {
    const QByteArray cursor("\0\0\2\0cursor-bytes", 16);
    const QByteArray embedded = ZoneBytes::rectangle(7, 0, 0)
                                    .u8(22)
                                    .str("hand.cur")
                                    .u32(cursor.size())
                                    .bytes(cursor)
                                    .finish();
    const QByteArray standard = ZoneBytes::rectangle(7, 0, 0).u8(21).finish();
    const QByteArray sameFrame = ZoneBytes::rectangle(3, 1, 2).u8(23).u8(1).u8(2).finish();
    const QByteArray laterFrame = ZoneBytes::rectangle(7, 0, 0).u8(23).u8(1).u8(3).finish();
    const auto content = loadOk(
        simulationFile(0x0103, solidGif(2),
                       {frameRecord({standard, embedded, sameFrame}), frameRecord({laterFrame})}));
    ASSERT_EQ(content.CursorFiles.size(), 1);
    EXPECT_EQ(content.CursorFiles[0], cursor);
    const TZone& first = content.Frames[0].Zones[1];
    EXPECT_EQ(first.CursorCode, 22);
    EXPECT_EQ(first.CursorFileName, QStringLiteral("hand.cur"));
    EXPECT_EQ(first.CursorIndex, 0);
    EXPECT_EQ(content.Frames[0].Zones[0].CursorCode, 21);
    for (const TZone* reuse : {&content.Frames[0].Zones[2], &content.Frames[1].Zones[0]}) {
        EXPECT_EQ(reuse->CursorCode, 23);
        EXPECT_EQ(reuse->CursorIndex, 0);
    }
    EXPECT_EQ(content.Frames[1].Zones[0].CursorRefZone, 3);
}

TEST(SimulationReader, KeyAndSoundZonesCarryTheirPayload) {
    const QByteArray wave("RIFF\4\0\0\0WAVE", 12);
    const QByteArray key = ZoneBytes::rectangle(13, 0x04, 1).u8('S').finish();
    const QByteArray sound = ZoneBytes::rectangle(15, 0, 0).u32(wave.size()).bytes(wave).finish();
    const auto content = loadOk(simulationFile(k0107, solidGif(1), {frameRecord({key, sound})}));
    EXPECT_EQ(content.Frames[0].Zones[0].AnswerText, QStringLiteral("S"));
    EXPECT_TRUE(content.Frames[0].Zones[0].NeedCtrl);
    ASSERT_EQ(content.Sounds.size(), 1);
    EXPECT_EQ(content.Sounds[0], wave);
    EXPECT_EQ(content.Frames[0].Zones[1].SoundIndex, 0);
    // Before 0x0106 and 0x0107 the same types carry nothing: the bytes are skipped by length.
    const auto older = loadOk(simulationFile(k0105, solidGif(1), {frameRecord({key, sound})}));
    EXPECT_TRUE(older.Frames[0].Zones[0].AnswerText.isEmpty());
    EXPECT_TRUE(older.Sounds.isEmpty());
    EXPECT_EQ(older.Frames[0].Zones[1].SoundIndex, -1);
}

TEST(SimulationReader, OutlineHeaderGivesShapeAndPolygonPoints) {
    const QByteArray polygon = ZoneBytes::outline(0, 0, 1, 4, 5, true).finish();
    const QByteArray ellipseWithStrayCount = ZoneBytes::outline(3, 0, 1, 1, 200, false).finish();
    const auto content = loadOk(simulationFile(k0110, solidGif(1), {frameRecord({polygon})}));
    const TZone& zone = content.Frames[0].Zones[0];
    EXPECT_EQ(zone.Shape, 4);
    EXPECT_EQ(zone.PointCount, 5);
    EXPECT_EQ(zone.Points[29], QPoint(87, 145));
    // The count is read only for polygons.
    const auto ellipse =
        loadOk(simulationFile(k0109, solidGif(1), {frameRecord({ellipseWithStrayCount})}));
    EXPECT_EQ(ellipse.Frames[0].Zones[0].Shape, 1);
    EXPECT_EQ(ellipse.Frames[0].Zones[0].PointCount, 0);
}

// --- the two questions ---------------------------------------------------

TEST(SimulationLoaderQuestions, UnknownVersionAndWrongFileTypeAskAndFollowTheAnswer) {
    const QByteArray click = ZoneBytes::rectangle(3, 0, 1).finish();
    const QByteArray unknownVersion = simulationFile(0x0111, solidGif(2), {frameRecord({click})});
    const QByteArray wrongType = simulationFile(k0105, solidGif(2), {frameRecord({click})}, 7);
    const QByteArray both = simulationFile(0x0200, solidGif(2), {}, 1);
    const QString versionQuestion = QString::fromLatin1(kUnknownVersionQuestion);
    const QString typeQuestion = QString::fromLatin1(kIncorrectFileTypeQuestion);
    struct Case {
        const char* name;
        QByteArray file;
        std::deque<bool> answers;
        LoadOutcome outcome;
        QStringList asked;
        int framesAfter;  // the content starts with one frame from an earlier load
    };
    const Case cases[] = {
        {"version yes", unknownVersion, {true}, LoadOutcome::ReadNothing, {versionQuestion}, 1},
        {"version no", unknownVersion, {false}, LoadOutcome::Declined, {versionQuestion}, 1},
        {"type yes", wrongType, {true}, LoadOutcome::Read, {typeQuestion}, 2},
        {"type no keeps what was read",
         wrongType,
         {false},
         LoadOutcome::Declined,
         {typeQuestion},
         2},
        {"both yes",
         both,
         {true, true},
         LoadOutcome::ReadNothing,
         {versionQuestion, typeQuestion},
         1},
        {"version no asks nothing more",
         both,
         {false},
         LoadOutcome::Declined,
         {versionQuestion},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulationContent content;
        content.Frames.resize(1);
        ScriptedQuestions questions(c.answers);
        auto outcome = load(c.file, content, questions);
        ASSERT_TRUE(outcome.isOk()) << outcome.message();
        EXPECT_EQ(*outcome, c.outcome);
        EXPECT_EQ(questions.asked, c.asked);
        EXPECT_EQ(static_cast<int>(content.Frames.size()), c.framesAfter);
    }
}

// --- damaged files ---------------------------------------------------------

struct DamageCase {
    const char* name;
    std::function<QByteArray()> file;
    const char* message;  // part of the error
};

class DamagedSimulationFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedSimulationFile, IsRejectedWithAClearErrorAndEmptyLists) {
    SimulationContent content;
    content.Frames.resize(2);
    content.CursorFiles.append("left over");
    content.Sounds.append("left over");
    ScriptedQuestions questions;
    auto outcome = load(GetParam().file(), content, questions);
    ASSERT_FALSE(outcome.isOk());
    EXPECT_TRUE(QString::fromStdString(outcome.message()).startsWith("test.qsf: "))
        << outcome.message();
    EXPECT_NE(outcome.message().find(GetParam().message), std::string::npos) << outcome.message();
    EXPECT_TRUE(content.Frames.empty());
    EXPECT_TRUE(content.CursorFiles.isEmpty());
    EXPECT_TRUE(content.Sounds.isEmpty());
    EXPECT_EQ(content.Picture.frameCount(), 0);
    EXPECT_TRUE(questions.asked.isEmpty());
}

QByteArray click(std::uint8_t target = 1) { return ZoneBytes::rectangle(3, 0, target).finish(); }

QByteArray withRecords(std::uint16_t version, const QList<QByteArray>& records, int frames = 2) {
    return simulationFile(version, solidGif(frames), records);
}

const DamageCase kDamageCases[] = {
    {"header cut", [] { return simulationFile(k0105, solidGif(1), {}).left(9); }, "12-byte header"},
    {"gif longer than file", [] { return simulationFile(k0105, solidGif(1), {}, 0, 0, 100000); },
     "longer than the file"},
    {"gif cut short",
     [] {
         const QByteArray gif = solidGif(2);
         return simulationFile(k0105, gif.left(gif.size() - 20), {}, 0, 0);
     },
     "GIF picture"},
    {"not a gif", [] { return simulationFile(k0105, QByteArray("PNG.....wrong"), {}); },
     "not a GIF"},
    {"file ends before a record",
     [] { return simulationFile(k0105, solidGif(3), {frameRecord({click()})}, 0, 2); },
     "file ends before frame record 2"},
    {"record longer than the file",
     [] { return withRecords(k0105, {frameRecord({click()}, 400)}); }, "past the end of the file"},
    {"record shorter than its header", [] { return withRecords(k0105, {frameRecord({}, 3)}); },
     "less than its header"},
    {"more records than frames",
     [] {
         return withRecords(k0105, {frameRecord({click()}), frameRecord({}), frameRecord({})});
     },
     "3 frame records but the picture has 2 frames"},
    {"zone overruns its record",
     [] { return withRecords(k0105, {frameRecord({ZoneBytes::rectangle(3, 0, 1).finish(60)})}); },
     "overruns its frame record"},
    {"zone count beyond the record",
     [] { return withRecords(k0105, {frameRecord({click()}, -1, 2)}); },
     "frame record ends before the zone record"},
    {"zone shorter than its header",
     [] { return withRecords(k0105, {frameRecord({ZoneBytes::rectangle(3, 0, 1).finish(8)})}); },
     "shorter than its 14-byte header"},
    {"zone length zero",
     [] { return withRecords(k0105, {frameRecord({ZoneBytes::rectangle(3, 0, 1).finish(0)})}); },
     "claims 0 bytes"},
    {"new header cut",
     [] {
         return withRecords(k0110,
                            {frameRecord({ZoneBytes::outline(3, 0, 1, 0, 0, false).finish()})});
     },
     "shorter than its 252-byte header"},
    {"polygon of 31 points",
     [] {
         return withRecords(k0109,
                            {frameRecord({ZoneBytes::outline(0, 0, 1, 4, 31, false).finish()})});
     },
     "polygon of 31 points"},
    {"target beyond the frames", [] { return withRecords(k0105, {frameRecord({click(3)})}); },
     "target frame 3 is beyond"},
    {"timed zone on the last frame",
     [] {
         return withRecords(
             k0105, {frameRecord({}), frameRecord({ZoneBytes::rectangle(6, 0, 1).finish()})});
     },
     "leads to frame 3"},
    {"timed zone of 0x0110 with target 0 on the last frame",
     [] {
         return withRecords(
             k0110, {frameRecord({ZoneBytes::outline(6, 0, 0, 0, 0, true, 5).finish()})}, 1);
     },
     "leads to frame 2"},
    {"text string not ended in its zone",
     [] {
         const QByteArray zone = ZoneBytes::rectangle(1, 0, 1).u32(0x8000).bytes("Save").finish();
         return withRecords(k0105, {frameRecord({zone, click()})});
     },
     "expected answer runs past the end of its zone record"},
    {"text flags cut",
     [] {
         return withRecords(k0105, {frameRecord({ZoneBytes::rectangle(8, 0, 1).u16(0).finish()})});
     },
     "text field flags"},
    {"sound longer than its zone",
     [] {
         const QByteArray zone = ZoneBytes::rectangle(15, 0, 0).u32(1000).bytes("RIFF").finish();
         return withRecords(k0107, {frameRecord({zone})});
     },
     "sound runs past"},
    {"pointer file longer than its zone",
     [] {
         const QByteArray zone = ZoneBytes::rectangle(7, 0, 0).u8(22).str("a.cur").u32(99).finish();
         return withRecords(k0105, {frameRecord({zone})});
     },
     "pointer file runs past"},
    {"pointer file name with a folder",
     [] {
         const QByteArray zone =
             ZoneBytes::rectangle(7, 0, 0).u8(22).str("..\\evil.cur").u32(0).finish();
         return withRecords(k0105, {frameRecord({zone})});
     },
     "not a plain file name"},
    {"reused pointer from a later zone",
     [] {
         const QByteArray reuse = ZoneBytes::rectangle(7, 0, 0).u8(23).u8(1).u8(2).finish();
         const QByteArray embed = ZoneBytes::rectangle(7, 0, 0).u8(22).str("a.cur").u32(0).finish();
         return withRecords(k0105, {frameRecord({reuse, embed})});
     },
     "frame 1 zone 2, which has not been read before"},
    {"reused pointer from a later frame",
     [] {
         const QByteArray reuse = ZoneBytes::rectangle(7, 0, 0).u8(23).u8(2).u8(1).finish();
         return withRecords(k0105, {frameRecord({reuse}), frameRecord({click()})});
     },
     "has not been read before"},
    {"reused pointer from a zone without one",
     [] {
         const QByteArray reuse = ZoneBytes::rectangle(7, 0, 0).u8(23).u8(1).u8(1).finish();
         return withRecords(k0105, {frameRecord({click(), reuse})});
     },
     "embeds no pointer"},
    {"unknown pointer code",
     [] {
         return withRecords(k0105, {frameRecord({ZoneBytes::rectangle(7, 0, 0).u8(24).finish()})});
     },
     "unknown pointer code 24"},
    {"link to a zone that does not exist",
     [] {
         const QByteArray zone = ZoneBytes::rectangle(1, 0, 1).u32(0x80000).u8(2).u8(4).finish();
         return withRecords(k0105, {frameRecord({zone}), frameRecord({click()})});
     },
     "links to frame 2 zone 4"},
    {"timed delay out of range",
     [] {
         return withRecords(
             k0110, {frameRecord({ZoneBytes::outline(6, 0, 2, 0, 0, true, 0x80000000u).finish()})});
     },
     "out of range"},
};

INSTANTIATE_TEST_SUITE_P(Cases, DamagedSimulationFile, ::testing::ValuesIn(kDamageCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST(SimulationLoader, MissingFileIsAnErrorNamingIt) {
    SimulationContent content;
    ScriptedQuestions questions;
    auto outcome =
        SimulationLoader(questions).load(QStringLiteral("/nonexistent/sim7.qsf"), content);
    ASSERT_FALSE(outcome.isOk());
    EXPECT_NE(outcome.message().find("sim7.qsf: cannot be opened"), std::string::npos);
}

}  // namespace
}  // namespace zentrix::simulation
