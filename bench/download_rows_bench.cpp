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

double bestDownloadRowsSeconds = 0;
double bestCurlSeconds = 0;

void KeepBest(double& best, double seconds) { best = best == 0 ? seconds : std::min(best, seconds); }

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
    KeepBest(bestDownloadRowsSeconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
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
    KeepBest(bestCurlSeconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
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
  if (bestDownloadRowsSeconds > 0 && bestCurlSeconds > 0) {
    std::printf("best of each: DownloadRows %.0f MB/s, curl %.0f MB/s, ratio %.2f (target >= 0.90)\n",
                mb / bestDownloadRowsSeconds, mb / bestCurlSeconds, bestCurlSeconds / bestDownloadRowsSeconds);
  }
  std::printf("peak resident memory %.0f MB for a %.0f MB video (target <= %.0f MB)\n",
              static_cast<double>(PeakResidentKilobytes()) / 1024, mb, mb + 50);
  std::filesystem::remove_all(Shared().programDirectory);
  return 0;
}
