// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>

// When the threads of one search must stop: the caller's abort flag, the end of the
// time allowed, or the search itself (raise()). Any thread may poll it.
class StopSignal
{
public:
    // seconds < 0: no time limit. The clock counts only once armed.
    void start(const std::atomic<bool> *abort, double seconds);
    void armClock() { armed.store(true, std::memory_order_relaxed); }

    // Looks at the abort flag and the clock; true once stopped.
    bool poll();
    bool raised() const { return stopped.load(std::memory_order_relaxed); }
    void raise() { stopped.store(true, std::memory_order_relaxed); }

    double elapsed() const;
    // The seconds allowed, or a negative number without a limit.
    double allowed() const { return allowedSeconds; }

private:
    std::chrono::steady_clock::time_point began;
    double allowedSeconds = -1;
    const std::atomic<bool> *abortFlag = nullptr;
    std::atomic<bool> armed{false};
    std::atomic<bool> stopped{false};
};
