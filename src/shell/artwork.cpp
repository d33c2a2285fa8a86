#include "shell/artwork.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zq {
namespace {

QPixmap blank(QSize size, qreal ratio = 1)
{
    QPixmap pm(size * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    return pm;
}

// The "ZQ" mark: two letters on a rounded square.
void drawMark(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0xff, 0x8c, 0x1a));
    g.setColorAt(1, QColor(0xe0, 0x4a, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() * 0.18, r.height() * 0.18);
    QFont f = LegacyFont(GothicFont, 10, true);
    f.setPixelSize(qMax(6, int(r.height() * 0.52)));
    f.setItalic(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("ZQ"));
}

} // namespace

namespace {

constexpr qreal BuiltRatios[] = {1.0, 2.0, 3.0};

QString toolName(ToolIcon kind, qreal ratio)
{
    return QStringLiteral("tool-%1@%2x").arg(int(kind)).arg(int(ratio));
}

// A picture the build drew, if the program carries it and it is of this
// size; null otherwise.
// One of the PNG files the build drew, or null. Read as PNG alone: a reader
// that may find the format out itself loads every image plugin there is to
// ask it first.
QPixmap builtPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QPixmap builtPicture(const QString &name, QSize size, qreal ratio)
{
    if (ratio != qreal(int(ratio)) || ratio < 1 || ratio > 3)
        return {};
    const QString path = QStringLiteral(":/art/%1.png").arg(name);
    if (!QFile::exists(path))
        return {};
    QPixmap pm = builtPng(path);
    if (pm.size() != size * ratio)
        return {};
    pm.setDevicePixelRatio(ratio);
    return pm;
}

QPixmap drawnLogo(QSize size, qreal ratio);
QPixmap drawnToolIcon(ToolIcon kind, qreal ratio);

} // namespace

QSize MenuLogoSize()
{
    return TwipsSize(2760, 1140);
}

QPixmap LogoPicture(QSize size, qreal ratio)
{
    const QPixmap built = builtPicture(QStringLiteral("logo@%1x").arg(int(ratio)), size, ratio);
    return built.isNull() ? drawnLogo(size, ratio) : built;
}

QList<PictureToBuild> PicturesToBuild()
{
    QList<PictureToBuild> pictures;
    for (const qreal ratio : BuiltRatios) {
        for (int kind = int(ToolIcon::Open); kind <= int(ToolIcon::Chart); ++kind)
            pictures.append({toolName(ToolIcon(kind), ratio), drawnToolIcon(ToolIcon(kind), ratio)});
        pictures.append({QStringLiteral("logo@%1x").arg(int(ratio)), drawnLogo(MenuLogoSize(), ratio)});
    }
    return pictures;
}

namespace {

QPixmap drawnLogo(QSize size, qreal ratio)
{
    QPixmap pm = blank(size, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    g.setColorAt(1, QColor(0x0b, 0x2a, 0x4a));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x0b, 0x2a, 0x4a), 1));
    p.drawRoundedRect(r, 8, 8);

    const qreal h = r.height();
    drawMark(p, QRectF(r.left() + h * 0.14, r.top() + h * 0.14, h * 0.72, h * 0.72));

    // Rising bars: figures being added up.
    const qreal base = r.bottom() - h * 0.16;
    const qreal barW = h * 0.08;
    const qreal x0 = r.right() - 6 - barW * 1.7 * 4;
    const QColor bar(0x7f, 0xd3, 0xff);
    for (int i = 0; i < 4; ++i) {
        const qreal bh = h * (0.08 + 0.06 * i);
        p.fillRect(QRectF(x0 + i * barW * 1.7, base - bh, barW, bh), bar);
    }

    QFont title = LegacyFont(PGothicFont, 10, true);
    title.setPixelSize(qMax(8, int(h * 0.2)));
    p.setFont(title);
    p.setPen(Qt::white);
    const QRectF text(r.left() + h * 0.95, r.top() + h * 0.12, r.width() - h * 0.95 - 6, h * 0.42);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("加算・集計器"));
    QFont sub = LegacyFont(PGothicFont, 8);
    sub.setPixelSize(qMax(7, int(h * 0.12)));
    p.setFont(sub);
    p.setPen(QColor(0xc8, 0xdc, 0xf0));
    p.drawText(QRectF(text.left(), text.bottom(), text.width(), h * 0.3),
               Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Adder & Tally"));
    return pm;
}

} // namespace

QPixmap AdderTitlePicture(QSize size, qreal ratio)
{
    QPixmap pm = blank(size, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    drawMark(p, QRectF(1, 1, h - 2, h - 2));
    QFont f = LegacyFont(PGothicFont, 14, true);
    f.setPixelSize(qMax(8, int(h * 0.55)));
    p.setFont(f);
    p.setPen(QColor(0x1d, 0x4e, 0x89));
    p.drawText(QRectF(h + 6, 0, size.width() - h - 6, h), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("加算機"));
    // A strip of tape running under the title.
    p.setPen(QPen(QColor(0xe0, 0x4a, 0x10), 2));
    p.drawLine(QPointF(h + 6, h - 3), QPointF(size.width() - 4, h - 3));
    return pm;
}

QPixmap MachinePicture(QSize size, qreal ratio)
{
    QPixmap pm = blank(size, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, QColor(0x4a, 0x55, 0x63));
    body.setColorAt(1, QColor(0x2b, 0x32, 0x3b));
    p.setBrush(body);
    p.setPen(QPen(QColor(0x1a, 0x1f, 0x25), 1));
    p.drawRoundedRect(r, 10, 10);

    // Name plate and power lamp at the top left, clear of the displays.
    QFont f = LegacyFont(GothicFont, 9, true);
    f.setPixelSize(qMax(7, int(r.height() * 0.09)));
    p.setFont(f);
    p.setPen(QColor(0xd8, 0xde, 0xe6));
    p.drawText(QRectF(r.left() + 12, r.top() + 4, r.width() * 0.45, r.height() * 0.14),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZQ ADDER"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5c, 0xe0, 0x6b));
    p.drawEllipse(QPointF(r.left() + 12, r.top() + r.height() * 0.26), 3, 3);

    // A few keys at the bottom left.
    const qreal key = qMax(6.0, r.height() * 0.1);
    p.setBrush(QColor(0xe9, 0xec, 0xef));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(r.left() + 8 + col * (key + 3),
                                     r.bottom() - 8 - (3 - row) * (key + 3) + 3, key, key),
                              2, 2);
    return pm;
}

QPixmap VersionPicture(QSize size, qreal ratio)
{
    QPixmap pm = blank(size, ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = qMin(size.width(), size.height());
    drawMark(p, QRectF((size.width() - s) / 2 + 1, (size.height() - s) / 2 + 1, s - 2, s - 2));
    return pm;
}

QPixmap IconPicture(int size)
{
    QPixmap pm = blank(QSize(size, size));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal margin = size / 16.0;
    drawMark(p, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    return pm;
}

static void drawToolIcon(QPainter &p, ToolIcon kind)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x2b, 0x32, 0x3b);
    p.setPen(QPen(ink, 1));
    switch (kind) {
    case ToolIcon::Open: {
        p.setBrush(QColor(0xf5, 0xc2, 0x42));
        QPainterPath path;
        path.moveTo(1.5, 4.5);
        path.lineTo(6, 4.5);
        path.lineTo(7.5, 6);
        path.lineTo(14.5, 6);
        path.lineTo(14.5, 13.5);
        path.lineTo(1.5, 13.5);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case ToolIcon::Save:
        p.setBrush(QColor(0x3a, 0x6e, 0xa5));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case ToolIcon::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0x9a, 0xa5, 0xb1));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case ToolIcon::Calculator:
        p.setBrush(QColor(0x4a, 0x55, 0x63));
        p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
        p.setBrush(QColor(0xc8, 0xf0, 0xc8));
        p.drawRect(QRectF(4.5, 2.5, 7, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(4.5 + col * 2.5, 7.5 + row * 2.5, 1.6, 1.6));
        break;
    case ToolIcon::Help: {
        p.setBrush(QColor(0x1d, 0x6f, 0xd1));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont f = LegacyFont(GothicFont, 9, true);
        f.setPixelSize(11);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case ToolIcon::Preview: // a page under a magnifying glass
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 0.5, 10, 13));
        p.setPen(QPen(QColor(0x9a, 0xa5, 0xb1), 1));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(3.5, 3 + 2.2 * i), QPointF(9.5, 3 + 2.2 * i));
        p.setPen(QPen(ink, 1.6));
        p.setBrush(QColor(0xc8, 0xe6, 0xff, 200));
        p.drawEllipse(QRectF(6.5, 6.5, 6, 6));
        p.drawLine(QPointF(11.8, 11.8), QPointF(15, 15));
        break;
    case ToolIcon::Pdf: { // a page with a red band
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd3, 0x2f, 0x2f));
        p.drawRect(QRectF(0.5, 7, 15, 6));
        QFont f = LegacyFont(GothicFont, 5, true);
        f.setPixelSize(5);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0.5, 7, 15, 6), Qt::AlignCenter, QStringLiteral("PDF"));
        break;
    }
    case ToolIcon::Csv: // a sheet of cells
        p.setBrush(Qt::white);
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 1));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(0.5, 1.5 + 3.25 * i), QPointF(15.5, 1.5 + 3.25 * i));
        p.drawLine(QPointF(5.5, 1.5), QPointF(5.5, 14.5));
        p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 14.5));
        break;
    case ToolIcon::Chart: // bars and a line
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x6e, 0xa5));
        p.drawRect(QRectF(2, 8, 3, 7));
        p.drawRect(QRectF(6.5, 5, 3, 10));
        p.drawRect(QRectF(11, 9, 3, 6));
        p.setPen(QPen(QColor(0xe0, 0x4a, 0x10), 1.5));
        p.drawPolyline(QPolygonF({QPointF(1, 6), QPointF(8, 2), QPointF(15, 5)}));
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(0.5, 15.5), QPointF(15.5, 15.5));
        break;
    }
}

namespace {

QPixmap drawnToolIcon(ToolIcon kind, qreal ratio)
{
    QPixmap pm = blank(QSize(16, 16), ratio);
    QPainter p(&pm);
    drawToolIcon(p, kind);
    return pm;
}

} // namespace

QIcon ToolbarIcon(ToolIcon kind)
{
    QIcon icon;
    for (const qreal ratio : BuiltRatios) {
        const QPixmap built = builtPicture(toolName(kind, ratio), QSize(16, 16), ratio);
        icon.addPixmap(built.isNull() ? drawnToolIcon(kind, ratio) : built);
    }
    return icon;
}

QIcon ProgramIcon()
{
    QIcon icon;
    // Up to 128 pixels: every window sends each size to the X server, and a
    // 256-pixel one would add 256 KB to that and 1 MB to the memory it takes
    // at its peak. Launchers take the installed icon, which has 256 too.
    for (int size : {16, 24, 32, 48, 64, 128}) {
        // The programs carry the pictures the build drew; reading them is
        // far quicker than drawing them again at every start.
        const QString built = QStringLiteral(":/icons/%1x%1/apps/org.zq.ZQ.png").arg(size);
        const QPixmap picture = builtPng(built);
        if (picture.size() == QSize(size, size))
            icon.addPixmap(picture);
        else
            icon.addPixmap(IconPicture(size));
    }
    return icon;
}

} // namespace zq
