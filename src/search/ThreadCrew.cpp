// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThreadCrew.h"

#include <chrono>

namespace {
// Long enough to cover the gap between two depths of a search, short enough not to
// matter when the next job is a whole move away.
constexpr auto lookOut = std::chrono::microseconds(200);
} // namespace

ThreadCrew::~ThreadCrew()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        closing = true;
    }
    jobReady.notify_all();
    for (std::thread &thread : threads)
        thread.join();
}

void ThreadCrew::run(int count, const std::function<void(int)> &work)
{
    const int helpers = count - 1;
    if (helpers > 0) {
        resize(helpers);
        {
            std::lock_guard<std::mutex> lock(mutex);
            job = &work;
            active = helpers;
            busy = helpers;
            ++generation;
        }
        jobReady.notify_all();
    }
    work(0);
    await(jobDone, [this] { return busy == 0; });
}

// Only grows: helpers beyond a job's count sit it out.
void ThreadCrew::resize(int helpers)
{
    for (int i = int(threads.size()); i < helpers; ++i)
        threads.emplace_back([this, i] { serve(i + 1); });
}

void ThreadCrew::serve(int index)
{
    std::uint64_t seen = 0;
    for (;;) {
        await(jobReady, [&] { return closing || (generation != seen && index <= active); });
        if (closing)
            return;
        seen = generation;
        (*job)(index);
        if (--busy == 0) {
            std::lock_guard<std::mutex> lock(mutex);
            jobDone.notify_one();
        }
    }
}

template <typename Ready>
void ThreadCrew::await(std::condition_variable &wake, Ready ready)
{
    const auto until = std::chrono::steady_clock::now() + lookOut;
    while (!ready())
        if (std::chrono::steady_clock::now() > until) {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, ready);
            return;
        }
}
