// WebRequest fetching a 256 MiB body from a server on 127.0.0.1, beside the curl
// command line fetching the same address to /dev/null in the same run. Reports
// both throughputs and the peak resident memory of this process during a fetch
// (VmHWM, reset before each one); the target is at most the body size + 40 MB.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "web/web_request.h"

namespace {

constexpr std::int64_t kBodyBytes = std::int64_t{256} << 20;
constexpr double kMiB = 1024.0 * 1024.0;

// Answers every request on every connection with kBodyBytes of filler, from one
// 1 MiB buffer, so the server adds next to nothing to the process's memory.
class BodyServer {
 public:
  BodyServer() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("could not listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    filler_.assign(1 << 20, 'v');
    std::thread([this] { AcceptLoop(); }).detach();
  }

  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/video/big.mp4"; }

 private:
  void AcceptLoop() {
    for (;;) {
      const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection >= 0) {
        std::thread([this, connection] { Serve(connection); }).detach();
      }
    }
  }

  void Serve(int connection) {
    std::string pending;
    char buffer[4096];
    for (;;) {
      const size_t headEnd = pending.find("\r\n\r\n");
      if (headEnd == std::string::npos) {
        const ssize_t count = recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0) break;
        pending.append(buffer, static_cast<size_t>(count));
        continue;
      }
      pending.erase(0, headEnd + 4);
      const std::string head =
          "HTTP/1.1 200 OK\r\nContent-Type: video/mp4\r\nContent-Length: " + std::to_string(kBodyBytes) + "\r\n\r\n";
      if (!SendAll(connection, head.data(), head.size())) break;
      std::int64_t left = kBodyBytes;
      while (left > 0) {
        const size_t piece = static_cast<size_t>(std::min<std::int64_t>(left, filler_.size()));
        if (!SendAll(connection, filler_.data(), piece)) break;
        left -= static_cast<std::int64_t>(piece);
      }
      if (left > 0) break;
    }
    close(connection);
  }

  static bool SendAll(int connection, const char* data, size_t size) {
    while (size > 0) {
      const ssize_t count = send(connection, data, size, MSG_NOSIGNAL);
      if (count <= 0) return false;
      data += count;
      size -= static_cast<size_t>(count);
    }
    return true;
  }

  int listener_ = -1;
  int port_ = 0;
  std::string filler_;
};

BodyServer& Server() {
  static BodyServer* server = new BodyServer();  // serves until the process ends
  return *server;
}

// A "Vm..." line of /proc/self/status in MiB.
double StatusMiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) {
      std::istringstream value(line.substr(field.size() + 1));
      double kib = 0;
      value >> kib;
      return kib / 1024.0;
    }
  }
  return -1;
}

// Makes VmHWM start again from the current resident size.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_WebRequest256MiB(benchmark::State& state) {
  const zorvika::Text url(Server().Url().c_str());
  double peak = 0;
  double peakAboveStart = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ResetPeakMemory();
    const double start = StatusMiB("VmRSS");
    state.ResumeTiming();

    zorvika::Bytes body = zorvika::WebRequest(url);

    state.PauseTiming();
    const double high = StatusMiB("VmHWM");
    peak = std::max(peak, high);
    peakAboveStart = std::max(peakAboveStart, high - start);
    if (static_cast<std::int64_t>(body.size()) != kBodyBytes) {
      state.SkipWithError("body incomplete");
    }
    body = zorvika::Bytes();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kBodyBytes);
  state.counters["body_MiB"] = static_cast<double>(kBodyBytes) / kMiB;
  state.counters["peak_rss_MiB"] = peak;
  state.counters["peak_above_start_MiB"] = peakAboveStart;
}
BENCHMARK(BM_WebRequest256MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CurlCommandLine256MiB(benchmark::State& state) {
  const std::string command = "curl -s -o /dev/null '" + Server().Url() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("curl command failed");
    }
  }
  state.SetBytesProcessed(state.iterations() * kBodyBytes);
}
BENCHMARK(BM_CurlCommandLine256MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
