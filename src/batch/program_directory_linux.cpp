// ProgramDirectory on Linux: the folder of the file /proc/self/exe links to.
#include <filesystem>
#include <system_error>

#include "batch/site_host.h"

namespace zorvika {

std::filesystem::path ProgramDirectory() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return executable.parent_path();
}

}  // namespace zorvika
