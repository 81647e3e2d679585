// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveList.h"

#include <QDebug>

void MoveList::add(int fromX, int fromY, int toX, int toY)
{
    Q_ASSERT(count < capacity);
    if (count >= capacity)
        return;
    moves[count] = Move(fromX, fromY, toX, toY);
    ++count;
    if (count == capacity)
        qDebug() << "trop long!" << count;
}
