// Matrix puzzle figures of the picture tests, drawn with QPainter on a QImage and stored as PNG.
#include "TestBankPictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

enum Attribute { Shape, Fill, Count, Size, AttributeCount };
constexpr int kDomain[AttributeCount] = {6, 3, 3, 3};
const char* const kAttributeNames[AttributeCount] = {"shape", "fill", "count", "size"};
const char* const kRuleNames[] = {"const", "row", "col", "diag"};

using Figure = std::array<int, AttributeCount>;

// Deterministic generator so that a bank compiled twice is byte-identical.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
    int below(int n)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return int((m_state >> 11) % quint64(n));
    }
    template <typename T> void shuffle(std::vector<T>& v)
    {
        for (int i = int(v.size()) - 1; i > 0; --i)
            std::swap(v[i], v[below(i + 1)]);
    }

private:
    quint64 m_state;
};

QPainterPath polygonPath(int corners, double turn, double radius, QPointF centre)
{
    QPolygonF polygon;
    for (int k = 0; k < corners; ++k) {
        const double a = turn + 2 * M_PI * k / corners;
        polygon << centre + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// Outline of one figure (circle, square, triangle, diamond, hexagon, cross) of "radius" r.
QPainterPath shapePath(int shape, QPointF c, double r)
{
    QPainterPath path;
    switch (shape) {
    case 0:
        path.addEllipse(c, r * 0.92, r * 0.92);
        return path;
    case 1:
        path.addRect(QRectF(c.x() - r * 0.8, c.y() - r * 0.8, r * 1.6, r * 1.6));
        return path;
    case 2: // lowered so that the triangle sits in the middle of its cell
        return polygonPath(3, -M_PI / 2, r * 1.05, c + QPointF(0, r * 0.18));
    case 3:
        return polygonPath(4, -M_PI / 2, r, c);
    case 4:
        return polygonPath(6, 0, r * 0.95, c);
    default: {
        const double a = r * 0.34;
        const QPointF corners[] = {{-a, -r}, {a, -r}, {a, -a}, {r, -a}, {r, a},   {a, a},
                                   {a, r},   {-a, r}, {-a, a}, {-r, a}, {-r, -a}, {-a, -a}};
        QPolygonF polygon;
        for (const QPointF& p : corners)
            polygon << c + p;
        path.addPolygon(polygon);
        path.closeSubpath();
        return path;
    }
    }
}

// Candidate numbers 1-8 and the question mark as pen strokes in a 6 x 10 box: text would need
// a font database, which QPainter only has inside a GUI application, and the bank is built by a
// console tool.
QPainterPath glyphPath(int index)
{
    QPainterPath p;
    switch (index) {
    case 0: // 1
        p.moveTo(1.2, 2.2);
        p.lineTo(3.4, 0);
        p.lineTo(3.4, 10);
        p.moveTo(1.2, 10);
        p.lineTo(5.4, 10);
        break;
    case 1: // 2
        p.moveTo(0.6, 2.8);
        p.arcTo(QRectF(0.6, 0, 4.8, 5.4), 180, -200);
        p.lineTo(0.6, 10);
        p.lineTo(5.6, 10);
        break;
    case 2: // 3
        p.arcMoveTo(QRectF(0.9, 0, 4.4, 4.8), 150);
        p.arcTo(QRectF(0.9, 0, 4.4, 4.8), 150, -240);
        p.arcTo(QRectF(0.5, 4.8, 5.0, 5.2), 90, -250);
        break;
    case 3: // 4
        p.moveTo(4.2, 10);
        p.lineTo(4.2, 0);
        p.lineTo(0.4, 7);
        p.lineTo(5.8, 7);
        break;
    case 4: // 5
        p.moveTo(5.2, 0);
        p.lineTo(1.2, 0);
        p.lineTo(0.8, 4.6);
        p.arcTo(QRectF(0.5, 3.4, 5.0, 6.6), 140, -285);
        break;
    case 5: // 6
        p.moveTo(4.8, 0.2);
        p.cubicTo(2.2, 0.6, 0.5, 3.2, 0.5, 7.2);
        p.addEllipse(QRectF(0.5, 4.4, 5.0, 5.6));
        break;
    case 6: // 7
        p.moveTo(0.5, 0);
        p.lineTo(5.5, 0);
        p.lineTo(2.2, 10);
        break;
    case 7: // 8
        p.addEllipse(QRectF(1.0, 0, 4.0, 4.6));
        p.addEllipse(QRectF(0.6, 4.6, 4.8, 5.4));
        break;
    default: // ?
        p.arcMoveTo(QRectF(0.6, 0, 4.8, 5.0), 170);
        p.arcTo(QRectF(0.6, 0, 4.8, 5.0), 170, -230);
        p.lineTo(3.0, 6.0);
        p.lineTo(3.0, 7.0);
        p.moveTo(3.0, 9.6);
        p.lineTo(3.0, 9.7);
        break;
    }
    return p;
}

// Draws glyph `index` with its top-left corner at `at`, `scale` pixels per box unit and strokes
// `pen` pixels wide.
void drawGlyph(QPainter& painter, int index, QPointF at, double scale, double pen)
{
    painter.save();
    painter.translate(at);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, pen / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(glyphPath(index));
    painter.restore();
}

void drawFigure(QPainter& painter, const Figure& f, QRectF cellRect)
{
    static const double kSizes[] = {0.55, 0.78, 1.0};
    const double cell = cellRect.width();
    const int count = f[Count] + 1;
    const double base = (count == 1 ? 0.36 : 0.2) * cell * kSizes[f[Size]];
    const QPointF c = cellRect.center();
    std::vector<QPointF> centres;
    if (count == 1)
        centres = {c};
    else if (count == 2)
        centres = {c + QPointF(-cell * 0.22, 0), c + QPointF(cell * 0.22, 0)};
    else
        centres = {c + QPointF(0, -cell * 0.2), c + QPointF(-cell * 0.22, cell * 0.19),
                   c + QPointF(cell * 0.22, cell * 0.19)};

    const QPen outline(Qt::black, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const QPointF& centre : centres) {
        const QPainterPath shape = shapePath(f[Shape], centre, base);
        if (f[Fill] == 2) {
            // Hatching: diagonal strokes clipped to the figure and anchored to its own box, so
            // that equal figures look the same wherever they stand.
            painter.save();
            painter.setClipPath(shape);
            painter.setPen(QPen(Qt::black, 1.2));
            const QRectF box = shape.boundingRect();
            for (double d = -box.height(); d < box.width(); d += 5)
                painter.drawLine(QPointF(box.left() + d, box.bottom()),
                                 QPointF(box.left() + d + box.height(), box.top()));
            painter.restore();
        }
        painter.setPen(outline);
        painter.setBrush(f[Fill] == 1 ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        painter.drawPath(shape);
    }
}

} // namespace

bool parseMatrixFigure(const QString& text, MatrixFigure* figure, QString* error)
{
    const QStringList words = text.simplified().split(QLatin1Char(' '));
    MatrixFigure f;
    if (words.size() < 2 || words.at(0) != QLatin1String("matrix")) {
        *error = QStringLiteral("图形描述应以 matrix 开头，例如 “matrix 3x3 shape=row fill=col”");
        return false;
    }
    if (words.at(1) == QLatin1String("2x2"))
        f.size = 2;
    else if (words.at(1) == QLatin1String("3x3"))
        f.size = 3;
    else {
        *error = QStringLiteral("矩阵大小只能是 2x2 或 3x3，而不是 “%1”").arg(words.at(1));
        return false;
    }
    for (int i = 2; i < words.size(); ++i) {
        const QString key = words.at(i).section(QLatin1Char('='), 0, 0);
        const QString value = words.at(i).section(QLatin1Char('='), 1);
        if (key == QLatin1String("seed")) {
            bool ok = false;
            f.seed = value.toInt(&ok);
            if (!ok) {
                *error = QStringLiteral("seed 应为整数，而不是 “%1”").arg(value);
                return false;
            }
            continue;
        }
        const int attribute = int(std::find_if(std::begin(kAttributeNames), std::end(kAttributeNames),
                                               [&](const char* n) { return key == QLatin1String(n); }) -
                                  std::begin(kAttributeNames));
        const int rule = int(std::find_if(std::begin(kRuleNames), std::end(kRuleNames),
                                          [&](const char* n) { return value == QLatin1String(n); }) -
                             std::begin(kRuleNames));
        if (attribute >= AttributeCount) {
            *error = QStringLiteral("未知的图形属性 “%1”（可用 shape、fill、count、size、seed）").arg(key);
            return false;
        }
        if (rule >= 4) {
            *error =
                QStringLiteral("属性 %1 的变化方式 “%2” 无效（可用 const、row、col、diag）").arg(key, value);
            return false;
        }
        f.rules[attribute] = rule;
    }
    if (std::all_of(std::begin(f.rules), std::end(f.rules), [](int r) { return r == 0; })) {
        *error = QStringLiteral("至少要有一个属性按 row、col 或 diag 变化，否则缺失的一格无从推断");
        return false;
    }
    *figure = f;
    return true;
}

QByteArray drawMatrixFigure(const MatrixFigure& figure, int answer, int candidates, int extraSeed)
{
    Random random(quint64(figure.seed) * 1000003u + quint64(extraSeed));
    const int n = figure.size;

    // The values each attribute takes, a distinct pick from its domain per grid position.
    std::array<std::vector<int>, AttributeCount> values;
    for (int a = 0; a < AttributeCount; ++a) {
        std::vector<int> domain(kDomain[a]);
        for (int v = 0; v < kDomain[a]; ++v)
            domain[v] = v;
        random.shuffle(domain);
        values[a] = domain;
    }
    auto cellFigure = [&](int row, int col) {
        Figure f;
        for (int a = 0; a < AttributeCount; ++a) {
            const int index = figure.rules[a] == 1   ? row
                              : figure.rules[a] == 2 ? col
                              : figure.rules[a] == 3 ? (row + col) % n
                                                     : 0;
            f[a] = values[a][index];
        }
        return f;
    };
    const Figure correct = cellFigure(n - 1, n - 1);

    // Distractors: change one attribute (varying attributes and values seen in the grid first),
    // then two, until there are enough distinct pieces.
    std::vector<Figure> near, far;
    for (int a = 0; a < AttributeCount; ++a)
        for (int v = 0; v < kDomain[a]; ++v) {
            if (v == correct[a])
                continue;
            Figure f = correct;
            f[a] = v;
            const bool seen = std::find(values[a].begin(), values[a].begin() + n, v) != values[a].begin() + n;
            (figure.rules[a] != 0 && seen ? near : far).push_back(f);
        }
    random.shuffle(near);
    random.shuffle(far);
    std::vector<Figure> pool = near;
    pool.insert(pool.end(), far.begin(), far.end());
    for (int a = 0; a < AttributeCount; ++a)
        for (int b = a + 1; b < AttributeCount; ++b) {
            Figure f = correct;
            f[a] = (f[a] + 1) % kDomain[a];
            f[b] = (f[b] + 1) % kDomain[b];
            pool.push_back(f);
        }
    std::vector<Figure> pieces;
    for (const Figure& f : pool)
        if (int(pieces.size()) < candidates - 1 && std::find(pieces.begin(), pieces.end(), f) == pieces.end())
            pieces.push_back(f);
    pieces.insert(pieces.begin() + std::clamp(answer - 1, 0, int(pieces.size())), correct);

    const double cell = 64, gap = 10, margin = 12;
    const double width = std::max(candidates * (cell + gap) + gap, n * cell + 2 * margin);
    const double gridTop = margin, gridLeft = (width - n * cell) / 2;
    const double rowTop = gridTop + n * cell + 24;
    const double height = rowTop + cell + 7 + 15 + margin; // numbers 15 px high, 7 px under the pieces
    // Black ink on a transparent 32-bit image, where QPainter is fast; the alpha channel is then
    // the ink coverage, which Qt copies straight to an 8-bit image (a grey conversion would go
    // through a colour-space transform that costs more than the drawing), and inverting it gives
    // black on white.
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Thin frames sit on pixel centres so that they stay one crisp pixel wide.
        auto frame = [&](QRectF r, double pen, Qt::PenStyle style = Qt::SolidLine) {
            painter.setPen(QPen(Qt::black, pen, style, Qt::SquareCap, Qt::MiterJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
        };
        frame(QRectF(gridLeft - 3, gridTop - 3, n * cell + 6, n * cell + 6), 2);
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col) {
                const QRectF r(gridLeft + col * cell, gridTop + row * cell, cell, cell);
                if (row == n - 1 && col == n - 1) {
                    frame(r.adjusted(4, 4, -4, -4), 1, Qt::DashLine);
                    drawGlyph(painter, 8, r.center() - QPointF(7.5, 13.5), 2.5, 2.6);
                    continue;
                }
                frame(r, 1);
                drawFigure(painter, cellFigure(row, col), r);
            }
        const double rowLeft = (width - (candidates * (cell + gap) - gap)) / 2;
        for (int k = 0; k < candidates && k < int(pieces.size()); ++k) {
            const QRectF r(rowLeft + k * (cell + gap), rowTop, cell, cell);
            frame(r, 1);
            drawFigure(painter, pieces[k], r);
            drawGlyph(painter, std::min(k, 7), QPointF(r.center().x() - 4.5, r.bottom() + 7), 1.5, 1.5);
        }
    }

    QImage grey = image.convertToFormat(QImage::Format_Alpha8);
    grey.reinterpretAsFormat(QImage::Format_Grayscale8);
    grey.invertPixels();

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    grey.save(&buffer, "PNG");
    return png;
}

bool looksLikePicture(const QByteArray& bytes)
{
    // Read the whole picture: a truncated or damaged file would otherwise reach the test screen.
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "bmp" && format != "jpeg")
        return false;
    return !reader.read().isNull();
}
