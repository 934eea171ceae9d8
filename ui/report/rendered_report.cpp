#include "ui/report/rendered_report.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace zentrix::report {

void Translate(PageCommand& command, double dx, double dy) {
    std::visit(
        [&](auto& c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, TextCommand>) {
                c.baseline += QPointF(dx, dy);
            } else if constexpr (std::is_same_v<T, LineCommand>) {
                c.from += QPointF(dx, dy);
                c.to += QPointF(dx, dy);
            } else if constexpr (std::is_same_v<T, RectCommand> || std::is_same_v<T, ClipCommand>) {
                c.rect.translate(dx, dy);
            } else {
                c.target.translate(dx, dy);
            }
        },
        command);
}

int RenderedReport::fontIndex(const ReportFont& given) {
    // Fonts are kept at a size the saved-report file can hold.
    ReportFont font = given;
    font.pointSize =
        std::isfinite(font.pointSize)
            ? std::clamp(font.pointSize, ReportFont::kMinPointSize, ReportFont::kMaxPointSize)
            : 10.0;
    const auto found = std::find(fonts.begin(), fonts.end(), font);
    if (found != fonts.end()) return static_cast<int>(found - fonts.begin());
    fonts.push_back(font);
    return static_cast<int>(fonts.size()) - 1;
}

QString RenderedReport::pageText(int page) const {
    QString out;
    if (page < 0 || page >= static_cast<int>(pages.size())) return out;
    double lastBaseline = -1;
    for (const PageCommand& command : pages[page].commands) {
        const auto* text = std::get_if<TextCommand>(&command);
        if (!text) continue;
        if (!out.isEmpty()) {
            if (text->baseline.y() != lastBaseline) {
                out += QLatin1Char('\n');
            } else if (!out.back().isSpace() && !text->text.startsWith(QLatin1Char(' '))) {
                out += QLatin1Char(' ');  // the next column, or a run after its neighbour
            }
        }
        out += text->text;
        lastBaseline = text->baseline.y();
    }
    return out;
}

}  // namespace zentrix::report
