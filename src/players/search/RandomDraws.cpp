#include "RandomDraws.h"

#include <QtGlobal>

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

void RandomDraws::seed(unsigned seed)
{
    qsrand(seed);
}

int RandomDraws::next()
{
    return qrand();
}

QT_WARNING_POP
