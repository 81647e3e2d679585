// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchEngine.h"

#include "ExpertSearch.h"
#include "FastSearch.h"

std::unique_ptr<SearchEngine> SearchEngine::forLevel(int level)
{
    if (level >= SearchSettings::expertLevel)
        return std::make_unique<ExpertSearch>();
    return std::make_unique<FastSearch>();
}
