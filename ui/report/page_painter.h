#pragma once

// Painting finished pages: onto any painter whose user unit is one point,
// into a picture at a chosen resolution, and page by page onto a paged
// device (a PDF writer or a printer).

#include <QImage>

#include "base/status.h"
#include "ui/report/rendered_report.h"

class QPainter;
class QPagedPaintDevice;

namespace zentrix::report {

// Paints page `index` of `report`. The painter must map one point to the
// device already (scale by dpi / 72); its state is restored afterwards.
void PaintPage(QPainter& painter, const RenderedReport& report, int index);

// Page `index` on white at `dpi` dots per inch.
QImage RenderPageImage(const RenderedReport& report, int index, double dpi);

// Paints pages `first` to `last` (0-based, inclusive; cut to the pages there
// are) onto a device that is not painted on yet, one device page each. The
// device's page layout is set to each page's size without margins.
base::Status PaintPages(QPagedPaintDevice& device, const RenderedReport& report, int first,
                        int last);

}  // namespace zentrix::report
