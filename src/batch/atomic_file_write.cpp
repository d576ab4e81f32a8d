#include "batch/atomic_file_write.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace zorvika {
namespace {

// A name that no other writer picks: a random part drawn once per process and a
// counter. The leading dot keeps the file out of ordinary listings.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
  static const std::uint64_t processPart = (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}();
  static std::atomic<std::uint64_t> counter{0};
  char name[64];
  std::snprintf(name, sizeof name, ".download-%016llx-%llu.part", static_cast<unsigned long long>(processPart),
                static_cast<unsigned long long>(counter++));
  return target.parent_path() / name;
}

bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& target, const Bytes& bytes) {
  std::error_code error;
  std::filesystem::path temporary = TemporaryNameBeside(target);
  if (std::filesystem::exists(temporary, error)) return false;

  if (!WriteWholeFile(temporary, bytes)) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace zorvika
