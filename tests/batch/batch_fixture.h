// Shared set-up of the batch tests: a fresh program directory, the in-memory
// controls, a job context with short retry pauses, and helpers to run a job
// against a loopback demo site and to look at what it left on disk.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "batch/batch_job.h"
#include "batch/memory_controls.h"
#include "core/text.h"
#include "core/text_printing.h"
#include "demo/demo_site.h"
#include "extract/codepage.h"

namespace zorvika::batchtest {

// Status texts of the result list's last column, in code page 936.
inline const Text kDownloading("\xCF\xC2\xD4\xD8\xD6\xD0");             // 下载中
inline const Text kDownloaded("\xCF\xC2\xD4\xD8\xCD\xEA");              // 下载完
inline const Text kDownloadFailed("\xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC");  // 下载失败
inline const Text kSaveFailed("\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC");      // 保存失败

// "下载视频" in UTF-8, the folder below the program directory.
inline const std::string kVideoFolderUtf8 = "\xE4\xB8\x8B\xE8\xBD\xBD\xE8\xA7\x86\xE9\xA2\x91";

// A UTF-8 literal as std::string: U8(u8"海边").
inline std::string U8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

inline std::filesystem::path Utf8Path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Whether the file holds exactly the body the site serves for video `index` of
// page `page`; on failure says where it differs instead of printing the bytes.
inline ::testing::AssertionResult HoldsVideo(const std::filesystem::path& path, int page, int index,
                                             std::size_t size) {
  const std::string stored = ReadFile(path);
  const std::string served = demo::VideoBody(page, index, size);
  if (stored == served) return ::testing::AssertionSuccess();
  std::size_t offset = 0;
  while (offset < stored.size() && offset < served.size() && stored[offset] == served[offset]) ++offset;
  return ::testing::AssertionFailure() << path << " holds " << stored.size() << " bytes, the site served " << size
                                       << "; they differ from byte " << offset;
}

// A video of `size` bytes with a plain title, served at full speed.
inline demo::SiteVideo Video(const std::string& utf8Title, std::size_t size) {
  demo::SiteVideo video;
  video.utf8Title = utf8Title;
  video.size = size;
  return video;
}

class BatchTest : public ::testing::Test {
 protected:
  // The program directory lies one level inside a sandbox of its own, so that a
  // file that escaped it would still be seen.
  void SetUp() override {
    std::random_device random;
    sandbox = std::filesystem::temp_directory_path() /
              ("zorvika-batch-test-" + std::to_string(random()) + std::to_string(random()));
    programDirectory = sandbox / "program";
    std::filesystem::create_directories(programDirectory);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(sandbox, ignored);
  }

  // The context of a job against `site`: pauses of 1 ms between the requests of
  // a video, the stop flag of this fixture.
  BatchContext Context(const demo::DemoSite& site) const {
    BatchContext context;
    context.siteHost = Text(site.HostPort());
    context.programDirectory = programDirectory;
    context.retryPauses.assign(4, std::chrono::milliseconds(1));
    context.stopRequested = &stop;
    return context;
  }

  // Runs a whole job with the page boxes holding `first` and `last`.
  void RunJob(const demo::DemoSite& site, const Text& first, const Text& last) {
    controls.texts[kFirstPageBox.bytes()] = first;
    controls.texts[kLastPageBox.bytes()] = last;
    RunBatch(controls, Context(site));
  }

  std::filesystem::path PageFolder(const std::string& page) const {
    return programDirectory / Utf8Path(kVideoFolderUtf8) / Utf8Path(page);
  }

  // Every file in the sandbox, as UTF-8 paths relative to the program directory
  // ("../x" for one beside it), sorted.
  std::vector<std::string> FilesOnDisk() const {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sandbox)) {
      if (!entry.is_directory()) {
        std::u8string relative = entry.path().lexically_relative(programDirectory).u8string();
        files.emplace_back(relative.begin(), relative.end());
      }
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  // The relative path of a video file of page `page`: 下载视频/<page>/<name>.
  static std::string VideoFile(const std::string& page, const std::string& utf8Name) {
    return kVideoFolderUtf8 + "/" + page + "/" + utf8Name;
  }

  std::filesystem::path sandbox;
  std::filesystem::path programDirectory;
  std::atomic<bool> stop{false};
  MemoryControls controls;
};

}  // namespace zorvika::batchtest
