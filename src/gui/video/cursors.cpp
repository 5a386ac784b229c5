#include "gui/video/cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <map>
#include <utility>

namespace kinoval::video {
namespace {

constexpr int kSize = 32;

// A white-edged black stroke stays visible on any frame.
void Stroke(QPainter& p, QLine line)
{
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(line);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(line);
}

QPixmap Blank()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QCursor Cross(int digit)
{
    QPixmap pixmap = Blank();
    {
        QPainter p(&pixmap);
        Stroke(p, QLine(15, 2, 15, 12));
        Stroke(p, QLine(15, 18, 15, 28));
        Stroke(p, QLine(2, 15, 12, 15));
        Stroke(p, QLine(18, 15, 28, 15));
        if (digit >= 0) {
            QFont font = p.font();
            font.setPixelSize(11);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRect(19, 0, 13, 13), Qt::AlignCenter, QString::number(digit % 10));
            p.setPen(Qt::black);
            p.drawText(QRect(18, -1, 13, 13), Qt::AlignCenter, QString::number(digit % 10));
        }
    }
    return QCursor(pixmap, 15, 15);
}

QCursor Magnifier()
{
    QPixmap pixmap = Blank();
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(255, 255, 255, 160));
        p.drawEllipse(QRect(3, 3, 16, 16));
        p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(17, 17, 27, 27);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(7, 11, 15, 11);
        p.drawLine(11, 7, 11, 15);
    }
    return QCursor(pixmap, 11, 11);
}

QCursor Ruler()
{
    QPixmap pixmap = Blank();
    {
        QPainter p(&pixmap);
        Stroke(p, QLine(15, 2, 15, 28));
        Stroke(p, QLine(2, 15, 28, 15));
        p.setPen(QPen(Qt::black, 1));
        for (int x = 18; x <= 30; x += 3)
            p.drawLine(x, 18, x, 22);
    }
    return QCursor(pixmap, 15, 15);
}

// The tracker's pen: a slanted pencil whose tip is the hot spot, the tracked object's digit above it. The
// ten digits make the ten cursors that tell which object an outline is drawn for.
QCursor Pen(int digit)
{
    QPixmap pixmap = Blank();
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QPolygon body({ QPoint(2, 29), QPoint(5, 21), QPoint(21, 5), QPoint(26, 10), QPoint(10, 26) });
        p.setPen(QPen(Qt::white, 3));
        p.drawPolygon(body);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 214, 90));
        p.drawPolygon(body);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygon({ QPoint(2, 29), QPoint(3, 25), QPoint(6, 28) }));
        if (digit >= 0) {
            QFont font = p.font();
            font.setPixelSize(11);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRect(1, 1, 13, 13), Qt::AlignCenter, QString::number(digit % 10));
            p.setPen(Qt::black);
            p.drawText(QRect(0, 0, 13, 13), Qt::AlignCenter, QString::number(digit % 10));
        }
    }
    return QCursor(pixmap, 2, 29);
}

} // namespace

QCursor CursorOf(TCursorChoice cursor)
{
    switch (cursor.shape) {
    case TViewCursorShape::Cross:
        return Cross(cursor.digit);
    case TViewCursorShape::Zoom:
        return Magnifier();
    case TViewCursorShape::Pan:
        return QCursor(Qt::OpenHandCursor);
    case TViewCursorShape::Scale:
        return Ruler();
    case TViewCursorShape::OverMark:
        return QCursor(Qt::PointingHandCursor);
    case TViewCursorShape::MoveTool:
    case TViewCursorShape::OriginMove:
        return QCursor(Qt::SizeAllCursor);
    case TViewCursorShape::EraseTool:
        return QCursor(Qt::ForbiddenCursor);
    case TViewCursorShape::AxisTurn:
        return QCursor(Qt::SizeBDiagCursor);
    case TViewCursorShape::Sheet:
        return QCursor(Qt::DragMoveCursor);
    case TViewCursorShape::Busy:
        return QCursor(Qt::WaitCursor);
    case TViewCursorShape::Outline:
        return Pen(cursor.digit);
    case TViewCursorShape::Default:
        break;
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace kinoval::video
