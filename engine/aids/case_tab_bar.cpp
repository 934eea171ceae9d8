#include "engine/aids/case_tab_bar.h"

namespace zentrix::engine::aids {

void CaseTabBar::SetTabSize(QSize size) {
    if (size == tabSize_) return;
    tabSize_ = size;
    // Ask the bar to lay its tabs out again with the new hint.
    setIconSize(iconSize());
    updateGeometry();
    update();
}

QSize CaseTabBar::tabSizeHint(int index) const {
    return QTabBar::tabSizeHint(index).expandedTo(tabSize_);
}

QSize CaseTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

}  // namespace zentrix::engine::aids
