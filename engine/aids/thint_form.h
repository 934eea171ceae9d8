#pragma once

#include "engine/aids/study_text_window.h"

namespace zentrix::engine::aids {

// "Hint": the question's Hint field in the viewer `Hint`.
class THintForm : public StudyTextWindow {
public:
    explicit THintForm(QWidget* owner = nullptr)
        : StudyTextWindow(QStringLiteral("Hint"), QStringLiteral("Hint"), owner) {}
    ui::RichTextViewer* Hint() const { return viewer(); }
};

}  // namespace zentrix::engine::aids
