#pragma once

#include <QSize>
#include <QTabBar>

namespace zentrix::engine::aids {

// The case-study window's tab bar: every tab is at least TabSize() big, a
// size the window only ever grows.
class CaseTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit CaseTabBar(QWidget* parent = nullptr) : QTabBar(parent) {}

    QSize TabSize() const { return tabSize_; }
    void SetTabSize(QSize size);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;

private:
    QSize tabSize_;
};

}  // namespace zentrix::engine::aids
