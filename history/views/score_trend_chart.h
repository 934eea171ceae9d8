#pragma once

// A small chart under the history grid: the percentage correct of each
// attempt shown, oldest at the left and newest at the right, with the 80%
// pass mark as a line, so that progress is seen at a glance.

#include <QWidget>
#include <vector>

#include "history/views/history_grid.h"

namespace zentrix::history::views {

// The attempts in the order the chart draws them: by day and start time.
std::vector<ShownAttempt> ChronologicalAttempts(std::vector<ShownAttempt> attempts);

class ScoreTrendChart : public QWidget {
    Q_OBJECT
public:
    explicit ScoreTrendChart(QWidget* parent = nullptr);

    void setAttempts(const std::vector<ShownAttempt>& attempts);
    const std::vector<ShownAttempt>& attempts() const { return attempts_; }

    QSize sizeHint() const override { return QSize(560, 120); }
    QSize minimumSizeHint() const override { return QSize(200, 90); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ShownAttempt> attempts_;
};

}  // namespace zentrix::history::views
