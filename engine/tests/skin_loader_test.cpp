#include "engine/skin_loader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "engine/recording_dialog_service.h"
#include "platform/profile_store.h"

namespace zentrix::engine {
namespace {

using Event = RecordingDialogService::Event;

class SkinLoaderTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.path().toStdString() + "/"; }
    void writeScheme(const std::string& text) { writeFile("scheme.ini", text.c_str()); }
    void writeFile(const std::string& name, const QByteArray& bytes) {
        QFile file(QString::fromStdString(folder() + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    Skin load() {
        SkinLoader loader(profiles, dialogs);
        return loader.LoadSkin(folder());
    }

    QTemporaryDir dir;
    platform::TextProfileStore profiles;
    RecordingDialogService dialogs;
};

TEST_F(SkinLoaderTest, ColoursFollowDefaultsRangesAndFallbacks) {
    struct ColourCase {
        const char* name;
        const char* scheme;
        ColorNumber dark, light, medium, topBar, field;
    };
    const ColorNumber defTop = SkinColors::kDefaultTopBarColor;
    const ColorNumber defField = SkinColors::kDefaultFieldColor;
    const ColourCase cases[] = {
        {"no Misc section", "[BackGrounds]\n", 0x02A6A6A6, 0x02FFFFFF, 0x02BFBFBF, defTop,
         defField},
        {"dark red of 300 takes the fallback, not the default", "[Misc]\nDark Color Red=300\n",
         0x02808080, 0x02FFFFFF, 0x02BFBFBF, defTop, defField},
        {"negative light component takes the fallback", "[Misc]\nLight Color Blue=-1\n", 0x02A6A6A6,
         0x02BFBFBF, 0x02BFBFBF, defTop, defField},
        {"medium out of range", "[Misc]\nMedium Color Green=256\n", 0x02A6A6A6, 0x02FFFFFF,
         0x02A6A6A6, defTop, defField},
        {"components are stored blue green red",
         "[Misc]\nDark Color Red=1\nDark Color Green=2\nDark Color Blue=3\n", 0x02030201,
         0x02FFFFFF, 0x02BFBFBF, defTop, defField},
        {"bar colours are taken as stored", "[Misc]\nTopBarColor=123\nFieldColor=0\n", 0x02A6A6A6,
         0x02FFFFFF, 0x02BFBFBF, 123, 0},
    };
    for (const ColourCase& c : cases) {
        writeScheme(c.scheme);
        const SkinColors colors = load().colors;
        EXPECT_EQ(colors.dark, c.dark) << c.name;
        EXPECT_EQ(colors.light, c.light) << c.name;
        EXPECT_EQ(colors.medium, c.medium) << c.name;
        EXPECT_EQ(colors.topBar, c.topBar) << c.name;
        EXPECT_EQ(colors.field, c.field) << c.name;
    }
    EXPECT_EQ(ColorFromNumber(SkinColors::kDefaultTopBarColor), QColor(123, 198, 206));
    EXPECT_EQ(ColorFromNumber(SkinColors::kDefaultFieldColor), QColor(148, 140, 181));
}

TEST_F(SkinLoaderTest, BackgroundNamesAreReplacedAndCutToSixtyCharacters) {
    const std::string longName = std::string(70, 'b') + ".jpg";
    writeScheme("[BackGrounds]\nMainInterface=" + longName +
                "\nExamResults=results.png\nQVTestType=\n");
    const Skin skin = load();
    EXPECT_EQ(*skin.backgrounds.fileNameFor(ScreenId::MainInterface), longName.substr(0, 60));
    EXPECT_EQ(*skin.backgrounds.fileNameFor(ScreenId::ExamResults), "results.png");
    EXPECT_EQ(*skin.backgrounds.fileNameFor(ScreenId::QVTestType), "TestTypeSelectionBKG.jpg")
        << "an empty value keeps the default";
    EXPECT_EQ(skin.backgrounds.entry(11).fileName, "RptPopBkg.Gif");
    EXPECT_FALSE(skin.backgrounds.fileNameFor(ScreenId::None).has_value());
}

TEST_F(SkinLoaderTest, EmptyGraphicsFolderReportsEachRequiredPictureOnceAndCompletes) {
    const Skin skin = load();
    const std::vector<QString> missing = dialogs.texts(Event::MissingGraphic);
    ASSERT_EQ(missing.size(), 19u);
    // Keys without a value give the bare folder; the score popup has a default name.
    EXPECT_EQ(missing.front(), QString::fromStdString(folder()));
    EXPECT_EQ(std::count(missing.begin(), missing.end(),
                         QString::fromStdString(folder() + "RptPopBkg.Gif")),
              1);
    EXPECT_TRUE(skin.pictures.empty());
    EXPECT_TRUE(skin.correctStream.isEmpty());
}

TEST_F(SkinLoaderTest, PresentPicturesAreKeptAndFeedbackPicturesLoadedWhole) {
    writeScheme(
        "[Test Screen]\nCorrect=ok.gif\nIncorrect=bad.gif\nbtnMark=mark.png\n"
        "[Misc]\nbtnHelp=help.png\n"
        "[JumpTo]\nBackground=jump.gif\nBtnOk=missing-ok.png\n");
    for (const char* name : {"ok.gif", "bad.gif", "mark.png", "help.png", "jump.gif"}) {
        writeFile(name, QByteArray("picture:") + name);
    }
    const Skin skin = load();
    EXPECT_EQ(skin.correctStream, QByteArray("picture:ok.gif"));
    EXPECT_EQ(skin.incorrectStream, QByteArray("picture:bad.gif"));
    EXPECT_EQ(skin.picturePath(SkinPicture::MarkButton), folder() + "mark.png");
    EXPECT_EQ(skin.picturePath(SkinPicture::HelpButton), folder() + "help.png");
    EXPECT_EQ(skin.picturePath(SkinPicture::JumpToBackground), folder() + "jump.gif");
    EXPECT_FALSE(skin.hasPicture(SkinPicture::JumpToOk));
    EXPECT_EQ(dialogs.count(Event::MissingGraphic), 19 - 4)
        << "missing jump-to pictures are not reported";
}

}  // namespace
}  // namespace zentrix::engine
