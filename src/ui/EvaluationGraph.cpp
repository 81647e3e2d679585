// SPDX-License-Identifier: GPL-3.0-or-later
#include "EvaluationGraph.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr int plotMargin = 6;
constexpr int signRow = 14; // a row of signs above the plot; two, so that close ones do not overlap
constexpr int signRoom = 2 * signRow;
constexpr int signWidth = 24;
}

EvaluationGraph::EvaluationGraph(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Chances de rouge au fil de la partie"));
    tell();
}

QSize EvaluationGraph::sizeHint() const
{
    return {260, 120};
}

QSize EvaluationGraph::minimumSizeHint() const
{
    return {120, 80};
}

void EvaluationGraph::setPoints(const std::vector<Point> &replacement)
{
    points = replacement;
    update();
    tell();
}

void EvaluationGraph::setShownPly(int plies)
{
    if (plies == shown)
        return;
    shown = plies;
    update();
    tell();
}

QString EvaluationGraph::describe(int plies) const
{
    if (plies < 0 || plies >= int(points.size()))
        return tr("Aucune revue");
    const Point &point = points[size_t(plies)];
    const int percent = int(std::lround(point.redChance * 100));
    if (plies == 0)
        return tr("Début de la partie : rouge a %1 % de chances de gagner").arg(percent);
    const QString move = point.sign.isEmpty() ? point.move : point.move + QLatin1Char(' ') + point.sign;
    return tr("Coup %1, %2 : rouge a %3 % de chances de gagner").arg(plies).arg(move).arg(percent);
}

// The description follows the position shown, so that a screen reader says it.
void EvaluationGraph::tell()
{
    setAccessibleDescription(describe(shown));
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

QRectF EvaluationGraph::plot() const
{
    return QRectF(rect()).adjusted(plotMargin, plotMargin + signRoom, -plotMargin, -plotMargin);
}

QPointF EvaluationGraph::at(int plies) const
{
    const QRectF area = plot();
    const qreal step = points.size() > 1 ? area.width() / qreal(points.size() - 1) : 0;
    return {area.left() + step * plies, area.bottom() - area.height() * points[size_t(plies)].redChance};
}

int EvaluationGraph::plyNear(qreal x) const
{
    const QRectF area = plot();
    if (points.size() < 2)
        return 0;
    const qreal step = area.width() / qreal(points.size() - 1);
    return std::clamp(int(std::lround((x - area.left()) / step)), 0, int(points.size()) - 1);
}

void EvaluationGraph::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plot();
    painter.fillRect(area, palette().base());
    painter.setPen(QPen(palette().mid().color(), 1, Qt::DashLine));
    painter.drawLine(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));
    if (points.empty())
        return;
    // Red's share of the game below the line, black's above it.
    QPainterPath line(at(0));
    for (int i = 1; i < int(points.size()); ++i)
        line.lineTo(at(i));
    QPainterPath red = line;
    red.lineTo(QPointF(at(int(points.size()) - 1).x(), area.bottom()));
    red.lineTo(area.bottomLeft());
    red.closeSubpath();
    painter.fillPath(red, QColor(200, 40, 40, 90));
    painter.setPen(QPen(palette().text().color(), 1.5));
    painter.drawPath(line);
    painter.setFont(font());
    qreal lastRight[2] = {area.left() - signWidth, area.left() - signWidth};
    for (int i = 1; i < int(points.size()); ++i) {
        if (points[size_t(i)].sign.isEmpty())
            continue;
        const qreal left = at(i).x() - signWidth / 2.0;
        const int row = left < lastRight[0] ? 1 : 0;
        lastRight[row] = left + signWidth;
        painter.drawText(QRectF(left, area.top() - signRoom + row * signRow, signWidth, signRow), Qt::AlignCenter,
                         points[size_t(i)].sign);
    }
    if (shown >= 0 && shown < int(points.size())) {
        painter.setPen(QPen(palette().highlight().color(), 2));
        painter.drawLine(QPointF(at(shown).x(), area.top()), QPointF(at(shown).x(), area.bottom()));
    }
}

void EvaluationGraph::mousePressEvent(QMouseEvent *event)
{
    if (!points.empty())
        emit plyChosen(plyNear(event->pos().x()));
}

void EvaluationGraph::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || points.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit plyChosen(std::clamp(shown + step, 0, int(points.size()) - 1));
}
