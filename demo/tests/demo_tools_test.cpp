// The demo's build-time tools on small fixtures: figure placeholders in rich
// text, case-study descriptions and tables, and the installer's registry
// entry as the engine reads it back.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "demo/tools/case_study_builder.h"
#include "demo/tools/demo_installer.h"
#include "demo/tools/rtf_picture_expander.h"
#include "engine/engine_folders.h"
#include "questionbank/case_study_table.h"
#include "xbase/engine.h"

namespace zentrix::demo {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class RtfPictureExpanderTest : public ::testing::Test {
protected:
    void SetUp() override {
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("dot.png"))));
        writeFile(dir.filePath(QStringLiteral("notes.txt")), "not a picture");
    }
    QTemporaryDir dir;
};

TEST_F(RtfPictureExpanderTest, EmbedsFiguresAndRefusesWhatItCannot) {
    struct Case {
        const char* name;
        QByteArray text;
        bool ok;
        const char* contains;  // in the output, or in the message
    };
    const Case cases[] = {
        {"text without placeholders is unchanged", "{\\rtf1 plain}", true, "{\\rtf1 plain}"},
        {"a placeholder becomes a png picture group", "{\\rtf1 a @RTF_PICTURE(dot.png)@ b}", true,
         "{\\pict\\pngblip\\picw3\\pich2\\picwgoal45\\pichgoal30"},
        {"two placeholders on separate lines", "@RTF_PICTURE(dot.png)@\n@RTF_PICTURE( dot.png )@",
         true, "}\n{\\pict"},
        {"a missing picture names the source", "x\n@RTF_PICTURE(gone.png)@", false, "source.rtf: "},
        {"a file that is no picture", "@RTF_PICTURE(notes.txt)@", false, "not a picture"},
        {"a placeholder left open on its line", "@RTF_PICTURE(dot.png\n)@", false, "source.rtf:1:"},
    };
    const RtfPictureExpander expander{QDir(dir.path())};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto out = expander.expand(c.text, QStringLiteral("source.rtf"));
        ASSERT_EQ(out.isOk(), c.ok) << (out.isOk() ? std::string() : out.message());
        if (c.ok) {
            EXPECT_TRUE(out.value().contains(c.contains)) << out.value().left(120).toStdString();
            EXPECT_FALSE(out.value().contains("@RTF_PICTURE"));
        } else {
            EXPECT_NE(out.message().find(c.contains), std::string::npos) << out.message();
        }
    }
}

TEST_F(RtfPictureExpanderTest, TheEmbeddedBytesAreThePictureFile) {
    auto group = RtfPictureExpander(QDir(dir.path())).pictureGroup(QStringLiteral("dot.png"));
    ASSERT_TRUE(group.isOk()) << group.message();
    QByteArray hex = group.value().mid(group.value().indexOf("\r\n"));
    hex.chop(1);  // the closing brace
    hex.replace("\r\n", "");
    QFile file(dir.filePath(QStringLiteral("dot.png")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QByteArray::fromHex(hex), file.readAll());
}

class CaseStudyBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(dir.filePath(QStringLiteral("a.rtf")), "{\\rtf1 first tab}");
        writeFile(dir.filePath(QStringLiteral("b.rtf")), "{\\rtf1 second tab}");
    }
    xbase::Result<CaseStudyTableSource> parse(const QByteArray& json) {
        return CaseStudyBuilder::parse(json, QDir(dir.path()));
    }
    QTemporaryDir dir;
};

TEST_F(CaseStudyBuilderTest, RefusesDescriptionsTheTableCannotHold) {
    const QByteArray tab = R"({"name": "Overview", "file": "a.rtf"})";
    auto one = [&](const QByteArray& body) {
        return R"({"table": "x/EXAMc.DBF", "cases": [{"number": 1, "course": "C", "title": "T", )" +
               body + "}]}";
    };
    const struct {
        const char* name;
        QByteArray json;
        const char* message;
    } cases[] = {
        {"not JSON", "{", "not valid JSON"},
        {"no table", R"({"cases": []})", "\"table\""},
        {"a table outside the bank", R"({"table": "../up/Xc.DBF", "cases": []})", "\"table\""},
        {"no cases", R"({"table": "Xc.DBF", "cases": []})", "no case study"},
        {"number 0", R"({"table": "x/Xc.DBF", "cases": [{"number": 0, "tabs": [)" + tab + "]}]}",
         "\"number\""},
        {"a misspelt member", one(R"("tab": [)" + tab + "]"), "unknown member \"tab\""},
        {"no tabs", one(R"("tabs": [])"), "1 to 10 tabs"},
        {"eleven tabs", one(R"("tabs": [)" + (tab + ",").repeated(10) + tab + "]"), "1 to 10 tabs"},
        {"a tab name over 15 characters",
         one(R"("tabs": [{"name": "Sixteen chars ab", "file": "a.rtf"}])"), "longer than 15"},
        {"a tab file that is missing", one(R"("tabs": [{"name": "N", "file": "gone.rtf"}])"),
         "cannot be read"},
        {"a title over 30 characters",
         R"({"table": "x/Xc.DBF", "cases": [{"number": 1, "title": "A title of thirty-one characters", "tabs": [)" +
             tab + "]}]}",
         "longer than 30"},
        {"a number used twice",
         R"({"table": "x/Xc.DBF", "cases": [{"number": 4, "tabs": [)" + tab +
             R"(]}, {"number": 4, "tabs": [)" + tab + "]}]}",
         "used twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto parsed = parse(c.json);
        ASSERT_FALSE(parsed.isOk());
        EXPECT_NE(parsed.message().find(c.message), std::string::npos) << parsed.message();
    }
}

TEST_F(CaseStudyBuilderTest, TheEngineFindsEachCaseByItsNumber) {
    auto parsed = parse(R"({"table": "net/NETc.DBF", "cases": [
        {"number": 7, "course": "NETESS", "title": "Seven", "tabs": [{"name": "One", "file": "a.rtf"}]},
        {"number": 12, "course": "NETESS", "title": "Twelve", "tabs": [
            {"name": "One", "file": "a.rtf"}, {"name": "Two", "file": "b.rtf"}]}]})");
    ASSERT_TRUE(parsed.isOk()) << parsed.message();
    const QString database = dir.filePath(QStringLiteral("bank"));
    QDir().mkpath(database + QStringLiteral("/net"));
    ASSERT_TRUE(CaseStudyBuilder::build(parsed.value(), database).isOk());

    xbase::Engine engine;
    questionbank::CaseStudyTable table;
    ASSERT_TRUE(table.open(engine, database.toStdString() + "/net/", "NETc").isOk());
    auto twelve = table.find(12);
    ASSERT_TRUE(twelve.isOk()) << twelve.message();
    EXPECT_EQ(twelve.value().title, "Twelve");
    EXPECT_EQ(twelve.value().courseId, "NETESS");
    EXPECT_EQ(twelve.value().tabCount, 2);
    EXPECT_EQ(twelve.value().tabNames[1], "Two");
    EXPECT_EQ(twelve.value().tabTexts[1], "{\\rtf1 second tab}");
    EXPECT_EQ(table.find(7).value().tabCount, 1);
    EXPECT_FALSE(table.find(1).isOk());  // "1" must not match the key "12"
}

class DemoInstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* part : {"graphics/scheme.ini", "database/ptest.dbf", "help/index.html"})
            writeFile(dir.filePath(QStringLiteral("tree/") + QLatin1String(part)), "built");
        auto made = platform::createPlatform(platform::PlatformPaths::underRoot(root()));
        ASSERT_TRUE(made.isOk()) << made.message();
        platform = std::move(made).value();
    }
    std::string root() const { return dir.filePath(QStringLiteral("root")).toStdString(); }
    std::string tree() const { return dir.filePath(QStringLiteral("tree")).toStdString(); }
    QTemporaryDir dir;
    std::unique_ptr<platform::Platform> platform;
};

TEST_F(DemoInstallerTest, RegistersFoldersTheEngineReadsAndKeepsItsHistoryOnReinstall) {
    DemoInstaller installer(*platform);
    auto installed = installer.install(tree(), "");
    ASSERT_TRUE(installed.isOk()) << installed.message();
    const std::string home = platform->paths.programFilesDir + "/Zentrix Demo/";
    auto folders = engine::ReadEngineFolders(*platform->registry);
    ASSERT_TRUE(folders.has_value());
    EXPECT_EQ(folders->HomeDir, home);
    EXPECT_EQ(folders->GraphicDir, home + "graphics/");
    EXPECT_EQ(folders->DatabaseDir, home + "database/");
    EXPECT_TRUE(std::filesystem::exists(folders->GraphicDir + "scheme.ini"));
    EXPECT_TRUE(std::filesystem::exists(folders->HomeDir + "help/index.html"));

    // What the engine wrote beside the bank survives; the demo's files are renewed.
    std::ofstream(folders->DatabaseDir + "TESTHIST.dbf") << "attempts";
    std::ofstream(folders->DatabaseDir + "ptest.dbf") << "changed";
    ASSERT_TRUE(installer.install(tree(), "").isOk());
    EXPECT_TRUE(std::filesystem::exists(folders->DatabaseDir + "TESTHIST.dbf"));
    std::ifstream bank(folders->DatabaseDir + "ptest.dbf");
    std::string content;
    bank >> content;
    EXPECT_EQ(content, "built");
}

TEST_F(DemoInstallerTest, RefusesAnIncompleteTreeAndWritesNoRegistryEntry) {
    std::filesystem::remove_all(tree() + "/help");
    auto installed = DemoInstaller(*platform).install(tree(), "");
    ASSERT_FALSE(installed.isOk());
    EXPECT_NE(installed.message().find("help/"), std::string::npos) << installed.message();
    EXPECT_FALSE(engine::ReadEngineFolders(*platform->registry).has_value());
}

}  // namespace
}  // namespace zentrix::demo
