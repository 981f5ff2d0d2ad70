// Drawing the program's pictures. Everything is painted here so that no picture file has to
// be shipped or found at run time.
#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace Artwork {

namespace {

constexpr int kGlyphSize = 64;

QPixmap transparentCanvas(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void antialias(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPainterPath heartPath(const QRectF& r)
{
    const qreal x = r.left(), y = r.top(), w = r.width(), h = r.height();
    QPainterPath path;
    path.moveTo(x + w / 2, y + h * 0.28);
    path.cubicTo(x + w * 0.45, y + h * 0.02, x, y - h * 0.02, x, y + h * 0.33);
    path.cubicTo(x, y + h * 0.6, x + w * 0.3, y + h * 0.76, x + w / 2, y + h);
    path.cubicTo(x + w * 0.7, y + h * 0.76, x + w, y + h * 0.6, x + w, y + h * 0.33);
    path.cubicTo(x + w, y - h * 0.02, x + w * 0.55, y + h * 0.02, x + w / 2, y + h * 0.28);
    path.closeSubpath();
    return path;
}

QPen outline(const QColor& c, qreal width = 2.5)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawHome(QPainter& p)
{
    p.setPen(outline(QColor(0x8a, 0x4b, 0x2a)));
    p.setBrush(QColor(0xf6, 0xd5, 0x8e));
    p.drawRect(QRectF(15, 30, 34, 26));
    p.setBrush(QColor(0x8a, 0x5a, 0x2b));
    p.drawRect(QRectF(28, 40, 9, 16));
    p.setBrush(QColor(0x9c, 0xd3, 0xf0));
    p.drawRect(QRectF(39, 36, 7, 7));
    p.setPen(outline(QColor(0x9b, 0x22, 0x1b)));
    p.setBrush(QColor(0xe0, 0x45, 0x35));
    p.drawPolygon(QPolygonF({QPointF(6, 32), QPointF(32, 8), QPointF(58, 32), QPointF(52, 34),
                             QPointF(32, 16), QPointF(12, 34)}));
}

void drawPerson(QPainter& p, qreal cx, qreal top, qreal scale, const QColor& color)
{
    p.setPen(outline(color.darker(140), 2));
    p.setBrush(color);
    p.drawEllipse(QPointF(cx, top + 10 * scale), 10 * scale, 10 * scale);
    QPainterPath body;
    body.moveTo(cx - 19 * scale, top + 44 * scale);
    body.cubicTo(cx - 19 * scale, top + 24 * scale, cx + 19 * scale, top + 24 * scale, cx + 19 * scale,
                 top + 44 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

void drawSubjects(QPainter& p)
{
    drawPerson(p, 42, 10, 0.85, QColor(0x7f, 0xb8, 0xe8));
    drawPerson(p, 26, 14, 1.0, QColor(0x2f, 0x6f, 0xc4));
}

void drawTesting(QPainter& p)
{
    p.setPen(outline(QColor(0x7b, 0x5e, 0x45)));
    p.setBrush(QColor(0xf7, 0xee, 0xdc));
    p.drawRoundedRect(QRectF(12, 10, 40, 48), 4, 4);
    p.setBrush(QColor(0x60, 0x7d, 0x8b));
    p.setPen(outline(QColor(0x37, 0x47, 0x4f), 2));
    p.drawRoundedRect(QRectF(23, 5, 18, 10), 3, 3);
    p.setPen(QPen(QColor(0x1e, 0x9e, 0x4a), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(20, 34), QPointF(29, 44), QPointF(45, 24)}));
}

void drawResults(QPainter& p)
{
    p.setPen(outline(QColor(0x6d, 0x7b, 0x86)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10, 6, 34, 46));
    p.setPen(outline(QColor(0x9e, 0xb2, 0xc0), 2.5));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(16, 16 + i * 8), QPointF(38 - (i % 2) * 8, 16 + i * 8));
    p.setPen(QPen(QColor(0xd9, 0x4f, 0x1e), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 48), QPointF(58, 58));
    p.setPen(outline(QColor(0xd9, 0x4f, 0x1e), 4));
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(QPointF(41, 40), 11, 11);
}

void drawAnalysis(QPainter& p)
{
    p.setPen(outline(QColor(0x55, 0x5f, 0x68), 3));
    p.drawLine(QPointF(8, 6), QPointF(8, 56));
    p.drawLine(QPointF(8, 56), QPointF(58, 56));
    p.setPen(outline(QColor(0, 0, 0, 60), 1.5));
    const QColor colours[] = {QColor(0xe6, 0x7e, 0x22), QColor(0x27, 0xae, 0x60), QColor(0x29, 0x80, 0xb9)};
    const qreal heights[] = {18, 30, 42};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(14 + i * 14, 54 - heights[i], 10, heights[i]));
    }
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(14, 30), QPointF(30, 22), QPointF(42, 16), QPointF(56, 6)}));
}

void drawReports(QPainter& p)
{
    p.setPen(outline(QColor(0x78, 0x80, 0x88), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 6, 28, 20));
    p.setPen(outline(QColor(0x37, 0x47, 0x4f)));
    p.setBrush(QColor(0x54, 0x6e, 0x7a));
    p.drawRoundedRect(QRectF(6, 22, 52, 24), 5, 5);
    p.setBrush(QColor(0x8b, 0xc3, 0x4a));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(50, 30), 3, 3);
    p.setPen(outline(QColor(0x78, 0x80, 0x88), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(16, 38, 32, 20));
    p.setPen(outline(QColor(0x9e, 0xb2, 0xc0), 2));
    p.drawLine(QPointF(21, 45), QPointF(43, 45));
    p.drawLine(QPointF(21, 51), QPointF(37, 51));
}

void drawMaintenance(QPainter& p)
{
    const QColor body(0x16, 0xa0, 0x85);
    p.setPen(outline(body.darker(150)));
    for (int i = 2; i >= 0; --i) {
        const qreal top = 10 + i * 14;
        QPainterPath drum;
        drum.moveTo(12, top + 6);
        drum.lineTo(12, top + 18);
        drum.arcTo(QRectF(12, top + 12, 40, 12), 180, 180);
        drum.lineTo(52, top + 6);
        drum.closeSubpath();
        p.setBrush(body.lighter(100 + i * 12));
        p.drawPath(drum);
        p.setBrush(body.lighter(135 + i * 12));
        p.drawEllipse(QRectF(12, top, 40, 12));
    }
}

void drawSettings(QPainter& p)
{
    const QPointF c(32, 32);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = i * M_PI / teeth;
        const qreal half = M_PI / teeth / 2;
        const qreal r = (i % 2 == 0) ? 27 : 20;
        const QPointF a(c.x() + r * qCos(angle - half), c.y() + r * qSin(angle - half));
        const QPointF b(c.x() + r * qCos(angle + half), c.y() + r * qSin(angle + half));
        if (i == 0)
            gear.moveTo(a);
        else
            gear.lineTo(a);
        gear.lineTo(b);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 8, 8);
    p.setPen(outline(QColor(0x4b, 0x55, 0x5e), 2));
    QLinearGradient g(0, 6, 0, 58);
    g.setColorAt(0, QColor(0xb4, 0xbe, 0xc6));
    g.setColorAt(1, QColor(0x6f, 0x7b, 0x85));
    p.setBrush(g);
    p.drawPath(gear.subtracted(hole));
}

void drawExit(QPainter& p)
{
    const QColor red(0xd6, 0x2d, 0x20);
    p.setPen(QPen(red, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10, 12, 44, 44), 120 * 16, -300 * 16);
    p.drawLine(QPointF(32, 6), QPointF(32, 32));
}

QPixmap drawGlyph(Glyph glyph)
{
    QPixmap pixmap = transparentCanvas(kGlyphSize, kGlyphSize);
    QPainter p(&pixmap);
    antialias(p);
    switch (glyph) {
    case Glyph::Home:
        drawHome(p);
        break;
    case Glyph::Subjects:
        drawSubjects(p);
        break;
    case Glyph::Testing:
        drawTesting(p);
        break;
    case Glyph::Results:
        drawResults(p);
        break;
    case Glyph::Analysis:
        drawAnalysis(p);
        break;
    case Glyph::Reports:
        drawReports(p);
        break;
    case Glyph::Maintenance:
        drawMaintenance(p);
        break;
    case Glyph::Settings:
        drawSettings(p);
        break;
    case Glyph::Exit:
        drawExit(p);
        break;
    }
    return pixmap;
}

// A washed-out grey copy, for the glyphs that have their own disabled image.
QPixmap greyed(const QPixmap& source)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 150 + qGray(line[x]) * 90 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 3);
        }
    }
    return QPixmap::fromImage(image);
}

void drawHeart(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(heartPath(r));
}

} // namespace

QFont titleFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("华文新魏"), QStringLiteral("STXinwei"), QStringLiteral("AR PL UKai CN"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    return font;
}

QFont uiFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Microsoft YaHei")});
    font.setPixelSize(pixelSize);
    return font;
}

QIcon toolbarGlyph(Glyph glyph)
{
    const QPixmap normal = drawGlyph(glyph);
    QIcon icon(normal);
    if (glyph == Glyph::Home || glyph == Glyph::Analysis)
        icon.addPixmap(greyed(normal), QIcon::Disabled);
    return icon;
}

QList<QIcon> trayFrames()
{
    // A heart that beats: it swells over three frames and settles over the next three.
    static const qreal scales[7] = {0.62, 0.72, 0.84, 0.96, 0.84, 0.72, 0.62};
    QList<QIcon> frames;
    for (qreal scale : scales) {
        QPixmap pixmap = transparentCanvas(32, 32);
        QPainter p(&pixmap);
        antialias(p);
        const qreal side = 30 * scale;
        const QRectF r(16 - side / 2, 16 - side / 2 + 1, side, side * 0.92);
        const int glow = int(120 + 135 * (scale - 0.62) / 0.34);
        drawHeart(p, r, QColor(255, glow / 2 + 60, glow / 2 + 60), QColor(0xc0, 0x10, 0x20));
        frames << QIcon(pixmap);
    }
    return frames;
}

QIcon windowIcon()
{
    QPixmap pixmap = transparentCanvas(64, 64);
    QPainter p(&pixmap);
    antialias(p);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(0x4a, 0x90, 0xe2));
    g.setColorAt(1, QColor(0x1c, 0x4e, 0x9a));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    drawHeart(p, QRectF(13, 16, 38, 34), QColor(0xff, 0xff, 0xff), QColor(0xff, 0xd0, 0xd8));
    return QIcon(pixmap);
}

QPixmap splashPicture()
{
    QPixmap pixmap(400, 273);
    QPainter p(&pixmap);
    antialias(p);

    QLinearGradient sky(0, 0, 0, 273);
    sky.setColorAt(0, QColor(0x1b, 0x4f, 0x93));
    sky.setColorAt(1, QColor(0x6f, 0xb1, 0xe4));
    p.fillRect(pixmap.rect(), sky);

    // Soft rings behind the heart.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 40 - i * 8), 2));
        p.drawEllipse(QPointF(336, 80), 50 + i * 20, 50 + i * 20);
    }
    QRadialGradient halo(QPointF(336, 80), 80);
    halo.setColorAt(0, QColor(255, 255, 255, 90));
    halo.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(336, 80), 80, 80);
    drawHeart(p, QRectF(296, 44, 80, 74), QColor(0xff, 0x9a, 0xa8), QColor(0xd0, 0x1c, 0x3a));

    // A gentle wave across the lower part.
    QPainterPath wave;
    wave.moveTo(0, 200);
    wave.cubicTo(110, 170, 250, 236, 400, 196);
    wave.lineTo(400, 273);
    wave.lineTo(0, 273);
    wave.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawPath(wave);

    p.setPen(QColor(0, 0, 0, 70));
    p.setFont(titleFont(36));
    const QString title = QStringLiteral("心理测评工作站");
    p.drawText(QPointF(26, 152), title);
    p.setPen(Qt::white);
    p.drawText(QPointF(24, 150), title);

    p.setFont(uiFont(15));
    p.setPen(QColor(255, 255, 255, 225));
    p.drawText(QPointF(26, 184), QStringLiteral("心理测评 · 结果解释 · 报告打印"));

    p.setFont(uiFont(12));
    p.setPen(QColor(0x10, 0x3a, 0x70));
    p.drawText(QRectF(0, 236, 388, 28), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("PsyDesk  版本 %1").arg(QStringLiteral(PSYDESK_VERSION)));
    p.drawText(QRectF(24, 236, 200, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("正在启动……"));
    return pixmap;
}

} // namespace Artwork
