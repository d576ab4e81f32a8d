// Whether the running job was told to stop (the window is closing), and pauses
// that end early when it is. Every step of the job asks before it touches a
// control or starts a request.
#pragma once

#include <chrono>

#include "batch/batch_job.h"
#include "web/web_request.h"

namespace zorvika {

// True once context.stopRequested is set; false when the context has no flag.
bool StopRequested(const BatchContext& context);

// Waits for `pause`, ending early when a stop is requested. True when the whole
// pause passed without one.
bool PauseUnlessStopped(std::chrono::milliseconds pause, const BatchContext& context);

// An observer for WebRequest that aborts the transfer once a stop is requested.
// The context must outlive the request.
TransferObserver AbortWhenStopped(const BatchContext& context);

}  // namespace zorvika
