// DownloadRows on one page whose single video is 256 MB, served by the loopback
// demo site, beside the curl command line saving the same address into the same
// folder. Prints both throughputs, their ratio and the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "batch/batch_job.h"
#include "batch/video_file_name.h"
#include "batch/window_controls.h"
#include "demo/demo_site.h"

namespace {

using zorvika::Text;

constexpr std::size_t kVideoBytes = std::size_t{256} * 1024 * 1024;
const Text kDownloaded("\xCF\xC2\xD4\xD8\xCD\xEA");  // 下载完

// A result list of one row (title "bench", the video's address); the other
// controls are not used by DownloadRows.
class OneRowControls : public zorvika::WindowControls {
 public:
  explicit OneRowControls(const std::string& address) : address_(address) {}
  int InsertRow(const Text&) override { return 0; }
  void SetCellText(const Text&, int, int column, const Text& text) override {
    if (column == 3) status = text;
  }
  Text GetCellText(const Text&, int, int column) override { return column == 1 ? Text("bench") : Text(address_); }
  int RowCount(const Text&) override { return 1; }
  void DeleteAllRows(const Text&) override {}
  void AppendText(const Text&, const Text&) override {}
  void SetEnabled(const Text&, bool) override {}
  Text GetText(const Text&) override { return Text(); }
  void SetCellProgress(const Text&, int, int, std::int64_t, std::int64_t) override {}

  Text status;

 private:
  std::string address_;
};

struct Setup {
  std::unique_ptr<zorvika::demo::DemoSite> site;
  std::filesystem::path programDirectory;
  std::filesystem::path pageFolder;
};

Setup& Shared() {
  static Setup setup = [] {
    Setup s;
    zorvika::demo::SiteVideo video;
    video.utf8Title = "bench";
    video.size = kVideoBytes;
    s.site = std::make_unique<zorvika::demo::DemoSite>(std::vector<zorvika::demo::SitePage>{{1, {video}}});
    s.programDirectory = std::filesystem::temp_directory_path() /
                         ("zorvika-bench-" + std::to_string(std::random_device{}()));
    s.pageFolder = zorvika::PageFolder(s.programDirectory, "1");
    std::filesystem::create_directories(s.pageFolder);
    return s;
  }();
  return setup;
}

// Seconds of every timed download, for the summary after all runs.
std::vector<double> downloadRowsSeconds;
std::vector<double> curlSeconds;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_DownloadRows(benchmark::State& state) {
  Setup& setup = Shared();
  zorvika::BatchContext context;
  context.programDirectory = setup.programDirectory;
  const std::filesystem::path file = setup.pageFolder / "bench.mp4";
  for (auto _ : state) {
    OneRowControls controls(setup.site->VideoAddress(1, 0));
    const auto start = std::chrono::steady_clock::now();
    zorvika::DownloadRows(controls, "1", context);
    downloadRowsSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.PauseTiming();
    if (!(controls.status == kDownloaded) || std::filesystem::file_size(file) != kVideoBytes) {
      state.SkipWithError("the video was not stored whole");
    }
    std::filesystem::remove(file);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kVideoBytes));
  state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKilobytes()) / 1024;
}

void BM_CurlCommandLine(benchmark::State& state) {
  Setup& setup = Shared();
  const std::filesystem::path file = setup.pageFolder / "curl.mp4";
  const std::string command = "curl -s -o '" + file.string() + "' '" + setup.site->VideoAddress(1, 0) + "'";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    curlSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.PauseTiming();
    if (status != 0 || std::filesystem::file_size(file) != kVideoBytes) state.SkipWithError("curl failed");
    std::filesystem::remove(file);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kVideoBytes));
}

BENCHMARK(BM_CurlCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_DownloadRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  const double mb = static_cast<double>(kVideoBytes) / (1024 * 1024);
  const double downloadRows = Median(downloadRowsSeconds);
  const double curl = Median(curlSeconds);
  for (const auto* samples : {&downloadRowsSeconds, &curlSeconds}) {
    std::printf("%s ms:", samples == &curlSeconds ? "curl" : "DownloadRows");
    for (double seconds : *samples) std::printf(" %.0f", seconds * 1000);
    std::printf("\n");
  }
  if (downloadRows > 0 && curl > 0) {
    std::printf("median of %zu and %zu downloads: DownloadRows %.0f MB/s, curl %.0f MB/s, ratio %.2f (target >= 0.90)\n",
                downloadRowsSeconds.size(), curlSeconds.size(), mb / downloadRows, mb / curl, curl / downloadRows);
  }
  std::printf("peak resident memory %.0f MB for a %.0f MB video (target <= %.0f MB)\n",
              static_cast<double>(PeakResidentKilobytes()) / 1024, mb, mb + 50);
  std::filesystem::remove_all(Shared().programDirectory);
  return 0;
}
