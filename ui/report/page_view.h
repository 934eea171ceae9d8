#pragma once

// One page of a finished report at a zoom factor (1.0 shows it at its real
// size on this screen). The page is drawn once per page and zoom into a
// cached picture; repaints copy from it.

#include <QImage>
#include <QWidget>

#include "ui/report/rendered_report.h"

namespace zentrix::report {

class PageView : public QWidget {
    Q_OBJECT
public:
    static constexpr double kMaxSide = 8000;  // pixels
    explicit PageView(const RenderedReport& report, QWidget* parent = nullptr);

    void setPage(int index);
    int page() const { return page_; }
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // The zoom at which the whole page fits `area` pixels.
    double zoomToFit(const QSize& area) const;

    QSize sizeHint() const override;
    // The page as it is shown now (for tests and render checks).
    QImage shownPage();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double pixelsPerPoint() const;
    void ensureCache();

    const RenderedReport& report_;
    int page_ = 0;
    double zoom_ = 1.0;
    QImage cache_;
    int cachedPage_ = -1;
    double cachedScale_ = 0;
};

}  // namespace zentrix::report
