// StartThread for the window: runs a routine on a new thread and lets the window
// thread wait for it without blocking, since the routine's control calls need
// the window thread to keep handling events.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace zorvika {

class WorkerThread {
 public:
  WorkerThread() = default;
  // Waits for a routine still running, as Join() does.
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs `routine` on a new thread. Returns false when a routine still runs or
  // no thread could be started. Call on the window thread.
  bool Start(std::function<void()> routine);

  // True from Start until the routine has returned. Any thread.
  bool Running() const { return running_; }

  // Keeps the window thread handling events until the routine has returned,
  // then joins its thread; `whileWaiting` runs about every 200 ms meanwhile.
  // Returns at once when nothing was started. Call on the window thread.
  void Join(const std::function<void()>& whileWaiting = nullptr);

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
};

}  // namespace zorvika
