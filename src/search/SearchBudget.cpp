// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchBudget.h"

#include <limits>

void SearchBudget::start(double timeLimit, const std::atomic<bool> *abort)
{
    nodes = 0;
    nextCheck = checkInterval;
    // A search asked to stop before it began does not begin.
    halted = abort && abort->load(std::memory_order_relaxed);
    limitSeconds = timeLimit < 0 ? std::numeric_limits<double>::infinity() : timeLimit;
    abortFlag = abort;
    began = std::chrono::steady_clock::now();
}

void SearchBudget::checkLimits()
{
    nextCheck = (nodes / checkInterval + 1) * checkInterval;
    using std::chrono::milliseconds;
    const auto elapsed = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - began);
    if (elapsed.count() / 1000.0 > limitSeconds || (abortFlag && abortFlag->load(std::memory_order_relaxed)))
        halted = true;
}
