#pragma once

// What a loaded skin holds: colours, the background table, the full paths
// of the pictures that were found, and the two feedback pictures as bytes.
// A picture that is absent here keeps the control's built-in look.

#include <QByteArray>
#include <map>
#include <string>

#include "engine/background_table.h"
#include "engine/skin_colors.h"
#include "engine/skin_picture.h"

namespace zentrix::engine {

struct Skin {
    SkinColors colors;
    BackgroundTable backgrounds;
    std::map<SkinPicture, std::string> pictures;
    QByteArray correctStream;
    QByteArray incorrectStream;

    bool hasPicture(SkinPicture picture) const { return pictures.count(picture) != 0; }
    std::string picturePath(SkinPicture picture) const {
        const auto found = pictures.find(picture);
        return found == pictures.end() ? std::string() : found->second;
    }
};

}  // namespace zentrix::engine
