#include "gui/graph/graph_painter.h"

#include "core/drawing/glyphs.h"
#include "core/graph/graph.h"
#include "core/graph/model_tool.h"
#include "gui/drawing/glyph_painter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QSvgGenerator>

#include <cmath>
#include <variant>
#include <vector>

namespace kinoval {

namespace {

using namespace graph;

using drawing::ToQColor;

// Beyond this many glyphs in one batch each glyph is stamped from a picture drawn once.
constexpr int kStampedGlyphs = 64;

QPointF Q(TPointF p)
{
    return { p.x, p.y };
}

QRectF Q(const TRectF& r)
{
    return { r.left, r.top, r.width, r.height };
}

QPen PenOf(const TPen& pen)
{
    QPen out(ToQColor(pen.colour));
    out.setWidthF(pen.width);
    out.setCapStyle(Qt::FlatCap);
    out.setJoinStyle(Qt::RoundJoin);
    if (pen.style == TLineStyle::Dotted)
        out.setStyle(Qt::DotLine);
    return out;
}

QString TextOf(const std::vector<TTextRun>& runs)
{
    QString out;
    for (const TTextRun& run : runs)
        out += QString::fromStdString(run.text);
    return out;
}

class TPainterState {
public:
    explicit TPainterState(QPainter& painter)
        : m_painter(painter)
    {
        m_painter.save();
    }
    ~TPainterState() { m_painter.restore(); }
    TPainterState(const TPainterState&) = delete;
    TPainterState& operator=(const TPainterState&) = delete;

private:
    QPainter& m_painter;
};

// Glyphs stamped from a picture: one per kind, size, colour and pixel ratio.
const QImage& GlyphStamp(int kind, int size, TColor colour, qreal ratio)
{
    static QHash<quint64, QImage> stamps;
    const quint64 key
        = (quint64(kind) << 48) ^ (quint64(size) << 40) ^ (quint64(colour) << 8) ^ quint64(std::lround(ratio * 8));
    auto it = stamps.find(key);
    if (it != stamps.end())
        return *it;
    // Just the glyph with a pixel of room: a smaller stamp is less to blend, many thousand times over.
    const int side = 2 * (drawing::GlyphHalfExtent(size) + 2);
    QImage stamp(int(side * ratio), int(side * ratio), QImage::Format_ARGB32_Premultiplied);
    stamp.setDevicePixelRatio(ratio);
    stamp.fill(Qt::transparent);
    {
        QPainter p(&stamp);
        drawing::DrawGlyph(p, QPoint(side / 2, side / 2), colour, size, kind);
    }
    return *stamps.insert(key, stamp);
}

void PaintGlyphs(QPainter& painter, const TGlyphs& glyphs)
{
    // Stamps are pictures: an SVG file or a printed page gets every glyph drawn.
    const int device = painter.device() != nullptr ? painter.device()->devType() : 0;
    const bool raster = device == QInternal::Image || device == QInternal::Widget || device == QInternal::Pixmap;
    if (raster && glyphs.at.size() > std::size_t(kStampedGlyphs)
        && painter.transform().type() <= QTransform::TxTranslate) {
        const QImage& stamp
            = GlyphStamp(glyphs.kind, glyphs.size, glyphs.colour, painter.device()->devicePixelRatioF());
        const int half = drawing::GlyphHalfExtent(glyphs.size) + 2;
        // A glyph lands on a whole pixel: a second one on the same pixel would draw the same picture again.
        const QRect area(0, 0, painter.device()->width(), painter.device()->height());
        std::vector<bool> taken(std::size_t(std::max(0, area.width())) * std::size_t(std::max(0, area.height())));
        for (const TPointF& p : glyphs.at) {
            const int x = int(std::lround(p.x)), y = int(std::lround(p.y));
            if (area.contains(x, y)) {
                const std::size_t cell = std::size_t(y) * std::size_t(area.width()) + std::size_t(x);
                if (taken[cell])
                    continue;
                taken[cell] = true;
            }
            painter.drawImage(QPoint(x - half, y - half), stamp);
        }
        return;
    }
    for (const TPointF& p : glyphs.at)
        drawing::DrawGlyph(
            painter, QPoint(int(std::lround(p.x)), int(std::lround(p.y))), glyphs.colour, glyphs.size, glyphs.kind);
}

void PaintText(QPainter& painter, const TText& text)
{
    TPainterState state(painter);
    const QFont font = GraphFont(text.pointSize, text.bold);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    QString whole = TextOf(text.runs);
    double width = metrics.horizontalAdvance(whole);
    bool cut = false;
    if (text.maxLength > 0 && width > text.maxLength) {
        whole = metrics.elidedText(whole, Qt::ElideRight, text.maxLength);
        width = metrics.horizontalAdvance(whole);
        cut = true;
    }
    painter.translate(Q(text.at));
    if (text.vertical)
        painter.rotate(-90);
    double x = 0;
    if (text.hAlign == THAlign::Centre)
        x = -width / 2;
    else if (text.hAlign == THAlign::Right)
        x = -width;
    double top = 0;
    if (text.vAlign == TVAlign::Centre)
        top = -metrics.height() / 2;
    else if (text.vAlign == TVAlign::Bottom)
        top = -metrics.height();
    const double baseline = top + metrics.ascent();
    if (cut) {
        // A cut line loses its runs' colours: the first one's stands for the line.
        painter.setPen(ToQColor(text.runs.empty() ? clBlack : text.runs.front().colour));
        painter.drawText(QPointF(x, baseline), whole);
        return;
    }
    for (const TTextRun& run : text.runs) {
        const QString piece = QString::fromStdString(run.text);
        painter.setPen(ToQColor(run.colour));
        painter.drawText(QPointF(x, baseline), piece);
        x += metrics.horizontalAdvance(piece);
    }
}

void PaintLabels(QPainter& painter, const TLabels& labels)
{
    TPainterState state(painter);
    const QFont font = GraphFont(labels.pointSize > 0 ? labels.pointSize : 8, false);
    painter.setFont(font);
    painter.setPen(ToQColor(labels.colour));
    const QFontMetricsF metrics(font);
    QRectF last;
    for (std::size_t i = 0; i < labels.at.size() && i < labels.texts.size(); ++i) {
        const QString text = QString::fromStdString(labels.texts[i]);
        const QRectF box(Q(labels.at[i]), QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        // A number that would cover the one just drawn says nothing more.
        if (!last.isNull() && box.intersects(last))
            continue;
        painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), text);
        last = box;
    }
}

void PaintImage(QPainter& painter, const TImage& image)
{
    if (image.image == nullptr || image.image->IsEmpty())
        return;
    TPainterState state(painter);
    const TRgbImage& rgb = *image.image;
    const QImage picture(rgb.pixels.data(), rgb.width, rgb.height, rgb.width * 3, QImage::Format_RGB888);
    if (!image.clip.empty()) {
        QPolygonF polygon;
        for (const TPointF& p : image.clip)
            polygon << Q(p);
        QPainterPath path;
        path.addPolygon(polygon);
        path.closeSubpath();
        painter.setClipPath(path, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    const TAffine& m = image.toScreen;
    painter.setTransform(QTransform(m.m11, m.m12, m.m21, m.m22, m.dx, m.dy), true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QPointF(0, 0), picture);
}

void PaintPanel(QPainter& painter, const TPanel& panel)
{
    TPainterState state(painter);
    const QRectF rect = Q(panel.rect);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, QColor(255, 255, 225));
    // A raised frame: light above and left, dark below and right.
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(QColor(100, 100, 100));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    const QFont font = GraphFont(panel.pointSize, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font);
    double y = rect.top() + 2 + metrics.ascent();
    for (const std::string& line : panel.lines) {
        painter.drawText(QPointF(rect.left() + 10, y), QString::fromStdString(line));
        y += metrics.height();
    }
}

} // namespace

QFont GraphFont(double pointSize, bool bold)
{
    QFont font;
    // Sizes are points at 96 dots per inch: pixels of the graph's frame, whatever the device.
    font.setPixelSize(std::max(1, int(std::lround(pointSize * 96.0 / 72.0))));
    font.setBold(bold);
    return font;
}

graph::TTextSize TQtTextMeasure::Measure(std::string_view text, double pointSize, bool bold) const
{
    const QFontMetricsF metrics(GraphFont(pointSize, bold));
    return { metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))), metrics.height() };
}

namespace {

// Paints one command of each kind.
struct TCommandPainter {
    QPainter& painter;

    void operator()(const TFillRect& c) const
    {
        if (!c.rect.Empty())
            painter.fillRect(Q(c.rect), ToQColor(c.colour));
    }
    void operator()(const TGradientRect& c) const
    {
        if (c.rect.Empty())
            return;
        QLinearGradient gradient(c.rect.left, c.rect.top, c.rect.left, c.rect.Bottom());
        gradient.setColorAt(0, ToQColor(c.begin));
        gradient.setColorAt(1, ToQColor(c.end));
        painter.fillRect(Q(c.rect), gradient);
    }
    void operator()(const TFrameRect& c) const
    {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(PenOf(c.pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(Q(c.rect));
    }
    void operator()(const TStrokes& c) const
    {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(PenOf(c.pen));
        QVector<QLineF> lines;
        lines.reserve(qsizetype(c.ends.size() / 2));
        for (std::size_t i = 0; i + 1 < c.ends.size(); i += 2)
            lines.push_back(QLineF(Q(c.ends[i]), Q(c.ends[i + 1])));
        painter.drawLines(lines);
    }
    void operator()(const TPolyline& c) const
    {
        if (c.points.size() < 2)
            return;
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen = PenOf(c.pen);
        // On a screen or a picture a line one pixel wide is drawn as such, by the painter's fast stroker; a
        // scaled page (a printer, a PDF) keeps the width in the graph's pixels.
        if (c.pen.width <= 1 && painter.transform().type() <= QTransform::TxTranslate)
            pen.setCosmetic(true);
        painter.setPen(pen);
        QVector<QPointF> points;
        points.reserve(qsizetype(c.points.size()));
        for (const TPointF& p : c.points)
            points.push_back(Q(p));
        painter.drawPolyline(points.constData(), int(points.size()));
    }
    void operator()(const TGlyphs& c) const
    {
        painter.setRenderHint(QPainter::Antialiasing, true);
        PaintGlyphs(painter, c);
    }
    void operator()(const TText& c) const
    {
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        PaintText(painter, c);
    }
    void operator()(const TLabels& c) const { PaintLabels(painter, c); }
    void operator()(const TImage& c) const { PaintImage(painter, c); }
    void operator()(const TClip& c) const
    {
        if (c.rect.Empty())
            painter.setClipping(false);
        else
            painter.setClipRect(Q(c.rect));
    }
    void operator()(const TPanel& c) const { PaintPanel(painter, c); }
    void operator()(const TFocusRect& c) const
    {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(Q(c.rect).normalized());
    }
};

} // namespace

void PaintDrawList(QPainter& painter, const TDrawList& list)
{
    TPainterState state(painter);
    const TCommandPainter paint { painter };
    for (const TDrawCommand& command : list.commands)
        std::visit(paint, command);
}

QImage RenderGraphImage(const TGraph& graph, double scale)
{
    const int w = std::max(1, graph.Width()), h = std::max(1, graph.Height());
    QImage image(int(std::lround(w * scale)), int(std::lround(h * scale)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    TDrawList list;
    graph.Paint(list);
    graph::PaintModellers(graph, list);
    QPainter painter(&image);
    PaintDrawList(painter, list);
    painter.end();
    return image;
}

QByteArray RenderGraphSvg(const TGraph& graph, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(graph.Width(), graph.Height()));
    svg.setViewBox(QRect(0, 0, graph.Width(), graph.Height()));
    svg.setResolution(96);
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Kinoval"));
    TDrawList list;
    graph.Paint(list);
    graph::PaintModellers(graph, list);
    QPainter painter(&svg);
    PaintDrawList(painter, list);
    painter.end();
    return bytes;
}

void PrintGraph(const TGraph& graph, QPrinter& printer)
{
    if (graph.Width() <= 0 || graph.Height() <= 0)
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double k = std::min(page.width() / graph.Width(), page.height() / graph.Height());
    painter.scale(k, k);
    TDrawList list;
    graph.Paint(list);
    graph::PaintModellers(graph, list);
    PaintDrawList(painter, list);
    painter.end();
}

} // namespace kinoval
