#include "grid/navigator/NavGlyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace grid {
namespace {

// Glyphs are drawn on a 16 x 16 canvas; the shapes keep to the upper left
// 15 x 15 so that the disabled image's highlight, one pixel down and right,
// still fits.
constexpr int kCanvas = 16;

void fillPolygon(QPainter& painter, std::initializer_list<QPointF> points, const QColor& color) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void fillRect(QPainter& painter, int x, int y, int width, int height, const QColor& color) {
    painter.fillRect(x, y, width, height, color);
}

void strokePath(QPainter& painter, const QPainterPath& path, qreal width, const QColor& color) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// Triangles pointing left or right for the moves, with a bar at the end for
// first and last.
void paintMove(QPainter& painter, TNavigateBtn button, const QColor& color) {
    const bool left = button == nbFirst || button == nbPrior;
    const bool bar = button == nbFirst || button == nbLast;
    const qreal tipX = left ? 4.5 : 10.5;
    const qreal baseX = left ? 10.5 : 4.5;
    const qreal shift = bar ? (left ? 1.5 : -1.5) : 0.0;
    fillPolygon(painter, {{tipX + shift, 7.5}, {baseX + shift, 1.5}, {baseX + shift, 13.5}}, color);
    if (bar)
        fillRect(painter, left ? 3 : 11, 2, 2, 11, color);
}

void paintShape(QPainter& painter, TNavigateBtn button, const QColor& color) {
    switch (button) {
        case nbFirst:
        case nbPrior:
        case nbNext:
        case nbLast:
            paintMove(painter, button, color);
            break;
        case nbInsert:
            fillRect(painter, 2, 6, 11, 3, color);
            fillRect(painter, 6, 2, 3, 11, color);
            break;
        case nbDelete:
            fillRect(painter, 2, 6, 11, 3, color);
            break;
        case nbEdit:
            fillPolygon(painter, {{7.5, 3.5}, {13.5, 10.5}, {1.5, 10.5}}, color);
            break;
        case nbPost: {
            QPainterPath check;
            check.moveTo(2.0, 7.5);
            check.lineTo(5.5, 11.5);
            check.lineTo(13.0, 3.0);
            strokePath(painter, check, 2.6, color);
            break;
        }
        case nbCancel: {
            QPainterPath cross;
            cross.moveTo(3.0, 3.0);
            cross.lineTo(12.0, 12.0);
            cross.moveTo(12.0, 3.0);
            cross.lineTo(3.0, 12.0);
            strokePath(painter, cross, 2.4, color);
            break;
        }
        case nbRefresh: {
            // Three quarters of a circle, open at the upper right, with the
            // arrow head at its end.
            QPainterPath arc;
            arc.arcMoveTo(2.5, 2.5, 10.0, 10.0, 60.0);
            arc.arcTo(2.5, 2.5, 10.0, 10.0, 60.0, 280.0);
            strokePath(painter, arc, 2.0, color);
            painter.setRenderHint(QPainter::Antialiasing, true);
            fillPolygon(painter, {{9.0, 0.5}, {14.0, 4.5}, {8.5, 6.5}}, color);
            painter.setRenderHint(QPainter::Antialiasing, false);
            break;
        }
    }
}

QPixmap paintImage(TNavigateBtn button, bool enabled) {
    QPixmap image(kCanvas, kCanvas);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (enabled) {
        QColor color(Qt::black);
        if (button == nbPost)
            color = QColor(0, 112, 0);
        else if (button == nbCancel)
            color = QColor(176, 0, 0);
        paintShape(painter, button, color);
    } else {
        painter.translate(1, 1);
        paintShape(painter, button, Qt::white);
        painter.translate(-1, -1);
        paintShape(painter, button, QColor(128, 128, 128));
    }
    return image;
}

}  // namespace

NavGlyph NavGlyph::forButton(TNavigateBtn button) {
    return {paintImage(button, true), paintImage(button, false)};
}

}  // namespace grid
