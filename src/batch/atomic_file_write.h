// Writes a whole file so that its final name only ever holds a complete file:
// the bytes go into a temporary file in the same folder, which is renamed over
// the target once every byte is written, and removed on any failure.
#pragma once

#include <filesystem>

#include "core/bytes.h"

namespace zorvika {

// True when `target` now holds exactly `bytes`. On false nothing of this call is
// left behind: an earlier file under the target's name is still there, unchanged,
// and the temporary file is gone. The target's folder must exist.
// WriteFileAtomically("/tmp/a/x.mp4", body) leaves only "/tmp/a/x.mp4".
bool WriteFileAtomically(const std::filesystem::path& target, const Bytes& bytes);

}  // namespace zorvika
