// zentrix-bank importing and exporting the learning platforms' formats, run
// in-process against banks in scratch folders and read back through TTesting.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "base/message_sink.h"
#include "platform/text_file.h"
#include "questionbank/ttesting.h"
#include "tools/bank/bank_command.h"
#include "tools/bank/formats/zip_archive.h"
#include "tools/bank/tests/bank_command_fixture.h"

namespace zentrix::banktool {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = ZENTRIX_FORMATS_FIXTURES;
const fs::path kSamples = ZENTRIX_INTERCHANGE_SAMPLES_DIR;

// A question as the bank stores it.
struct Stored {
    int type = 0;
    std::string title, text;
    std::vector<std::string> rows;
    std::string key, hint, reference, picture, pictureBytes;

    bool operator==(const Stored&) const = default;
};

void PrintTo(const Stored& s, std::ostream* os) {
    *os << "{type " << s.type << ", \"" << s.title << "\", \"" << s.text << "\", rows";
    for (const std::string& r : s.rows) *os << " \"" << r << "\"";
    *os << ", key \"" << s.key << "\", hint \"" << s.hint << "\", ref \"" << s.reference
        << "\", picture \"" << s.picture << "\" (" << s.pictureBytes.size() << " bytes)}";
}

class InterchangeBank : public BankCommandFixture {
protected:
    InterchangeBank() : BankCommandFixture("zentrix-formats") {}

    void SetUp() override {
        BankCommandFixture::SetUp();
        for (const auto& entry : fs::directory_iterator(kFixtures)) {
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), root_ / "src" / entry.path().filename());
        }
        ASSERT_EQ(0, run({"init", bank_})) << err_;
    }

    std::string src(const std::string& name) const { return (root_ / "src" / name).string(); }

    static std::vector<Stored> stored(const std::string& bank, const std::string& examId) {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        questionbank::TTesting testing(engine, bank, sink);
        std::vector<Stored> questions;
        EXPECT_EQ(0, testing.OpenTest(examId)) << examId << ": " << testing.LastError();
        for (int n = 1; n <= testing.QuestionCount(); ++n) {
            EXPECT_EQ(0, testing.GoToTestQuestion(n));
            const questionbank::TestQuestionInfo& info = testing.QuestionInfo();
            Stored s{info.TYPE, info.TITLE, info.QUESTION, {}, testing.GetAnswerKey(),
                     info.Hint, info.REF,   info.GRAPHIC,  {}};
            if (info.TYPE != questionbank::kTrueFalse) {
                for (int i = 1; i <= info.NUMANSWER; ++i)
                    s.rows.push_back(testing.GetTestQuestionXtra(info.ID, i));
            } else {
                EXPECT_EQ(2, info.NUMANSWER);
            }
            xbase::Result<std::string> bytes = testing.GetGraphicData();
            EXPECT_TRUE(bytes.isOk());
            if (bytes) s.pictureBytes = bytes.value();
            questions.push_back(std::move(s));
        }
        return questions;
    }
    std::vector<Stored> stored(const std::string& examId) const { return stored(bank_, examId); }
    std::string examTitle(const std::string& bank, const std::string& examId) const {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        questionbank::TTesting testing(engine, bank, sink);
        return testing.GetGTest_Title(examId);
    }
};

const std::string kGif = std::string(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff\x21\xf9\x04\x01\x00\x00\x00\x00"
    "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
    43);
const std::vector<std::string> kPrivateRanges = {"10.0.0.0/8", "11.0.0.0/8", "192.168.0.0/16"};

TEST_F(InterchangeBank, GiftCategoriesBecomeExamsOfTheCourse) {
    ASSERT_EQ(0, run({"import", bank_, src("networking.gift"), "--course", "NET"})) << err_;
    EXPECT_EQ("imported exam NETWORKING (3 questions)\nimported exam CABLING (3 questions)\n" +
                  src("networking.gift") + ": took 6 questions, skipped 2\n",
              out_);
    EXPECT_NE(std::string::npos, err_.find(src("networking.gift") +
                                           ":28: skipped \"Capital\": a short-answer question\n"))
        << err_;
    EXPECT_NE(std::string::npos, err_.find(src("networking.gift") +
                                           ":30: skipped \"Just a description between the...\": "
                                           "a description without answers"))
        << err_;
    EXPECT_EQ((std::vector<Stored>{
                  {0,
                   "Hubs",
                   "A hub forwards every frame to every port.",
                   {},
                   "TRUE",
                   "TRUE: Right: it repeats.\nFALSE: No: a hub repeats every frame.",
                   "Chapter 2, Hubs",
                   "",
                   ""},
                  {1,
                   "Layer 3",
                   "Which device works at layer 3?",
                   {"Hub", "Switch", "Router"},
                   "3",
                   "Hub: A hub repeats bits.\nSwitch: A switch forwards frames.\nRouter: Right.",
                   "Chapter 3, Routing",
                   "",
                   ""},
                  {5, "Private ranges", "Which of these address ranges are private?",
                   kPrivateRanges, "5", "", "", "", ""},
              }),
              stored("NETWORKING"));
    EXPECT_EQ((std::vector<Stored>{
                  {1,
                   "Cable",
                   "Which cable is shown?",
                   {"Twisted pair", "Coaxial"},
                   "1",
                   "",
                   "",
                   "router.gif",
                   kGif},
                  {1,
                   "Port",
                   "Port 80 carries _____ traffic.",
                   {"SSH", "HTTP", "FTP"},
                   "2",
                   "",
                   "",
                   "",
                   ""},
                  {1,
                   "Escapes",
                   "Which is written {braces} in C:\\temp?",
                   {"~tilde", "=equals", "#hash"},
                   "1",
                   "",
                   "",
                   "",
                   ""},
              }),
              stored("CABLING"));
    EXPECT_EQ("Networking", examTitle(bank_, "NETWORKING"));
}

TEST_F(InterchangeBank, EveryOtherFormatFillsTheBank) {
    const Stored layer3 = {
        1,  "Layer 3", "Which device works at layer 3?", {"Hub", "Switch", "Router"}, "3", "", "",
        "", ""};
    struct Case {
        std::string file;
        std::string exam;
        std::vector<Stored> questions;
    };
    Stored moodleLayer3 = layer3;
    moodleLayer3.text =
        "Which device works at layer\xA0"
        "3?";
    moodleLayer3.hint = "Think of addresses.";
    moodleLayer3.picture = "router.gif";
    moodleLayer3.pictureBytes = kGif;
    Stored qtiLayer3 = moodleLayer3;
    qtiLayer3.text = "Which device works at layer 3?\n\nPick one.";
    Stored csvLayer3 = layer3;
    csvLayer3.picture = "router.gif";
    csvLayer3.pictureBytes = kGif;
    const std::vector<Case> cases = {
        {"networking-aiken.txt",
         "AIKEN",
         {{1,
           "Which device works at layer 3?",
           "Which device works at layer 3?",
           {"Hub", "Switch", "Router"},
           "3",
           "",
           "",
           "",
           ""},
          {5, "Which of these address ranges are private?",
           "Which of these address ranges are private?", kPrivateRanges, "5", "", "", "", ""}}},
        {"networking.csv",
         "CSV",
         {{0,
           "Hubs",
           "A hub forwards every frame to every port.",
           {},
           "TRUE",
           "Think of a repeater.",
           "Chapter 2, Hubs",
           "",
           ""},
          csvLayer3,
          {5, "Private ranges", "Which of these address ranges are private?\nChoose two.",
           kPrivateRanges, "5", "", "RFC 1918, \"Address Allocation\"", "", ""}}},
        {"networking-moodle.xml",
         "MOODLE",
         {{0,
           "Hubs",
           "A hub forwards every frame\nto every port.",
           {},
           "TRUE",
           "TRUE: Right: it repeats.\nFALSE: No: a hub repeats every frame.",
           "Chapter 2, Hubs",
           "",
           ""},
          moodleLayer3,
          {5, "Private ranges", "Which of these address ranges are private?", kPrivateRanges, "5",
           "", "", "", ""}}},
        {"layer3-item.xml", "QTI", {qtiLayer3}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, run({"import", bank_, src(c.file), "--course", "NET", "--exam", c.exam}))
            << c.file << ": " << err_;
        EXPECT_EQ(0u, out_.find("imported exam " + c.exam + " (")) << out_;
        EXPECT_EQ(c.questions, stored(c.exam)) << c.file;
    }
}

TEST_F(InterchangeBank, TextsBecomeWindows1252AndTheLostCharactersAreNamed) {
    writeBytes(src("utf8.gift"), "::Caf\xC3\xA9::5 \xE2\x82\xAC \xE2\x86\x92 x? {=ja ~nein}\n");
    writeBytes(src("cp1252.csv"),
               "title,question,choice1,choice2,correct\nCaf\xE9,Pr\xFC"
               "fung,\x80,b,1\n");
    ASSERT_EQ(0, run({"import", bank_, src("utf8.gift"), src("cp1252.csv"), "--course", "NET"}))
        << err_;
    EXPECT_EQ("zentrix-bank: note: " + src("utf8.gift") +
                  ":1: characters Windows-1252 lacks became \"?\": U+2192\n",
              err_);
    EXPECT_EQ("Caf\xE9", stored("UTF8")[0].title);
    EXPECT_EQ("5 \x80 ? x?", stored("UTF8")[0].text);
    EXPECT_EQ((Stored{1,
                      "Caf\xE9",
                      "Pr\xFC"
                      "fung",
                      {"\x80", "b"},
                      "1",
                      "",
                      "",
                      "",
                      ""}),
              stored("CP1252")[0]);
}

TEST_F(InterchangeBank, PicturesOfOneNameButOtherBytesAreKeptApart) {
    writeBytes(src("one/router.gif"), "GIF89a one");
    writeBytes(src("two/router.gif"), "GIF89a two");
    writeBytes(src("two.gift"),
               "::A::[html]<img src=\"one/router.gif\">a{T}\n\n::B::[html]<img "
               "src=\"two/router.gif\">b{T}\n\n"
               "::C::[html]<img src=\"../src/one/router.gif\">c{T}\n");
    ASSERT_NE(0, run({"import", bank_, src("two.gift")}));
    EXPECT_NE(std::string::npos, err_.find(src("two.gift") + ":5: picture: ")) << err_;
    writeBytes(src("two.gift"),
               "::A::[html]<img src=\"one/router.gif\">a{T}\n\n::B::[html]<img "
               "src=\"two/router.gif\">b{T}\n");
    ASSERT_EQ(0, run({"import", bank_, src("two.gift")})) << err_;
    const std::vector<Stored> questions = stored("TWO");
    EXPECT_EQ("one/router.gif", questions[0].picture);
    EXPECT_EQ("GIF89a one", questions[0].pictureBytes);
    EXPECT_EQ("two/router.gif", questions[1].picture);
    EXPECT_EQ("GIF89a two", questions[1].pictureBytes);
}

TEST_F(InterchangeBank, UnpackedPackagesAndTheFormatsThatCannotBeTold) {
    writeBytes(src("pkg/imsmanifest.xml"),
               "<manifest><resources xml:base=\"items\"><resource type=\"imsqti_item_xmlv2p1\" "
               "href=\"layer3.xml\"/>"
               "</resources></manifest>");
    writeBytes(src("pkg/items/layer3.xml"), readBytes(src("layer3-item.xml")));
    writeBytes(src("pkg/items/router.gif"), kGif);
    ASSERT_EQ(0, run({"import", bank_, src("pkg/imsmanifest.xml"), "--exam", "UNPACKED"})) << err_;
    EXPECT_EQ("items/router.gif", stored("UNPACKED")[0].picture);
    EXPECT_EQ(kGif, stored("UNPACKED")[0].pictureBytes);

    writeBytes(src("notes.txt"), "Nothing but words.\n");
    EXPECT_EQ(1, run({"import", bank_, src("notes.txt")}));
    EXPECT_EQ("zentrix-bank: " + src("notes.txt") +
                  ": cannot tell the file's format; give --format exam, gift, aiken, moodle-xml, "
                  "qti or csv\n"
                  "zentrix-bank: nothing was imported; the bank is unchanged\n",
              err_);
    EXPECT_EQ(2, run({"import", bank_, src("notes.txt"), "--format", "word"}));
    EXPECT_EQ(2, run({"export", bank_, "UNPACKED", (root_ / "out").string(), "--format", "csv"}));
    EXPECT_EQ(
        0u, err_.find(
                "zentrix-bank: exams are exported as exam, gift, moodle-xml or qti, not \"csv\"\n"))
        << err_;
}

struct DamageCase {
    const char* name;
    std::string file;
    std::string content;  // written to src/<file>; empty: a fixture as it is
    std::vector<std::string> options;
    std::string message;  // a line of the error output, after "zentrix-bank: " and the file's path
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedImports : public InterchangeBank, public ::testing::WithParamInterface<DamageCase> {
public:
    static std::string zip(const std::vector<std::pair<std::string, std::string>>& entries) {
        xbase::Result<std::string> bytes = ZipArchive::write(entries);
        return bytes ? bytes.value() : std::string();
    }
};

TEST_P(DamagedImports, LeaveTheBankByteIdentical) {
    const DamageCase& c = GetParam();
    ASSERT_EQ(0, run({"import", bank_, src("networking-moodle.xml"), "--course", "NET", "--exam",
                      "FIRST"}))
        << err_;
    if (!c.content.empty()) writeBytes(src(c.file), c.content);
    const auto before = snapshot(bank_);
    std::vector<std::string> args = {"import", bank_, src(c.file), "--course", "NET"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    EXPECT_EQ(1, run(args));
    EXPECT_NE(std::string::npos, err_.find("zentrix-bank: " + src(c.file) + c.message + "\n"))
        << err_;
    EXPECT_NE(std::string::npos,
              err_.find("zentrix-bank: nothing was imported; the bank is unchanged\n"))
        << err_;
    EXPECT_EQ("", out_);
    EXPECT_EQ(before, snapshot(bank_));
    size_t folders = 0;
    for (const auto& entry : fs::directory_iterator(root_)) folders += entry.is_directory();
    EXPECT_EQ(2u, folders) << "src and bank only: no staging folder left";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedImports,
    ::testing::Values(
        DamageCase{"BrokenXml",
                   "quiz.xml",
                   "<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"truefalse\">\n</quiz>\n",
                   {},
                   ":4: broken XML: Opening and ending tag mismatch."},
        DamageCase{
            "ZipWithAMissingItem",
            "pack.zip",
            DamagedImports::zip(
                {{"imsmanifest.xml",
                  "<manifest><resources><resource type=\"imsqti_item_xmlv2p1\" href=\"q1.xml\"/>"
                  "<resource type=\"imsqti_item_xmlv2p1\" "
                  "href=\"q2.xml\"/></resources></manifest>"},
                 {"q1.xml", "<assessmentItem title=\"x\"/>"}}),
            {},
            ": item \"q2.xml\" named in imsmanifest.xml is not in the package"},
        DamageCase{
            "UnterminatedGiftBrace",
            "quiz.gift",
            "::A::a {T}\n\n::B::b {\n=x\n~y\n",
            {},
            ":3: the answers opened with \"{\" are not closed (a question ends at a blank line)"},
        DamageCase{"CsvRowWithTooFewColumns",
                   "quiz.csv",
                   "title,question,choice1,choice2,correct\nA,a,x,y,1\nB,b,x\n",
                   {},
                   ":3: the row has 3 fields but the header names 5 columns"},
        DamageCase{"PictureNotBesideTheFile",
                   "quiz.csv",
                   "title,question,choice1,correct,picture\nA,a,x,1,gone.gif\n",
                   {},
                   ":2: picture \"gone.gif\" is not beside the file"},
        DamageCase{"SkippedQuestionUnderStrict",
                   "networking.gift",
                   "",
                   {"--strict"},
                   ":28: skipped \"Capital\": a short-answer question"},
        DamageCase{"ExamAlreadyInTheBank",
                   "networking-moodle.xml",
                   "",
                   {"--exam", "FIRST"},
                   ": exam FIRST is already in the bank (import with --replace to replace it)"}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST_F(InterchangeBank, StrictSaysHowManyWereSkipped) {
    EXPECT_EQ(1, run({"import", bank_, src("networking.gift"), "--strict"}));
    EXPECT_NE(
        std::string::npos,
        err_.find("zentrix-bank: 2 questions were skipped and --strict makes that a failure\n"))
        << err_;
}

class RoundTrips : public InterchangeBank, public ::testing::WithParamInterface<const char*> {};

TEST_P(RoundTrips, AnExportedExamImportsBackToTheSameQuestions) {
    const std::string format = GetParam();
    fs::copy_file(fs::path(ZENTRIX_SOURCE_DIR) / "tools/bank/examples/net101a.exam",
                  root_ / "src/net101a.exam");
    writeBytes(root_ / "src/cover.gif", std::string("GIF89a\0\x01cover", 13));
    writeBytes(root_ / "src/router.gif", std::string("GIF89a\xff\x00router", 14));
    writeBytes(root_ / "src/config.sim", std::string("SIM\x00\x01\x02\x03", 7));
    ASSERT_EQ(0, run({"import", bank_, src("net101a.exam")})) << err_;
    const std::string out = (root_ / "out").string();
    ASSERT_EQ(0, run({"export", bank_, "NET101A", out, "--format", format})) << err_;
    const std::string extension = format == "gift" ? ".gift" : format == "qti" ? ".zip" : ".xml";
    EXPECT_EQ("wrote " + out + "/NET101A" + extension + " (3 questions, skipped 1)\n", out_);
    EXPECT_EQ(
        "zentrix-bank: exam NET101A, question 4: skipped \"Configure a port\": a simulation "
        "(--include-simulations writes its steps as text)\n",
        err_);

    const std::string second = (root_ / "second").string();
    ASSERT_EQ(0, run({"init", second}));
    ASSERT_EQ(0, run({"import", second, out + "/NET101A" + extension, "--course", "NET101"}))
        << err_;
    EXPECT_EQ("imported exam NET101A (3 questions)\n" + out + "/NET101A" + extension +
                  ": took 3 questions, skipped 0\n",
              out_);
    EXPECT_EQ("", err_);
    std::vector<Stored> original = stored("NET101A");
    original.pop_back();  // the simulation
    EXPECT_EQ(original, stored(second, "NET101A"));
    EXPECT_EQ("Networking Basics, part A", examTitle(second, "NET101A"));

    // And the second bank exports the same file again.
    ASSERT_EQ(0, run({"export", second, "NET101A", (root_ / "again").string(), "--format", format}))
        << err_;
    EXPECT_EQ(readBytes(out + "/NET101A" + extension),
              readBytes(root_ / ("again/NET101A" + extension)));
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrips, ::testing::Values("gift", "moodle-xml", "qti"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });

TEST_F(InterchangeBank, SimulationsAreWrittenAsStepsWhenAsked) {
    fs::copy_file(fs::path(ZENTRIX_SOURCE_DIR) / "tools/bank/examples/net101a.exam",
                  root_ / "src/net101a.exam");
    for (const char* file : {"cover.gif", "router.gif", "config.sim"})
        writeBytes(root_ / "src" / file, "bytes");
    ASSERT_EQ(0, run({"import", bank_, src("net101a.exam")})) << err_;
    for (const char* format : {"gift", "moodle-xml", "qti"}) {
        const std::string out = (root_ / "out" / format).string();
        ASSERT_EQ(
            0, run({"export", bank_, "NET101A", out, "--format", format, "--include-simulations"}))
            << err_;
        EXPECT_NE(std::string::npos, out_.find("(4 questions, skipped 0)")) << out_;
        std::string written = readBytes(out + "/NET101A" +
                                        (format == std::string("gift")  ? ".gift"
                                         : format == std::string("qti") ? ".zip"
                                                                        : ".xml"));
        if (format == std::string("qti")) {
            xbase::Result<ZipArchive> zip = ZipArchive::open(written, "x.zip");
            ASSERT_TRUE(zip.isOk());
            written = zip->read("items/Q004.xml").value().value_or("");
        }
        EXPECT_NE(std::string::npos, written.find("Open the port settings")) << format;
        // Read back, the steps are a text without answers: skipped, named.
        const std::string again = (root_ / ("again-" + std::string(format))).string();
        ASSERT_EQ(0, run({"init", again}));
        ASSERT_EQ(0, run({"import", again,
                          out + "/NET101A" +
                              (format == std::string("gift")  ? ".gift"
                               : format == std::string("qti") ? ".zip"
                                                              : ".xml")}))
            << err_;
        EXPECT_NE(std::string::npos, out_.find("took 3 questions, skipped 1"))
            << format << ": " << out_;
        EXPECT_NE(std::string::npos, err_.find("skipped \"Configure a port\""))
            << format << ": " << err_;
    }
}

TEST_F(InterchangeBank, FilesFromOtherProjects) {
    ASSERT_TRUE(fs::is_directory(kSamples))
        << kSamples << " holds the question files of other projects";
    // Two true/false questions with their pictures embedded.
    ASSERT_EQ(0, run({"import", bank_, (kSamples / "moodle_truefalse.xml").string(), "--course",
                      "MOODLE", "--exam", "TF"}))
        << err_;
    const std::vector<Stored> tf = stored("TF");
    ASSERT_EQ(2u, tf.size());
    EXPECT_EQ("Moodle acronym (False)", tf[0].title);
    EXPECT_EQ("FALSE", tf[0].key);
    EXPECT_EQ("TRUE", tf[1].key);
    EXPECT_EQ("Moodle\xA0 is an acronym for Modular Object-Oriented Dynamic Learning Education.",
              tf[0].text);
    EXPECT_EQ("logo.jpg", tf[0].picture);
    EXPECT_EQ(0u, tf[0].pictureBytes.find("\xFF\xD8\xFF")) << "the JPEG decoded from base64";
    EXPECT_EQ("For further information, see the documentation about Moodle.", tf[0].reference);
    EXPECT_EQ("TrueFalse", examTitle(bank_, "TF"));

    // Nine questions the bank holds among fourteen it does not.
    ASSERT_EQ(0,
              run({"import", bank_, (kSamples / "sonsoleslp_moodlexml-to-json_test.xml").string(),
                   "--course", "MOODLE", "--exam", "MIXED"}))
        << err_;
    EXPECT_NE(std::string::npos, out_.find("took 9 questions, skipped 14")) << out_;
    std::map<int, int> types;
    for (const Stored& s : stored("MIXED")) ++types[s.type];
    EXPECT_EQ((std::map<int, int>{{0, 3}, {1, 3}, {5, 3}}), types);

    // A QTI item of another authoring tool, with Windows line breaks.
    ASSERT_EQ(0, run({"import", bank_, (kSamples / "onyx_Choicemultiple_871212949.xml").string(),
                      (kSamples / "onyx_TextEntry_883368511.xml").string(), "--course", "ONYX"}))
        << err_;
    EXPECT_NE(
        std::string::npos,
        err_.find(
            "onyx_TextEntry_883368511.xml: skipped \"textEntry\": a textEntryInteraction item"))
        << err_;
    const std::vector<Stored> onyx = stored("ONYX_CHOIC");
    ASSERT_EQ(1u, onyx.size());
    EXPECT_EQ(5, onyx[0].type);
    EXPECT_EQ("Welche Naturr\xE4ume finden sich im Freistaat Sachsen?", onyx[0].text);
    EXPECT_EQ((std::vector<std::string>{"Erzgebirge", "Lausitz", "Vogtland", "Harz", "Alpen"}),
              onyx[0].rows);
    EXPECT_EQ("7", onyx[0].key);
}

}  // namespace
}  // namespace zentrix::banktool
