#include "engine/skin_loader.h"

#include <QFile>

#include "engine/dialog_service.h"
#include "engine/require_graphic.h"
#include "platform/profile_store.h"

namespace zentrix::engine {
namespace {

constexpr const char* kMisc = "Misc";
constexpr const char* kBackGrounds = "BackGrounds";

QByteArray readWholeFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

SkinLoader::SkinLoader(platform::ProfileStore& profiles, DialogService& dialogs)
    : profiles_(profiles), dialogs_(dialogs) {}

Skin SkinLoader::LoadSkin(const std::string& folder) {
    const std::string scheme = folder + kSchemeFileName;
    Skin skin;
    skin.colors = readColors(scheme);
    readBackgrounds(scheme, skin.backgrounds);
    readPictures(folder, scheme, skin);
    return skin;
}

ColorNumber SkinLoader::readTriple(const std::string& scheme, const char* name,
                                   int fallbackComponent, ColorNumber fallback) {
    const std::string prefix = std::string(name) + " Color ";
    const int red = profiles_.readInteger(scheme, kMisc, prefix + "Red", fallbackComponent);
    const int green = profiles_.readInteger(scheme, kMisc, prefix + "Green", fallbackComponent);
    const int blue = profiles_.readInteger(scheme, kMisc, prefix + "Blue", fallbackComponent);
    return ColorNumberFromTriple(red, green, blue).value_or(fallback);
}

SkinColors SkinLoader::readColors(const std::string& scheme) {
    SkinColors colors;
    colors.dark = readTriple(scheme, "Dark", 166, 0x02808080);
    colors.light = readTriple(scheme, "Light", 255, 0x02BFBFBF);
    colors.medium = readTriple(scheme, "Medium", 191, 0x02A6A6A6);
    // Stored as colour numbers already; taken as they are.
    colors.topBar = static_cast<ColorNumber>(
        profiles_.readInteger(scheme, kMisc, "TopBarColor", SkinColors::kDefaultTopBarColor));
    colors.field = static_cast<ColorNumber>(
        profiles_.readInteger(scheme, kMisc, "FieldColor", SkinColors::kDefaultFieldColor));
    return colors;
}

void SkinLoader::readBackgrounds(const std::string& scheme, BackgroundTable& table) {
    for (int i = 0; i < BackgroundTable::kEntryCount; ++i) {
        const std::string value =
            profiles_.readString(scheme, kBackGrounds, table.entry(i).key, "");
        if (!value.empty()) table.setFileName(i, value);
    }
}

void SkinLoader::readPictures(const std::string& folder, const std::string& scheme, Skin& skin) {
    for (const SkinPictureKey& key : kSkinPictureKeys) {
        const std::string name =
            key.picture == SkinPicture::ScorePopupBackground
                ? skin.backgrounds.entry(BackgroundTable::kScorePopupEntry).fileName
                : profiles_.readString(scheme, key.section, key.key, "");
        const std::string path = folder + name;
        const bool present = key.required ? RequireGraphic(path, dialogs_) : IsExistingFile(path);
        if (!present) continue;
        skin.pictures[key.picture] = path;
        if (key.picture == SkinPicture::Correct) skin.correctStream = readWholeFile(path);
        if (key.picture == SkinPicture::Incorrect) skin.incorrectStream = readWholeFile(path);
    }
}

}  // namespace zentrix::engine
