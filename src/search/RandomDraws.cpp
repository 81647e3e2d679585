// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomDraws.h"

#include <random>

namespace {
thread_local std::minstd_rand generator;
}

void RandomDraws::seed(unsigned seed)
{
    generator.seed(seed);
}

int RandomDraws::next()
{
    return int(generator());
}
