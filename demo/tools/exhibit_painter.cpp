#include "demo/tools/exhibit_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "demo/tools/demo_palette.h"

namespace zentrix::demo {
namespace {

using P = DemoPalette;

QImage canvas(int width, int height, const QColor& fill = P::panel()) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// A pale wash of a colour, for fills behind dark text.
QColor tint(const QColor& tone, double amount = 0.2) {
    return QColor::fromRgbF(1 - (1 - tone.redF()) * amount, 1 - (1 - tone.greenF()) * amount,
                            1 - (1 - tone.blueF()) * amount);
}

// A device in a diagram: a rounded box with a name and, below it, a detail line.
void device(QPainter& p, const QRectF& box, const QString& name, const QString& detail,
            const QColor& tone) {
    QPainterPath path;
    path.addRoundedRect(box, 6, 6);
    p.fillPath(path, tint(tone));
    p.setPen(QPen(tone, 1.6));
    p.drawPath(path);
    p.setPen(P::ink());
    p.setFont(P::font(12, true));
    if (detail.isEmpty()) {
        p.drawText(box, Qt::AlignCenter, name);
        return;
    }
    p.drawText(box.adjusted(2, 2, -2, -box.height() / 2), Qt::AlignCenter, name);
    p.setPen(P::text());
    p.setFont(P::font(10));
    p.drawText(box.adjusted(2, box.height() / 2 - 2, -2, -2), Qt::AlignCenter, detail);
}

void link(QPainter& p, QPointF from, QPointF to, const QColor& colour = P::slate()) {
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

void cloud(QPainter& p, const QRectF& box, const QString& text) {
    QPainterPath path;
    const double w = box.width(), h = box.height();
    path.addEllipse(QRectF(box.x(), box.y() + h * 0.3, w * 0.45, h * 0.6));
    path.addEllipse(QRectF(box.x() + w * 0.25, box.y(), w * 0.5, h * 0.75));
    path.addEllipse(QRectF(box.x() + w * 0.55, box.y() + h * 0.25, w * 0.45, h * 0.65));
    path.setFillRule(Qt::WindingFill);
    p.fillPath(path.simplified(), P::tealLight());
    p.setPen(QPen(P::teal(), 1.6));
    p.drawPath(path.simplified());
    p.setPen(P::ink());
    p.setFont(P::font(13, true));
    p.drawText(box, Qt::AlignCenter, text);
}

void caption(QPainter& p, const QRectF& area, const QString& text, int size = 11, bool bold = false,
             const QColor& colour = P::muted()) {
    p.setPen(colour);
    p.setFont(P::font(size, bold));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

// A dark terminal window with a title bar; returns the text area.
QRect terminalFrame(QPainter& p, const QRect& area, const QString& title) {
    p.fillRect(area, QColor(34, 40, 48));
    p.fillRect(QRect(area.left(), area.top(), area.width(), 24), QColor(58, 66, 78));
    const QColor lights[] = {QColor(224, 96, 86), QColor(230, 180, 70), QColor(96, 184, 110)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lights[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(area.left() + 14 + i * 16, area.top() + 12), 5, 5);
    }
    p.setPen(QColor(206, 214, 224));
    p.setFont(P::font(11));
    p.drawText(QRect(area.left(), area.top(), area.width(), 24), Qt::AlignCenter, title);
    return area.adjusted(10, 30, -10, -6);
}

void terminalLines(QPainter& p, const QRect& area, const QStringList& lines, int size = 12) {
    p.setFont(P::mono(size));
    const int step = size + 4;
    int y = area.top();
    for (const QString& line : lines) {
        QColor colour(214, 222, 230);
        if (line.startsWith(QLatin1Char('$'))) colour = QColor(132, 210, 160);
        if (line.startsWith(QLatin1String("  PID"))) colour = QColor(20, 26, 32);
        if (line.startsWith(QLatin1String("  PID")))
            p.fillRect(QRect(area.left() - 4, y, area.width() + 8, step), QColor(190, 200, 210));
        p.setPen(colour);
        p.drawText(QRect(area.left(), y, area.width(), step), Qt::AlignLeft | Qt::AlignVCenter,
                   line);
        y += step;
    }
}

}  // namespace

std::vector<NamedPicture> ExhibitPainter::all() {
    return {
        {QStringLiteral("office-network.jpg"), officeNetwork()},
        {QStringLiteral("top-terminal.jpg"), topTerminal()},
        {QStringLiteral("subnet-mask.png"), subnetMask()},
        {QStringLiteral("gateway-path.png"), gatewayPath()},
        {QStringLiteral("permission-bits.png"), permissionBits()},
        {QStringLiteral("journal-filters.png"), journalFilters()},
        {QStringLiteral("clinic-network.png"), clinicNetwork()},
    };
}

QImage ExhibitPainter::officeNetwork() {
    QImage image = canvas(580, 340);
    QPainter p(&image);
    begin(p);
    caption(p, QRectF(0, 8, 580, 22), QStringLiteral("Exhibit: office network"), 14, true,
            P::ink());
    cloud(p, QRectF(215, 34, 150, 70), QStringLiteral("Internet"));
    const QPointF router(290, 148), sw(290, 226);
    link(p, QPointF(290, 98), router);
    link(p, router, sw);
    const QString pcs[] = {QStringLiteral("PC1"), QStringLiteral("PC2"), QStringLiteral("PC3"),
                           QStringLiteral("Printer")};
    const QString addrs[] = {QStringLiteral("192.168.1.11"), QStringLiteral("192.168.1.12"),
                             QStringLiteral("192.168.1.13"), QStringLiteral("192.168.1.50")};
    for (int i = 0; i < 4; ++i) {
        const double x = 80 + i * 140;
        link(p, sw, QPointF(x, 290));
    }
    device(p, QRectF(215, 124, 150, 48), QStringLiteral("Router"),
           QStringLiteral("LAN 192.168.1.1/24"), P::slate());
    device(p, QRectF(230, 206, 120, 40), QStringLiteral("Switch"), QStringLiteral("24 ports"),
           P::teal());
    for (int i = 0; i < 4; ++i) {
        const double x = 80 + i * 140;
        device(p, QRectF(x - 55, 272, 110, 44), pcs[i], addrs[i],
               i == 3 ? P::amber() : P::slateLight());
    }
    caption(p, QRectF(390, 130, 180, 40), QStringLiteral("WAN: public address\nfrom the provider"),
            10);
    caption(p, QRectF(0, 320, 580, 18),
            QStringLiteral("All hosts: mask 255.255.255.0, gateway 192.168.1.1"), 10);
    return image;
}

QImage ExhibitPainter::topTerminal() {
    QImage image = canvas(600, 330, QColor(222, 230, 238));
    QPainter p(&image);
    begin(p);
    const QRect text = terminalFrame(p, QRect(8, 8, 584, 314), QStringLiteral("admin@web01: ~"));
    terminalLines(
        p, text,
        {QStringLiteral(
             "top - 10:42:07 up 12 days,  3:15,  2 users,  load average: 3.91, 3.40, 2.87"),
         QStringLiteral("Tasks: 187 total,   3 running, 184 sleeping,   0 stopped,   0 zombie"),
         QStringLiteral("%Cpu(s): 88.6 us,  6.1 sy,  0.0 ni,  4.2 id,  0.9 wa,  0.0 hi,  0.2 si"),
         QStringLiteral("MiB Mem :  7841.2 total,   412.6 free,  5120.3 used,  2308.3 buff/cache"),
         QStringLiteral("MiB Swap:  2048.0 total,  1980.4 free,    67.6 used.  2311.9 avail Mem"),
         QString(),
         QStringLiteral("  PID USER      PR  NI    RES  S  %CPU  %MEM     TIME+ COMMAND"),
         QStringLiteral(" 8123 backup     20   0   3.1m  R  97.3   0.0   4:12.55 gzip"),
         QStringLiteral(" 1544 postgres   20   0 912.4m  S  61.8  11.6  88:03.12 postgres"),
         QStringLiteral(" 8120 backup     20   0   4.0m  S  12.0   0.1   0:31.40 backup.sh"),
         QStringLiteral("  902 www-data   20   0  64.2m  S   6.3   0.8  12:45.09 nginx"),
         QStringLiteral("  688 root       20   0   9.8m  S   0.3   0.1   0:04.77 sshd"),
         QStringLiteral("    1 root       20   0  12.9m  S   0.0   0.2   0:09.61 systemd")},
        11);
    return image;
}

QImage ExhibitPainter::subnetMask() {
    QImage image = canvas(420, 120);
    QPainter p(&image);
    begin(p);
    const QString bytes[] = {QStringLiteral("11111111"), QStringLiteral("11111111"),
                             QStringLiteral("11111111"), QStringLiteral("11100000")};
    const QString values[] = {QStringLiteral("255"), QStringLiteral("255"), QStringLiteral("255"),
                              QStringLiteral("224")};
    p.setFont(P::mono(14, true));
    for (int b = 0; b < 4; ++b) {
        for (int i = 0; i < 8; ++i) {
            const bool one = bytes[b][i] == QLatin1Char('1');
            const QRectF cell(14 + b * 100 + i * 11.5, 24, 11, 26);
            p.fillRect(cell, one ? P::teal() : QColor(226, 232, 238));
            p.setPen(one ? Qt::white : P::muted());
            p.drawText(cell, Qt::AlignCenter, bytes[b].mid(i, 1));
        }
        caption(p, QRectF(14 + b * 100, 54, 92, 20), values[b], 13, true, P::ink());
    }
    caption(p, QRectF(0, 4, 420, 18), QStringLiteral("255.255.255.224"), 12, true, P::ink());
    caption(p, QRectF(0, 80, 420, 36),
            QStringLiteral("27 network bits (teal) and 5 host bits: prefix /27, 30 hosts"), 11);
    return image;
}

QImage ExhibitPainter::gatewayPath() {
    QImage image = canvas(460, 130);
    QPainter p(&image);
    begin(p);
    link(p, QPointF(90, 50), QPointF(230, 50));
    link(p, QPointF(230, 50), QPointF(370, 50));
    device(p, QRectF(20, 28, 110, 44), QStringLiteral("PC2"), QStringLiteral("192.168.1.12"),
           P::slateLight());
    device(p, QRectF(175, 28, 110, 44), QStringLiteral("Router"), QStringLiteral("192.168.1.1"),
           P::slate());
    device(p, QRectF(330, 28, 110, 44), QStringLiteral("Server"), QStringLiteral("203.0.113.80"),
           P::teal());
    caption(p, QRectF(10, 80, 220, 44),
            QStringLiteral("Frame to the router's MAC\npacket to 203.0.113.80"), 10, true,
            P::slate());
    caption(p, QRectF(240, 80, 210, 44),
            QStringLiteral("New frame for the next hop,\nsame destination IP"), 10, false);
    return image;
}

QImage ExhibitPainter::permissionBits() {
    QImage image = canvas(420, 120);
    QPainter p(&image);
    begin(p);
    struct Part {
        QString bits;
        QString name;
        QColor tone;
    } parts[] = {{QStringLiteral("-"), QStringLiteral("type"), P::muted()},
                 {QStringLiteral("rw-"), QStringLiteral("owner"), P::slate()},
                 {QStringLiteral("r--"), QStringLiteral("group"), P::teal()},
                 {QStringLiteral("---"), QStringLiteral("others"), P::amber()}};
    double x = 30;
    for (const Part& part : parts) {
        const double w = part.bits.size() * 26 + 16;
        QPainterPath path;
        path.addRoundedRect(QRectF(x, 18, w, 44), 6, 6);
        p.fillPath(path, tint(part.tone, 0.25));
        p.setPen(QPen(part.tone, 1.5));
        p.drawPath(path);
        p.setPen(P::ink());
        p.setFont(P::mono(24, true));
        p.drawText(QRectF(x, 18, w, 44), Qt::AlignCenter, part.bits);
        caption(p, QRectF(x - 10, 66, w + 20, 18), part.name, 11, true, part.tone.darker(120));
        x += w + 14;
    }
    caption(p, QRectF(0, 92, 420, 20), QStringLiteral("r = 4   w = 2   x = 1      here: 640"), 11);
    return image;
}

QImage ExhibitPainter::journalFilters() {
    QImage image = canvas(460, 150, QColor(222, 230, 238));
    QPainter p(&image);
    begin(p);
    const QRect text = terminalFrame(p, QRect(4, 4, 452, 142), QStringLiteral("journalctl"));
    terminalLines(p, text,
                  {QStringLiteral("$ journalctl -u nginx -b"),
                   QStringLiteral("Mar 04 08:01:12 web01 systemd[1]: Starting nginx..."),
                   QStringLiteral("Mar 04 08:01:12 web01 nginx[902]: configuration ok"),
                   QStringLiteral("Mar 04 08:01:13 web01 systemd[1]: Started nginx."),
                   QStringLiteral("Mar 04 09:17:40 web01 nginx[902]: upstream timed out")},
                  11);
    return image;
}

QImage ExhibitPainter::clinicNetwork() {
    QImage image = canvas(460, 230);
    QPainter p(&image);
    begin(p);
    cloud(p, QRectF(170, 4, 120, 52), QStringLiteral("Internet"));
    link(p, QPointF(230, 52), QPointF(230, 78));
    link(p, QPointF(230, 110), QPointF(230, 130));
    link(p, QPointF(230, 150), QPointF(80, 178));
    link(p, QPointF(230, 150), QPointF(230, 178));
    link(p, QPointF(230, 150), QPointF(380, 178));
    device(p, QRectF(160, 70, 140, 42), QStringLiteral("Router / firewall"),
           QStringLiteral("NAT, VLAN 10 20 30"), P::slate());
    device(p, QRectF(170, 128, 120, 32), QStringLiteral("Managed switch"), QString(), P::teal());
    device(p, QRectF(10, 176, 140, 46), QStringLiteral("VLAN 10 Staff"),
           QStringLiteral("10.0.10.0/24, servers"), P::slateLight());
    device(p, QRectF(160, 176, 140, 46), QStringLiteral("VLAN 20 Reception"),
           QStringLiteral("10.0.20.0/24"), P::amber());
    device(p, QRectF(310, 176, 140, 46), QStringLiteral("VLAN 30 Guests"),
           QStringLiteral("not in use yet"), P::muted());
    return image;
}

}  // namespace zentrix::demo
