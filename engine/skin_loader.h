#pragma once

// Reads the skin of a graphics folder: `folder` + "scheme.ini" for colours,
// background names and picture names; every picture path is `folder` + the
// name read. A missing scheme.ini reads as all defaults. Each required
// picture that is missing is reported once through the dialog service and
// left out of the skin; loading always completes.

#include <string>

#include "engine/skin.h"

namespace zentrix::platform {
class ProfileStore;
}

namespace zentrix::engine {

class DialogService;

class SkinLoader {
public:
    static constexpr const char* kSchemeFileName = "scheme.ini";

    SkinLoader(platform::ProfileStore& profiles, DialogService& dialogs);

    // `folder` ends with a path separator (or is empty: the current folder).
    Skin LoadSkin(const std::string& folder);

private:
    SkinColors readColors(const std::string& scheme);
    ColorNumber readTriple(const std::string& scheme, const char* name, int fallbackComponent,
                           ColorNumber fallback);
    void readBackgrounds(const std::string& scheme, BackgroundTable& table);
    void readPictures(const std::string& folder, const std::string& scheme, Skin& skin);

    platform::ProfileStore& profiles_;
    DialogService& dialogs_;
};

}  // namespace zentrix::engine
