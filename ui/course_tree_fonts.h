#pragma once

// The four fonts of the course tree, chosen by font number: 1 level one
// (courses), 2 level two (exams), 3 level three (questions), 4 the special
// font of the mixed-exam rows. Any other number draws in the level-one font.

#include <QColor>
#include <QFont>

namespace zentrix::ui {

struct CourseTreeFont {
    QFont font;
    QColor color;
};

class CourseTreeFonts {
public:
    static constexpr int kLevel1 = 1;
    static constexpr int kLevel2 = 2;
    static constexpr int kLevel3 = 3;
    static constexpr int kSpecial = 4;

    CourseTreeFonts();
    const CourseTreeFont& font(int fontNumber) const;

private:
    CourseTreeFont fonts_[4];
};

}  // namespace zentrix::ui
