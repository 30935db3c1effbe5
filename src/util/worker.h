// One long-lived thread that runs one task at a time for its owner, who waits for each task
// while keeping its own thread alive (a window processes events meanwhile).
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace quorlin {

class Worker {
  public:
    Worker() = default;
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    // Finishes the task in hand, then stops the thread.
    ~Worker();

    // Runs task on the thread; the task handed over before must be finished (wait()).
    void start(std::function<void()> task);
    // Returns once the task in hand is done (at once when there is none), calling tick every
    // 10 ms meanwhile when one is given. Rethrows what the task threw.
    void wait(const std::function<void()>& tick = {});

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;  // empty when there is none
    std::exception_ptr thrown_;
    bool stopping_ = false;
    std::thread thread_;  // started with the first task
};

}  // namespace quorlin
