#include "TurnViewWidget.h"

// Placeholder until the view lands.
TurnViewWidget::TurnViewWidget(QWidget *parent)
    : QWidget(parent)
{
}

void TurnViewWidget::showTurn(int) { repaint(); }
void TurnViewWidget::paintEvent(QPaintEvent *) {}
