// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"
#include "DepthListener.h"
#include "SearchResult.h"
#include "SearchSettings.h"

#include <atomic>
#include <cstdint>
#include <memory>

// What a player needs of a search, whichever level: set the position, search it.
class SearchEngine
{
public:
    virtual ~SearchEngine() = default;

    // The exact search at levels 1 to 3, the expert search from level 4.
    static std::unique_ptr<SearchEngine> forLevel(int level);

    virtual void setPosition(const Board &board) = 0;
    // Searches from the position set, for settings.color; the abort flag stops it
    // like the time limit. The listener, if any, hears every completed depth on the
    // calling thread.
    virtual SearchResult run(const SearchSettings &settings, const std::atomic<bool> &abort,
                             DepthListener *listener = nullptr) = 0;
    // Nodes visited since the last search began, by every thread.
    virtual std::int64_t nodeCount() const = 0;
};
