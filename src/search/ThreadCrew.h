// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Threads kept from one job to the next: a search shares out each of its depths,
// often well under a millisecond long, and starting threads for each, or even
// waking sleeping ones, would cost a good part of that. So a thread that has just
// finished looks out for the next job for a short while before it sleeps. The
// destructor lets the threads finish and waits for them.
class ThreadCrew
{
public:
    ThreadCrew() = default;
    ThreadCrew(const ThreadCrew &) = delete;
    ThreadCrew &operator=(const ThreadCrew &) = delete;
    ~ThreadCrew();

    // Calls job(i) for i from 0 to count - 1 at once, job(0) on the calling thread,
    // and returns when every call has.
    void run(int count, const std::function<void(int)> &job);

private:
    void resize(int helpers);
    void serve(int index);
    // Waits until ready() holds: first looking out for a short while, then asleep on
    // wake, which is notified under the mutex whenever what ready() reads changes.
    template <typename Ready>
    void await(std::condition_variable &wake, Ready ready);

    std::mutex mutex;
    std::condition_variable jobReady;
    std::condition_variable jobDone;
    std::vector<std::thread> threads;
    const std::function<void(int)> *job = nullptr;
    std::atomic<std::uint64_t> generation{0}; // of the job, so that each helper runs it once
    std::atomic<int> active{0};               // helpers that take part in the job
    std::atomic<int> busy{0};                 // of them, those not finished yet
    std::atomic<bool> closing{false};
};
