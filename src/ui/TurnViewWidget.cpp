// SPDX-License-Identifier: GPL-3.0-or-later
#include "TurnViewWidget.h"

#include "AppResources.h"

#include <QPainter>

namespace {
constexpr int pictureSize = 70;

QImage loadStone(const char *path)
{
    return QImage(path).scaled(pictureSize, pictureSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
} // namespace

TurnViewWidget::TurnViewWidget(QWidget *parent, const GameModel *model)
    : QWidget(parent), game(model)
{
    connect(game, &GameModel::changed, this, &TurnViewWidget::showTurn);
    AppResources::load();
    redStoneImage = loadStone(":images/Images/redStoneOnWhite.bmp");
    blackStoneImage = loadStone(":images/Images/blackStoneOnWhite.bmp");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    showTurn();
}

QSize TurnViewWidget::sizeHint() const
{
    return QSize(pictureSize, pictureSize);
}

void TurnViewWidget::setPlaying(bool on)
{
    playing = on;
    showTurn();
}

// The picture for the eyes, the name for screen readers.
void TurnViewWidget::showTurn()
{
    setAccessibleName(!playing                           ? tr("Aucune partie en cours")
                      : game->sideToMove() == Side::Red ? tr("Au tour de rouge")
                                                         : tr("Au tour de noir"));
    update();
}

void TurnViewWidget::paintEvent(QPaintEvent *)
{
    if (!playing)
        return;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), game->sideToMove() == Side::Red ? redStoneImage : blackStoneImage);
}
