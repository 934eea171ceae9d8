#pragma once

#include "engine/aids/study_text_window.h"

namespace zentrix::engine::aids {

// "References": the question's REF field in the viewer `Help`.
class TRefForm : public StudyTextWindow {
public:
    explicit TRefForm(QWidget* owner = nullptr)
        : StudyTextWindow(QStringLiteral("References"), QStringLiteral("Help"), owner) {}
    ui::RichTextViewer* Help() const { return viewer(); }
};

}  // namespace zentrix::engine::aids
