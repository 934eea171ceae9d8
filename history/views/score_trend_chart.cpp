#include "history/views/score_trend_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace zentrix::history::views {
namespace {

double Percent(const ShownAttempt& a) { return a.taken > 0 ? 100.0 * a.right / a.taken : 0.0; }

}  // namespace

std::vector<ShownAttempt> ChronologicalAttempts(std::vector<ShownAttempt> attempts) {
    std::stable_sort(attempts.begin(), attempts.end(),
                     [](const ShownAttempt& a, const ShownAttempt& b) {
                         return a.date != b.date ? a.date < b.date : a.start < b.start;
                     });
    return attempts;
}

ScoreTrendChart::ScoreTrendChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Scores over the attempts"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(110);
}

void ScoreTrendChart::setAttempts(const std::vector<ShownAttempt>& attempts) {
    attempts_ = ChronologicalAttempts(attempts);
    QStringList description;
    for (const ShownAttempt& a : attempts_)
        description << QStringLiteral("%1%").arg(Percent(a), 0, 'f', 0);
    setAccessibleDescription(attempts_.empty() ? QStringLiteral("No attempts")
                                               : QStringLiteral("Percent correct, oldest first: ") +
                                                     description.join(QStringLiteral(", ")));
    update();
}

void ScoreTrendChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const QRectF plot = QRectF(rect()).adjusted(40, 14, -12, -18);
    const QFontMetrics metrics(font());
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(plot);
    const auto yOf = [&](double percent) {
        return plot.bottom() - plot.height() * percent / 100.0;
    };
    for (int mark : {0, 50, 100}) {
        const double y = yOf(mark);
        painter.setPen(QColor(110, 110, 110));
        const QString label = QStringLiteral("%1%").arg(mark);
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(label),
                                 y + metrics.ascent() / 2.0 - 1),
                         label);
    }
    painter.setPen(QPen(QColor(31, 58, 104), 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), yOf(80)), QPointF(plot.right(), yOf(80)));
    painter.drawText(
        QPointF(plot.right() - metrics.horizontalAdvance(QStringLiteral("pass mark 80%")) - 4,
                yOf(80) - 3),
        QStringLiteral("pass mark 80%"));

    if (attempts_.empty()) {
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No attempts yet"));
        return;
    }
    const int n = static_cast<int>(attempts_.size());
    const auto xOf = [&](int i) {
        return n == 1 ? plot.center().x() : plot.left() + 10 + (plot.width() - 20) * i / (n - 1);
    };
    QPainterPath line;
    for (int i = 0; i < n; ++i) {
        const QPointF point(xOf(i), yOf(Percent(attempts_[i])));
        i == 0 ? line.moveTo(point) : line.lineTo(point);
    }
    painter.setPen(QPen(QColor(80, 80, 120), 1.5));
    painter.drawPath(line);
    for (int i = 0; i < n; ++i) {
        const double percent = Percent(attempts_[i]);
        const QPointF point(xOf(i), yOf(percent));
        const QColor color = percent >= 80 ? QColor(22, 110, 56) : QColor(168, 32, 32);
        painter.setPen(QPen(color.darker(120), 1));
        painter.setBrush(color);
        painter.drawEllipse(point, 4, 4);
    }
    painter.setPen(QColor(110, 110, 110));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), 16), Qt::AlignLeft,
                     QStringLiteral("oldest"));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), 16), Qt::AlignRight,
                     QStringLiteral("newest"));
}

}  // namespace zentrix::history::views
