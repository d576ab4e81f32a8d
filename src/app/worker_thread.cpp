#include "app/worker_thread.h"

#include <chrono>
#include <system_error>
#include <utility>

#include "app/toolkit.h"

namespace zorvika {

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<void()> routine) {
  if (running_) return false;
  if (thread_.joinable()) thread_.join();  // the last routine has returned already
  running_ = true;
  try {
    thread_ = std::thread([this, routine = std::move(routine)] {
      routine();
      running_ = false;
    });
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  return true;
}

void WorkerThread::Join(const std::function<void()>& whileWaiting) {
  if (!thread_.joinable()) return;
  auto nextCall = std::chrono::steady_clock::now();
  ProcessEventsUntil([&] {
    if (!running_) return true;
    if (whileWaiting && std::chrono::steady_clock::now() >= nextCall) {
      whileWaiting();
      nextCall = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    }
    return false;
  });
  thread_.join();
}

}  // namespace zorvika
