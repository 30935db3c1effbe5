#include "util/worker.h"

#include <chrono>
#include <utility>

namespace quorlin {

Worker::~Worker() {
    if (!thread_.joinable()) return;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !task_; });
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Worker::start(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        task_ = std::move(task);
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    changed_.notify_all();
}

void Worker::wait(const std::function<void()>& tick) {
    std::unique_lock lock(mutex_);
    while (task_) {
        if (tick) {
            if (!changed_.wait_for(lock, std::chrono::milliseconds(10),
                                   [this] { return !task_; })) {
                lock.unlock();
                tick();
                lock.lock();
            }
        } else {
            changed_.wait(lock, [this] { return !task_; });
        }
    }
    if (thrown_) std::rethrow_exception(std::exchange(thrown_, nullptr));
}

void Worker::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return task_ || stopping_; });
        if (!task_) return;
        lock.unlock();
        std::exception_ptr thrown;
        try {
            task_();
        } catch (...) {
            thrown = std::current_exception();
        }
        lock.lock();
        thrown_ = thrown;
        task_ = nullptr;
        changed_.notify_all();
    }
}

}  // namespace quorlin
