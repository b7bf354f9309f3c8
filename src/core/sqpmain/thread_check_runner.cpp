#include "sqpmain/thread_check_runner.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace sqp {

namespace {

struct Job {
  std::function<void()> pass;
  bool done = false;
  // Set once Run has stopped waiting: the worker posts `landed` then.
  bool late = false;
  std::function<void()> landed;
};

}  // namespace

// Shared by the runner and its workers, which may outlive it.
struct ThreadCheckRunner::Workers {
  Workers(std::shared_ptr<WindowPost> post, int most, WhenBusy busy)
      : window(std::move(post)), max_workers(most), when_busy(busy) {}

  void Work();

  const std::shared_ptr<WindowPost> window;
  const int max_workers;
  const WhenBusy when_busy;
  std::mutex mutex;
  std::condition_variable work;
  std::condition_variable answered;
  std::deque<std::shared_ptr<Job>> queue;
  int threads = 0;
  int idle = 0;
  bool ending = false;
};

void ThreadCheckRunner::Workers::Work() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    ++idle;
    work.wait(lock, [this] { return ending || !queue.empty(); });
    --idle;
    if (queue.empty()) break;
    const std::shared_ptr<Job> job = std::move(queue.front());
    queue.pop_front();
    lock.unlock();
    try {
      job->pass();
    } catch (...) {
      // A pass keeps its failures in its answers; anything else (out of
      // memory) leaves the answers as they were, and they still land.
    }
    lock.lock();
    job->done = true;
    if (job->late) {
      std::function<void()> landed = std::move(job->landed);
      lock.unlock();
      window->Post(std::move(landed));
      lock.lock();
    } else {
      answered.notify_all();
    }
  }
  --threads;
}

ThreadCheckRunner::ThreadCheckRunner(std::shared_ptr<WindowPost> window, int max_workers,
                                     WhenBusy when_busy)
    : workers_(std::make_shared<Workers>(std::move(window), max_workers, when_busy)) {}

ThreadCheckRunner::~ThreadCheckRunner() {
  const std::lock_guard<std::mutex> lock(workers_->mutex);
  workers_->ending = true;
  workers_->work.notify_all();
}

bool ThreadCheckRunner::Run(std::function<void()> pass, std::chrono::milliseconds wait,
                            std::function<void()> landed) {
  Workers& workers = *workers_;
  auto job = std::make_shared<Job>();
  job->pass = std::move(pass);
  std::unique_lock<std::mutex> lock(workers.mutex);
  const bool all_busy = workers.idle <= static_cast<int>(workers.queue.size());
  if (all_busy && workers.threads >= workers.max_workers &&
      workers.when_busy == WhenBusy::kRefuseLate)
    return false;
  workers.queue.push_back(job);
  if (all_busy && workers.threads < workers.max_workers) {
    try {
      std::thread([shared = workers_] { shared->Work(); }).detach();
      ++workers.threads;
    } catch (const std::system_error&) {
      // No thread to be had: the pass waits for a worker, or, with none at
      // all, runs here as it would without workers.
      if (workers.threads == 0) {
        workers.queue.pop_back();
        lock.unlock();
        job->pass();
        return true;
      }
    }
  }
  workers.work.notify_one();
  if (workers.answered.wait_for(lock, wait, [&] { return job->done; })) return true;
  job->late = true;
  job->landed = std::move(landed);
  return false;
}

}  // namespace sqp
