#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "scripted_questions.h"
#include "simulation/simulation_loader.h"
#include "simulation/simulation_version.h"
#include "tools/sim/simulation_builder.h"
#include "tools/sim/simulation_description.h"

namespace zentrix::simulation {
namespace {

using tools::SimulationBuilder;
using tools::SimulationDescriptionParser;

const QByteArray kCursor("\0\0\2\0\1\0 cursor image", 19);
const QByteArray kWave("RIFF\x24\0\0\0WAVEfmt sound", 20);

// A folder with four screenshots, a pointer file and a sound.
class AuthoringFolder {
public:
    AuthoringFolder() {
        for (int i = 0; i < 4; ++i) {
            QImage shot(64, 40, QImage::Format_RGB32);
            shot.fill(QColor::fromHsv(i * 80, 120, 230));
            for (int x = 0; x < 20 + i * 10; ++x) shot.setPixel(x, 5 + i, qRgb(0, 0, 0));
            shots_.append(shot);
            shot.save(dir_.filePath(QStringLiteral("shot%1.png").arg(i + 1)), "PNG");
        }
        write("hand.cur", kCursor);
        write("ding.wav", kWave);
        write("long.wav", kWave + QByteArray(70000, '\0'));
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QDir dir() const { return QDir(dir_.path()); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    const QList<QImage>& shots() const { return shots_; }

private:
    QTemporaryDir dir_;
    QList<QImage> shots_;
};

QJsonArray box(int l, int t, int r, int b) { return QJsonArray{l, t, r, b}; }
QJsonObject ref(int frame, int zone) { return QJsonObject{{"frame", frame}, {"zone", zone}}; }

// A description that uses everything the version can carry.
QJsonObject fullDescription(SimulationVersion v) {
    using F = VersionFeature;
    QJsonArray first{
        QJsonObject{{"type", "click"}, {"rectangle", box(10, 10, 50, 30)}, {"target", 2}},
        QJsonObject{{"type", "timed"}, {"delay", 20}},
    };
    QJsonObject field{{"type", "enterField"},
                      {"rectangle", box(5, 5, 60, 15)},
                      {"target", 2},
                      {"flags", QJsonArray{"singleLine", "border", "matchCase", 0x10000000}},
                      {"fontSize", 10},
                      {"fontColor", "#102030"},
                      {"backColor", 17},
                      {"fontName", "Arial"},
                      {"answer", "Save \u00e9"},
                      {"sameAs", ref(1, 1)}};
    if (v.has(F::LinkedFields)) field["link"] = ref(2, 1);
    if (v.has(F::Alternatives)) field["alternatives"] = QJsonArray{"save", "SAVE"};
    first.append(field);
    if (v.has(F::PointerSpecs)) {
        first.append(QJsonObject{{"type", "pointer"},
                                 {"rectangle", box(0, 0, 9, 9)},
                                 {"pointer", QJsonObject{{"file", "hand.cur"}}}});
        first.append(
            QJsonObject{{"type", "pointer"}, {"rectangle", box(0, 0, 9, 9)}, {"pointer", "hand"}});
    }
    if (v.has(F::PointerTail)) {
        first.append(QJsonObject{{"type", "release"},
                                 {"rectangle", box(1, 1, 2, 2)},
                                 {"target", 3},
                                 {"pointer", QJsonObject{{"sameAs", ref(1, 4)}}}});
    }
    if (v.has(F::ModifierKeys)) {
        first.append(QJsonObject{{"type", "doubleClick"},
                                 {"rectangle", box(1, 1, 2, 2)},
                                 {"target", 3},
                                 {"ctrl", true},
                                 {"shift", true},
                                 {"pointer", 11}});
    }

    QJsonArray second{
        QJsonObject{{"type", "tabField"}, {"rectangle", box(3, 3, 30, 13)}, {"target", 3}}};
    if (v.has(F::KeyZones)) {
        second.append(QJsonObject{{"type", "key"},
                                  {"rectangle", box(0, 0, 1, 1)},
                                  {"key", "S"},
                                  {"target", 3},
                                  {"alt", v.has(F::ModifierKeys)}});
    }
    if (v.has(F::AddressFields)) {
        second.append(QJsonObject{{"type", "address"},
                                  {"rectangle", box(2, 2, 40, 12)},
                                  {"target", 3},
                                  {"fontName", "Arial"},
                                  {"answer", "10.0.0.1"},
                                  {"flags", QJsonArray{"required"}}});
    }
    if (v.has(F::SoundZones)) second.append(QJsonObject{{"type", "sound"}, {"sound", "ding.wav"}});
    if (v.has(F::WideBackColor)) {
        second.append(QJsonObject{
            {"type", "field"}, {"rectangle", box(2, 20, 40, 30)}, {"backColor", "#ABCDEF"}});
    }

    QJsonArray third{
        QJsonObject{{"type", 20}, {"rectangle", box(0, 0, 5, 5)}},
        QJsonObject{{"type", "rightClick"}, {"rectangle", box(0, 0, 5, 5)}, {"target", 4}}};
    if (v.has(F::OutlineHeader)) {
        third.append(
            QJsonObject{{"type", "click"}, {"ellipse", box(-5, -5, 70000, 20)}, {"target", 4}});
        third.append(QJsonObject{
            {"type", "hover"},
            {"polygon", QJsonArray{QJsonArray{0, 0}, QJsonArray{10, 0}, QJsonArray{5, 8}}},
            {"target", 4}});
    }
    if (v.has(F::TimedDelayField))
        third.append(QJsonObject{{"type", "timed"}, {"delay", 7}, {"target", 1}});

    QJsonArray fourth{
        QJsonObject{{"type", "click"}, {"rectangle", box(0, 0, 63, 39)}, {"target", 4}}};
    return QJsonObject{
        {"frames", QJsonArray{QJsonObject{{"screenshot", "shot1.png"}, {"zones", first}},
                              QJsonObject{{"screenshot", "shot2.png"}, {"zones", second}},
                              QJsonObject{{"screenshot", "shot3.png"}, {"zones", third}},
                              QJsonObject{{"screenshot", "shot4.png"}, {"zones", fourth}}}}};
}

QByteArray json(const QJsonObject& object) { return QJsonDocument(object).toJson(); }

class SimulationRoundTrip : public ::testing::TestWithParam<std::uint16_t> {};

TEST_P(SimulationRoundTrip, WhatIsDescribedIsWhatIsRead) {
    const SimulationVersion version = *SimulationVersion::fromWord(GetParam());
    AuthoringFolder folder;
    auto description =
        SimulationDescriptionParser::parse(json(fullDescription(version)), folder.dir());
    ASSERT_TRUE(description.isOk()) << description.message();
    auto bytes = SimulationBuilder::build(*description, version);
    ASSERT_TRUE(bytes.isOk()) << bytes.message();

    SimulationContent content;
    testing::ScriptedQuestions questions;
    auto outcome = SimulationLoader(questions).loadBytes(*bytes, "round.qsf", content);
    ASSERT_TRUE(outcome.isOk()) << outcome.message();
    ASSERT_EQ(*outcome, LoadOutcome::Read);
    EXPECT_EQ(content.Frames, description->frames);
    EXPECT_EQ(content.CursorFiles, description->cursorFiles);
    EXPECT_EQ(content.Sounds, description->sounds);
    ASSERT_EQ(content.Picture.frameCount(), 4);
    for (int n = 1; n <= 4; ++n) {
        content.Picture.showFrame(n);
        EXPECT_EQ(content.Picture.image().convertToFormat(QImage::Format_RGB32),
                  folder.shots()[n - 1]);
    }
    if (version.has(VersionFeature::PointerTail)) {
        EXPECT_EQ(content.CursorFiles.size(), 1);  // the reused pointer adds no file
    }
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, SimulationRoundTrip,
                         ::testing::ValuesIn(SimulationVersion::allWords()), [](const auto& info) {
                             return SimulationVersion::fromWord(info.param)->text().toStdString();
                         });

struct RefusalCase {
    const char* name;
    std::uint16_t version;
    QJsonObject zone;  // put on frame 1 of 3
    const char* message;
};

class VersionRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(VersionRefusal, FeatureTheVersionCannotCarryIsRefused) {
    const RefusalCase& c = GetParam();
    AuthoringFolder folder;
    const QJsonObject root{{"frames", QJsonArray{QJsonObject{{"screenshot", "shot1.png"},
                                                             {"zones", QJsonArray{c.zone}}},
                                                 QJsonObject{{"screenshot", "shot2.png"}},
                                                 QJsonObject{{"screenshot", "shot3.png"}}}}};
    auto description = SimulationDescriptionParser::parse(json(root), folder.dir());
    ASSERT_TRUE(description.isOk()) << description.message();
    auto bytes = SimulationBuilder::build(*description, SimulationVersion::fromWord(c.version));
    ASSERT_FALSE(bytes.isOk());
    EXPECT_NE(bytes.message().find(c.message), std::string::npos) << bytes.message();
    EXPECT_NE(bytes.message().find("frame 1 zone 1"), std::string::npos) << bytes.message();
}

const RefusalCase kRefusals[] = {
    {"ellipse",
     0x0108,
     {{"type", "click"}, {"ellipse", box(0, 0, 5, 5)}, {"target", 2}},
     "need version 0x0109"},
    {"polygon",
     0x0101,
     {{"type", "hover"},
      {"polygon", QJsonArray{QJsonArray{0, 0}, QJsonArray{1, 0}, QJsonArray{0, 1}}}},
     "need version 0x0109"},
    {"negative corner",
     0x0105,
     {{"type", "click"}, {"rectangle", box(-1, 0, 5, 5)}},
     "need version 0x0109"},
    {"sound", 0x0106, {{"type", "sound"}, {"sound", "ding.wav"}}, "sounds need version 0x0107"},
    {"address",
     0x0106,
     {{"type", "address"}, {"rectangle", box(0, 0, 5, 5)}},
     "need version 0x0107"},
    {"key",
     0x0105,
     {{"type", "key"}, {"rectangle", box(0, 0, 5, 5)}, {"key", "K"}},
     "key zones need version 0x0106"},
    {"alternatives",
     0x0105,
     {{"type", "field"}, {"rectangle", box(0, 0, 5, 5)}, {"alternatives", QJsonArray{"a"}}},
     "need version 0x0106"},
    {"link",
     0x0104,
     {{"type", "field"}, {"rectangle", box(0, 0, 5, 5)}, {"link", ref(2, 1)}},
     "need version 0x0105"},
    {"ctrl",
     0x0103,
     {{"type", "click"}, {"rectangle", box(0, 0, 5, 5)}, {"ctrl", true}},
     "need version 0x0104"},
    {"pointer on a click",
     0x0102,
     {{"type", "click"}, {"rectangle", box(0, 0, 5, 5)}, {"pointer", "hand"}},
     "need version 0x0103"},
    {"pointer zone",
     0x0101,
     {{"type", "pointer"}, {"rectangle", box(0, 0, 5, 5)}, {"pointer", "cross"}},
     "need version 0x0102"},
    {"wide back colour",
     0x0107,
     {{"type", "field"}, {"rectangle", box(0, 0, 5, 5)}, {"backColor", "#ABCDEF"}},
     "need version 0x0108"},
    {"delay not a multiple of ten",
     0x0108,
     {{"type", "timed"}, {"delay", 25}},
     "needs version 0x0109"},
    {"delay above 255", 0x0109, {{"type", "timed"}, {"delay", 300}}, "needs version 0x0110"},
    {"timed zone with a target of its own",
     0x0109,
     {{"type", "timed"}, {"target", 3}},
     "needs version 0x0110"},
    {"target beyond the frames",
     0x0110,
     {{"type", "click"}, {"target", 4}},
     "target frame 4 out of range"},
    {"pointer file name with a folder",
     0x0110,
     {{"type", "pointer"}, {"pointer", QJsonObject{{"file", "hand.cur"}, {"name", "../x.cur"}}}},
     "not a plain file name"},
    {"sound too long for a frame record",
     0x0110,
     {{"type", "sound"}, {"sound", "long.wav"}},
     "is too long"},
    {"font outside the code page",
     0x0110,
     {{"type", "field"}, {"fontName", "\u4e2d"}},
     "outside the Windows code page"},
};

INSTANTIATE_TEST_SUITE_P(Cases, VersionRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

struct DescriptionErrorCase {
    const char* name;
    const char* json;
    const char* message;
};

class DescriptionError : public ::testing::TestWithParam<DescriptionErrorCase> {};

TEST_P(DescriptionError, NamesWhereTheDescriptionIsWrong) {
    AuthoringFolder folder;
    folder.write("notes.txt", "not a picture");
    auto description = SimulationDescriptionParser::parse(GetParam().json, folder.dir());
    ASSERT_FALSE(description.isOk());
    EXPECT_NE(description.message().find(GetParam().message), std::string::npos)
        << description.message();
}

const DescriptionErrorCase kDescriptionErrors[] = {
    {"not json", "{frames: ", "not valid JSON"},
    {"no frames", R"({"frames": []})", "at least one frame"},
    {"misspelt member", R"({"frames": [{"screenshot": "shot1.png", "zone": []}]})",
     "frame 1: unknown member \"zone\""},
    {"missing screenshot", R"({"frames": [{"screenshot": "gone.png"}]})",
     "screenshot gone.png cannot be opened"},
    {"screenshot not png", R"({"frames": [{"screenshot": "notes.txt"}]})", "is not a PNG picture"},
    {"unknown type", R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "tap"}]}]})",
     "frame 1 zone 1: unknown zone type \"tap\""},
    {"two shapes",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "click", "rectangle": [0,0,1,1], "ellipse": [0,0,1,1]}]}]})",
     "one of rectangle"},
    {"31 polygon points",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "hover", "polygon": [[0,0],[1,1],[2,2],[3,3],[4,4],[5,5],[6,6],[7,7],[8,8],[9,9],[0,0],[1,1],[2,2],[3,3],[4,4],[5,5],[6,6],[7,7],[8,8],[9,9],[0,0],[1,1],[2,2],[3,3],[4,4],[5,5],[6,6],[7,7],[8,8],[9,9],[1,1]]}]}]})",
     "3 to 30 points"},
    {"text member on a click",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "click", "answer": "x"}]}]})",
     "only text fields have \"answer\""},
    {"sound not wave",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "sound", "sound": "notes.txt"}]}]})",
     "is not a WAVE file"},
    {"pointer file not a cursor",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "pointer", "pointer": {"file": "notes.txt"}}]}]})",
     "neither a .cur nor an .ani"},
    {"pointer reuse of a later zone",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "pointer", "pointer": {"sameAs": {"frame": 1, "zone": 2}}}, {"type": "pointer", "pointer": {"file": "hand.cur"}}]}]})",
     "earlier zone that embeds a pointer file"},
    {"key of two letters",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "key", "key": "AB"}]}]})",
     "one character"},
    {"delay on a click",
     R"({"frames": [{"screenshot": "shot1.png", "zones": [{"type": "click", "delay": 4}]}]})",
     "only timed zones"},
    {"unknown version", R"({"version": "0x0111", "frames": [{"screenshot": "shot1.png"}]})",
     "version must be one of"},
};

INSTANTIATE_TEST_SUITE_P(Cases, DescriptionError, ::testing::ValuesIn(kDescriptionErrors),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

// --- the command-line tool --------------------------------------------------

struct ToolRun {
    int exitCode;
    QByteArray out, err;
};

ToolRun runTool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(ZENTRIX_SIM_TOOL), args);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(ZentrixSimTool, BuildsThenReportsJsonWithTheZoneMemberNames) {
    AuthoringFolder folder;
    folder.write("sim.json", json(fullDescription(SimulationVersion::newest())));
    const QString output = folder.path("sim.qsf");
    const ToolRun build =
        runTool({"build", folder.path("sim.json"), output, "--version", "0x0110"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();

    const ToolRun info = runTool({"info", output, "--json"});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(info.out).object();
    EXPECT_EQ(root["Version"].toString(), QStringLiteral("0x0110"));
    EXPECT_EQ(root["FrameCount"].toInt(), 4);
    const QJsonArray frames = root["Frames"].toArray();
    ASSERT_EQ(frames.size(), 4);
    const QJsonObject zone = frames[0].toObject()["Zones"].toArray()[0].toObject();
    const QStringList expected = {
        "ZoneId",       "ZoneType",    "ZoneFlags",      "TargetFrame",    "NeedCtrl",
        "NeedAlt",      "NeedShift",   "Points",         "Shape",          "PointCount",
        "FieldFlags",   "FontSize",    "FontColor",      "BackColor",      "FontName",
        "AnswerText",   "SameAsFrame", "SameAsZone",     "LinkFrame",      "LinkZone",
        "Alternatives", "CursorCode",  "CursorFileName", "CursorRefFrame", "CursorRefZone",
        "CursorIndex",  "SoundIndex",  "DelayTicks"};
    QStringList keys = zone.keys();
    QStringList sortedExpected = expected;
    keys.sort();
    sortedExpected.sort();
    EXPECT_EQ(keys, sortedExpected);
    EXPECT_EQ(zone["TargetFrame"].toInt(), 2);

    const ToolRun text = runTool({"info", output});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.startsWith("Version 0x0110, file type 0, 4 frame records"))
        << text.out.toStdString();
}

TEST(ZentrixSimTool, RejectedFileGivesStatusTwoAndRefusedVersionStatusOne) {
    AuthoringFolder folder;
    folder.write("broken.qsf", QByteArray("\1\0\x10\1\0\0\0\0\xff\xff\0\0", 12));
    const ToolRun broken = runTool({"info", folder.path("broken.qsf"), "--json"});
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_TRUE(broken.err.contains("broken.qsf: GIF block of 65535 bytes is longer than the file"))
        << broken.err.toStdString();
    EXPECT_TRUE(broken.out.isEmpty());

    folder.write("unknown.qsf", QByteArray("\1\0\x11\1\0\0\0\0\0\0\0\0", 12));
    const ToolRun unknown = runTool({"info", folder.path("unknown.qsf")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("unknown version")) << unknown.err.toStdString();

    folder.write("sim.json", json(fullDescription(SimulationVersion::newest())));
    const ToolRun refused =
        runTool({"build", folder.path("sim.json"), folder.path("old.qsf"), "--version", "0x0101"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("sim.json: frame 1 zone")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.path("old.qsf")));
}

}  // namespace
}  // namespace zentrix::simulation
