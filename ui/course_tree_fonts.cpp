#include "ui/course_tree_fonts.h"

namespace zentrix::ui {
namespace {

CourseTreeFont makeFont(int pixelSize, bool bold, QColor color) {
    CourseTreeFont result;
    result.font.setPixelSize(pixelSize);
    result.font.setBold(bold);
    result.color = color;
    return result;
}

}  // namespace

CourseTreeFonts::CourseTreeFonts() {
    const QColor navy(0, 0, 128);
    fonts_[0] = makeFont(16, true, navy);
    fonts_[1] = makeFont(13, false, navy);
    fonts_[2] = makeFont(11, false, navy);
    fonts_[3] = makeFont(13, true, QColor(255, 0, 0));
}

const CourseTreeFont& CourseTreeFonts::font(int fontNumber) const {
    if (fontNumber < kLevel1 || fontNumber > kSpecial) return fonts_[0];
    return fonts_[fontNumber - 1];
}

}  // namespace zentrix::ui
