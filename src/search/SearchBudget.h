// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

// Counts the nodes of a search and stops it when its time is over or when another
// thread raises the abort flag. Both are looked at only on every 1000th node, which
// keeps the counting nearly free.
class SearchBudget
{
public:
    static constexpr int checkInterval = 1000;

    // timeLimit in seconds; a negative limit never stops the search.
    void start(double timeLimit, const std::atomic<bool> *abort);

    // Counts one node; true once the search is stopped.
    bool enter() { return enterMany(1); }

    // Counts nodes entered together: the limits are looked at when the count reaches
    // or passes a multiple of 1000.
    bool enterMany(int count)
    {
        nodes += count;
        if (nodes >= nextCheck)
            checkLimits();
        return halted;
    }

    bool stopped() const { return halted; }
    std::int64_t nodeCount() const { return nodes; }

private:
    void checkLimits();

    std::int64_t nodes = 0;
    std::int64_t nextCheck = checkInterval;
    bool halted = false;
    double limitSeconds = 0;
    std::chrono::steady_clock::time_point began;
    const std::atomic<bool> *abortFlag = nullptr;
};
