#include "demo/tools/screenshot_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "demo/tools/demo_palette.h"

namespace zentrix::demo {
namespace {

using P = DemoPalette;
constexpr int W = ScreenshotPainter::kWidth;
constexpr int H = ScreenshotPainter::kHeight;

// The simulated desktop's own widget colours: neutral greys, so that the
// application looks like a program on screen rather than part of the engine.
const QColor kWindow(246, 246, 247);
const QColor kChrome(228, 229, 232);
const QColor kBorder(184, 186, 192);
const QColor kText(40, 42, 48);
const QColor kGrey(150, 152, 158);
const QColor kSelect(206, 226, 246);
const QColor kFocus(52, 120, 200);

QImage screen() {
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(kWindow);
    return image;
}

void begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

void text(QPainter& p, const QRectF& area, const QString& s, int size = 12, bool bold = false,
          const QColor& colour = kText, int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setPen(colour);
    p.setFont(P::font(size, bold));
    p.drawText(area, flags, s);
}

void titleBar(QPainter& p, const QString& title) {
    p.fillRect(QRect(0, 0, W, 28), kChrome);
    p.setPen(kBorder);
    p.drawLine(0, 28, W, 28);
    text(p, QRectF(0, 0, W, 28), title, 12, true, kText, Qt::AlignCenter);
    p.setPen(QPen(kGrey, 1.6));
    p.drawLine(QPointF(W - 20, 9), QPointF(W - 11, 18));
    p.drawLine(QPointF(W - 11, 9), QPointF(W - 20, 18));
}

void field(QPainter& p, const QRectF& box, const QString& value, bool enabled,
           bool focused = false) {
    QPainterPath path;
    path.addRoundedRect(box, 3, 3);
    p.fillPath(path, enabled ? Qt::white : QColor(234, 235, 237));
    p.setPen(QPen(focused ? kFocus : kBorder, focused ? 2 : 1));
    p.drawPath(path);
    text(p, box.adjusted(8, 0, -4, 0), value, 12, false, enabled ? kText : kGrey);
}

void pushButton(QPainter& p, const QRectF& box, const QString& caption, bool primary) {
    QPainterPath path;
    path.addRoundedRect(box, 4, 4);
    p.fillPath(path, primary ? kFocus : QColor(252, 252, 252));
    p.setPen(QPen(primary ? kFocus.darker(120) : kBorder, 1));
    p.drawPath(path);
    text(p, box, caption, 12, primary, primary ? Qt::white : kText, Qt::AlignCenter);
}

void radio(QPainter& p, QPointF centre, const QString& caption, bool checked, bool hover = false) {
    if (hover) p.fillRect(QRectF(centre.x() - 10, centre.y() - 10, 160, 20), kSelect);
    p.setBrush(Qt::white);
    p.setPen(QPen(checked ? kFocus : kGrey, 1.4));
    p.drawEllipse(centre, 7, 7);
    if (checked) {
        p.setBrush(kFocus);
        p.setPen(Qt::NoPen);
        p.drawEllipse(centre, 3.5, 3.5);
    }
    p.setBrush(Qt::NoBrush);
    text(p, QRectF(centre.x() + 14, centre.y() - 10, 160, 20), caption);
}

// ---- network settings -------------------------------------------------------

enum class Method { Automatic, Manual, Applied };

QImage settings(Method method) {
    QImage image = screen();
    QPainter p(&image);
    begin(p);
    titleBar(p, QStringLiteral("Wired connection 1 \u2014 Settings"));
    p.fillRect(QRect(0, 29, 130, H - 29), kChrome);
    const QString tabs[] = {QStringLiteral("Details"), QStringLiteral("Identity"),
                            QStringLiteral("IPv4"), QStringLiteral("IPv6"),
                            QStringLiteral("Security")};
    for (int i = 0; i < 5; ++i) {
        const QRectF row(0, 40 + i * 30, 130, 28);
        if (i == 2) p.fillRect(row, kSelect);
        text(p, row.adjusted(16, 0, 0, 0), tabs[i], 12, i == 2);
    }
    const bool manual = method != Method::Automatic;
    text(p, QRectF(146, 36, 300, 20), QStringLiteral("IPv4 Method"), 12, true);
    radio(p, QPointF(160, 68), QStringLiteral("Automatic (DHCP)"), !manual);
    radio(p, QPointF(160, 89), QStringLiteral("Manual (static)"), manual);
    radio(p, QPointF(160, 110), QStringLiteral("Disabled"), false);
    text(p, QRectF(146, 132, 300, 20), QStringLiteral("Addresses"), 12, true);
    text(p, QRectF(156, 158, 80, 24), QStringLiteral("Address"), 12, false, manual ? kText : kGrey);
    text(p, QRectF(156, 190, 80, 24), QStringLiteral("Netmask"), 12, false, manual ? kText : kGrey);
    text(p, QRectF(156, 222, 80, 24), QStringLiteral("Gateway"), 12, false, manual ? kText : kGrey);
    field(p, QRectF(240, 158, 180, 24),
          method == Method::Applied ? QStringLiteral("192.168.100.125") : QString(), manual,
          method == Method::Manual);
    field(p, QRectF(240, 190, 180, 24), manual ? QStringLiteral("255.255.255.0") : QString(),
          manual);
    field(p, QRectF(240, 222, 180, 24), manual ? QStringLiteral("192.168.100.1") : QString(),
          manual);
    text(p, QRectF(432, 158, 160, 24), manual ? QString() : QStringLiteral("set by DHCP"), 11,
         false, kGrey);
    pushButton(p, QRectF(400, 280, 80, 26), QStringLiteral("Cancel"), false);
    pushButton(p, QRectF(496, 280, 88, 26), QStringLiteral("Apply"), true);
    if (method == Method::Applied) {
        QPainterPath toast;
        toast.addRoundedRect(QRectF(146, 256, 240, 50), 6, 6);
        p.fillPath(toast, QColor(224, 242, 230));
        p.setPen(QPen(P::good(), 1.2));
        p.drawPath(toast);
        text(p, QRectF(158, 258, 224, 22), QStringLiteral("Connection activated"), 12, true,
             P::good().darker(130));
        text(p, QRectF(158, 278, 224, 22), QStringLiteral("IPv4 192.168.100.125/24"), 11, false,
             kText);
    }
    return image;
}

// ---- file manager -------------------------------------------------------------

struct Item {
    QString name;
    bool folder;
};

void folderIcon(QPainter& p, const QRectF& box, bool highlighted) {
    QPainterPath tab;
    tab.addRoundedRect(QRectF(box.x(), box.y(), box.width() * 0.45, 10), 2, 2);
    const QColor tone = highlighted ? QColor(70, 150, 230) : QColor(96, 160, 214);
    p.fillPath(tab, tone.darker(115));
    QPainterPath body;
    body.addRoundedRect(QRectF(box.x(), box.y() + 6, box.width(), box.height() - 6), 3, 3);
    p.fillPath(body, tone);
}

void documentIcon(QPainter& p, const QRectF& box, const QString& name) {
    QPainterPath page;
    page.moveTo(box.x() + 6, box.y());
    page.lineTo(box.right() - 14, box.y());
    page.lineTo(box.right() - 4, box.y() + 10);
    page.lineTo(box.right() - 4, box.bottom());
    page.lineTo(box.x() + 6, box.bottom());
    page.closeSubpath();
    p.fillPath(page, Qt::white);
    p.setPen(QPen(kBorder, 1.2));
    p.drawPath(page);
    QColor band = QColor(120, 130, 140);
    if (name.endsWith(QLatin1String(".ods"))) band = QColor(58, 160, 90);
    if (name.endsWith(QLatin1String(".odt"))) band = QColor(60, 120, 200);
    p.fillRect(QRectF(box.x() + 6, box.bottom() - 12, box.width() - 10, 8), band);
    p.setPen(QPen(QColor(200, 202, 206), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(box.x() + 11, box.y() + 12 + i * 6),
                   QPointF(box.right() - 10, box.y() + 12 + i * 6));
}

// Cell c of the icon grid: five columns of 90 by 86 from (150, 70).
QRectF cell(int c) { return QRectF(150 + (c % 5) * 90, 70 + (c / 5) * 86, 90, 86); }

QImage files(const QString& place, const std::vector<Item>& items, int selected, int dropTarget,
             const QString& status) {
    QImage image = screen();
    QPainter p(&image);
    begin(p);
    titleBar(p, QStringLiteral("Files \u2014 ") + place);
    p.fillRect(QRect(0, 29, W, 28), QColor(238, 239, 241));
    pushButton(p, QRectF(8, 33, 26, 20), QStringLiteral("\u2039"), false);
    pushButton(p, QRectF(38, 33, 26, 20), QStringLiteral("\u203a"), false);
    field(p, QRectF(140, 32, 300, 22),
          place == QLatin1String("Home") ? QStringLiteral("Home")
                                         : QStringLiteral("Home  \u203a  Documents"),
          true);
    p.fillRect(QRect(0, 57, 130, H - 57), kChrome);
    const QString places[] = {QStringLiteral("Home"), QStringLiteral("Desktop"),
                              QStringLiteral("Documents"), QStringLiteral("Downloads"),
                              QStringLiteral("Trash")};
    for (int i = 0; i < 5; ++i) {
        const QRectF row(0, 64 + i * 28, 130, 26);
        if (places[i] == place) p.fillRect(row, kSelect);
        text(p, row.adjusted(16, 0, 0, 0), places[i], 12, places[i] == place);
    }
    for (int i = 0; i < int(items.size()); ++i) {
        const QRectF c = cell(i);
        if (i == selected) {
            QPainterPath path;
            path.addRoundedRect(c.adjusted(4, 2, -4, -2), 6, 6);
            p.fillPath(path, kSelect);
        }
        if (i == dropTarget) {
            QPainterPath path;
            path.addRoundedRect(c.adjusted(4, 2, -4, -2), 6, 6);
            p.setPen(QPen(kFocus, 2, Qt::DashLine));
            p.drawPath(path);
        }
        const QRectF icon(c.center().x() - 22, c.y() + 8, 44, 44);
        if (items[i].folder)
            folderIcon(p, icon.adjusted(0, 6, 0, 0), i == dropTarget);
        else
            documentIcon(p, icon, items[i].name);
        text(p, QRectF(c.x() + 2, c.y() + 56, c.width() - 4, 28), items[i].name, 10, false, kText,
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere);
    }
    p.fillRect(QRect(130, H - 24, W - 130, 24), QColor(238, 239, 241));
    text(p, QRectF(140, H - 24, W - 150, 24), status, 11, false, kGrey);
    return image;
}

// ---- browser ----------------------------------------------------------------------

enum class Page { NewTab, AddressFocused, Loading, RouterLogin };

QImage browser(Page page) {
    QImage image = screen();
    QPainter p(&image);
    begin(p);
    p.fillRect(QRect(0, 0, W, 30), QColor(222, 224, 228));
    QPainterPath tab;
    tab.addRoundedRect(QRectF(8, 5, 190, 30), 6, 6);
    p.fillPath(tab, kWindow);
    const QString tabTitle = page == Page::RouterLogin ? QStringLiteral("Router administration")
                             : page == Page::Loading   ? QStringLiteral("Connecting\u2026")
                                                       : QStringLiteral("New Tab");
    text(p, QRectF(20, 5, 170, 25), tabTitle, 11);
    p.fillRect(QRect(0, 30, W, 34), kWindow);
    p.setPen(kBorder);
    p.drawLine(0, 64, W, 64);
    const QString arrows[] = {QStringLiteral("\u2190"), QStringLiteral("\u2192"),
                              QStringLiteral("\u21bb")};
    for (int i = 0; i < 3; ++i)
        text(p, QRectF(10 + i * 28, 34, 24, 26), arrows[i], 15, false, kGrey, Qt::AlignCenter);
    const bool focused = page == Page::AddressFocused;
    QPainterPath bar;
    bar.addRoundedRect(QRectF(100, 36, 460, 22), 11, 11);
    p.fillPath(bar, focused ? Qt::white : QColor(236, 237, 240));
    p.setPen(QPen(focused ? kFocus : kBorder, focused ? 2 : 1));
    p.drawPath(bar);
    if (page == Page::NewTab)
        text(p, QRectF(116, 36, 420, 22), QStringLiteral("Search or enter address"), 12, false,
             kGrey);
    if (page == Page::Loading || page == Page::RouterLogin)
        text(p, QRectF(116, 36, 420, 22), QStringLiteral("http://192.168.1.1/"), 12);
    text(p, QRectF(568, 34, 26, 26), QStringLiteral("\u2261"), 16, false, kGrey, Qt::AlignCenter);

    switch (page) {
        case Page::NewTab:
        case Page::AddressFocused: {
            text(p, QRectF(0, 100, W, 40), QStringLiteral("Start page"), 24, true,
                 QColor(120, 124, 132), Qt::AlignCenter);
            const QString tiles[] = {QStringLiteral("Mail"), QStringLiteral("Calendar"),
                                     QStringLiteral("News"), QStringLiteral("Weather")};
            for (int i = 0; i < 4; ++i) {
                QPainterPath tile;
                const QRectF box(120 + i * 95, 170, 80, 70);
                tile.addRoundedRect(box, 8, 8);
                p.fillPath(tile, QColor(232, 234, 238));
                text(p, box.adjusted(0, 40, 0, 0), tiles[i], 11, false, kText,
                     Qt::AlignHCenter | Qt::AlignTop);
                p.setBrush(QColor(190, 196, 206));
                p.setPen(Qt::NoPen);
                p.drawEllipse(QPointF(box.center().x(), box.y() + 24), 13, 13);
            }
            break;
        }
        case Page::Loading: {
            p.setPen(QPen(kFocus, 4, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(W / 2 - 20, 140, 40, 40), 90 * 16, 270 * 16);
            text(p, QRectF(0, 196, W, 24), QStringLiteral("Connecting to 192.168.1.1\u2026"), 13,
                 false, kGrey, Qt::AlignCenter);
            break;
        }
        case Page::RouterLogin: {
            p.fillRect(QRectF(0, 65, W, 40), QColor(30, 58, 90));
            text(p, QRectF(20, 65, W, 40),
                 QStringLiteral("OfficeLink AX1800  \u00b7  Router administration"), 14, true,
                 Qt::white);
            QPainterPath box;
            box.addRoundedRect(QRectF(170, 122, 260, 176), 8, 8);
            p.fillPath(box, Qt::white);
            p.setPen(QPen(kBorder, 1));
            p.drawPath(box);
            text(p, QRectF(190, 130, 220, 26), QStringLiteral("Sign in"), 15, true);
            text(p, QRectF(190, 160, 220, 16), QStringLiteral("User name"), 10, false, kGrey);
            field(p, QRectF(190, 176, 220, 24), QStringLiteral("admin"), true);
            text(p, QRectF(190, 204, 220, 16), QStringLiteral("Password"), 10, false, kGrey);
            field(p, QRectF(190, 220, 220, 24), QString(), true);
            pushButton(p, QRectF(310, 258, 100, 28), QStringLiteral("Sign in"), true);
            break;
        }
    }
    return image;
}

std::vector<NamedPicture> numbered(const QString& simulation, const std::vector<QImage>& frames) {
    std::vector<NamedPicture> named;
    for (size_t i = 0; i < frames.size(); ++i)
        named.push_back(
            {simulation + QLatin1Char('-') + QString::number(i + 1) + QStringLiteral(".png"),
             frames[i]});
    return named;
}

}  // namespace

std::vector<NamedPicture> ScreenshotPainter::staticAddress() {
    return numbered(
        QStringLiteral("static-address"),
        {settings(Method::Automatic), settings(Method::Manual), settings(Method::Applied)});
}

std::vector<NamedPicture> ScreenshotPainter::fileManager() {
    const std::vector<Item> home = {
        {QStringLiteral("Desktop"), true},   {QStringLiteral("Documents"), true},
        {QStringLiteral("Downloads"), true}, {QStringLiteral("Music"), true},
        {QStringLiteral("Pictures"), true},  {QStringLiteral("Videos"), true}};
    const std::vector<Item> documents = {{QStringLiteral("Archive"), true},
                                         {QStringLiteral("Invoices"), true},
                                         {QStringLiteral("budget-2024.ods"), false},
                                         {QStringLiteral("letter-to-landlord.odt"), false},
                                         {QStringLiteral("notes.txt"), false}};
    std::vector<Item> moved = documents;
    moved.erase(moved.begin() + 2);
    return numbered(QStringLiteral("file-manager"),
                    {files(QStringLiteral("Home"), home, -1, -1, QStringLiteral("6 folders")),
                     files(QStringLiteral("Documents"), documents, -1, -1,
                           QStringLiteral("2 folders, 3 files")),
                     files(QStringLiteral("Documents"), documents, 2, 0,
                           QStringLiteral("Moving \u201cbudget-2024.ods\u201d")),
                     files(QStringLiteral("Documents"), moved, -1, -1,
                           QStringLiteral("\u201cbudget-2024.ods\u201d moved to Archive"))});
}

std::vector<NamedPicture> ScreenshotPainter::routerPage() {
    return numbered(QStringLiteral("router-page"),
                    {browser(Page::NewTab), browser(Page::AddressFocused), browser(Page::Loading),
                     browser(Page::RouterLogin)});
}

std::vector<NamedPicture> ScreenshotPainter::all() {
    std::vector<NamedPicture> every;
    for (auto&& part : {staticAddress(), fileManager(), routerPage()})
        every.insert(every.end(), part.begin(), part.end());
    return every;
}

}  // namespace zentrix::demo
