#include "gui/video/overlay_painter.h"

#include "gui/drawing/glyph_painter.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <type_traits>

namespace kinoval::video {
namespace {

using drawing::ToQColor;

QPoint Q(TScreenPoint p) { return {p.x, p.y}; }

QPen ElementPen(TColor colour, int width)
{
    QPen pen(ToQColor(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

} // namespace

void PaintOverlay(QPainter& painter, const TOverlay& overlay)
{
    painter.save();
    const QFont baseFont = painter.font();
    for (const TOverlayShape& shape : overlay.shapes) {
        std::visit(
            [&](const auto& s) {
                using S = std::decay_t<decltype(s)>;
                if constexpr (std::is_same_v<S, TOverlayLine>) {
                    painter.setPen(ElementPen(s.colour, s.width));
                    painter.drawLine(Q(s.a), Q(s.b));
                } else if constexpr (std::is_same_v<S, TOverlayPolygon>) {
                    QPolygon polygon;
                    for (const TScreenPoint& p : s.points)
                        polygon << Q(p);
                    painter.setPen(ElementPen(s.colour, s.width));
                    if (s.filled) {
                        painter.setBrush(ToQColor(s.colour));
                        painter.drawPolygon(polygon);
                        painter.setBrush(Qt::NoBrush);
                    } else {
                        painter.drawPolyline(polygon);
                    }
                } else if constexpr (std::is_same_v<S, TOverlayGlyph>) {
                    drawing::DrawGlyph(painter, Q(s.at), s.colour, s.size, s.kind);
                } else if constexpr (std::is_same_v<S, TOverlayText>) {
                    QFont font = baseFont;
                    if (s.pointSize > 0)
                        font.setPointSize(s.pointSize);
                    font.setBold(s.bold);
                    painter.setFont(font);
                    painter.setPen(ToQColor(s.colour));
                    painter.setBackgroundMode(Qt::TransparentMode);
                    painter.drawText(QRect(Q(s.origin), QSize(1000, 1000)), Qt::AlignLeft | Qt::AlignTop,
                                     QString::fromStdString(s.text));
                    painter.setFont(baseFont);
                } else if constexpr (std::is_same_v<S, TOverlayFocusRect>) {
                    QPen pen(Qt::black, 1, Qt::DotLine);
                    painter.setPen(pen);
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(QRect(Q(s.a), Q(s.b)).normalized());
                }
            },
            shape);
    }
    painter.restore();
}

} // namespace kinoval::video
