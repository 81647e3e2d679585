// SPDX-License-Identifier: GPL-3.0-or-later
#include "StopSignal.h"

void StopSignal::start(const std::atomic<bool> *abort, double seconds)
{
    began = std::chrono::steady_clock::now();
    allowedSeconds = seconds;
    abortFlag = abort;
    armed = false;
    stopped = abort && abort->load(std::memory_order_relaxed);
}

bool StopSignal::poll()
{
    if ((abortFlag && abortFlag->load(std::memory_order_relaxed))
        || (allowedSeconds >= 0 && armed.load(std::memory_order_relaxed) && elapsed() >= allowedSeconds))
        raise();
    return raised();
}

double StopSignal::elapsed() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
}
