// Servers the web request tests talk to, all on 127.0.0.1 and started in-process:
// a cpp-httplib server (plain or TLS), a raw listener that records the exact bytes
// of each request, and a self-signed certificate made at test time.
#pragma once

#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zorvika::testing {

// A cpp-httplib server on a free port. Register handlers on server() first,
// then Start(); the destructor stops it and joins its thread.
class LoopbackHttpServer {
 public:
  LoopbackHttpServer();
  explicit LoopbackHttpServer(std::unique_ptr<httplib::Server> server);
  ~LoopbackHttpServer();

  httplib::Server& server() { return *server_; }

  // Binds a free port on 127.0.0.1 and returns once the server accepts requests.
  void Start();

  int port() const { return port_; }

  // "http://127.0.0.1:<port>" + path (or "https://..." when `secure`).
  std::string Url(const std::string& path, bool secure = false) const;

 private:
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = -1;
};

// A plain TCP listener that reads each request whole (head and Content-Length
// body), records its bytes and answers with a fixed response, then closes the
// connection. With `answer` false it accepts and never says anything.
class RawRecordingServer {
 public:
  explicit RawRecordingServer(std::string response = OkResponse("ok"), bool answer = true);
  ~RawRecordingServer();

  int port() const { return port_; }
  std::string Url(const std::string& path, bool secure = false) const;

  // The requests received so far, each as raw bytes.
  std::vector<std::string> Requests();

  // Connections accepted so far, answered or not.
  int ConnectionsAccepted() const { return accepted_; }

  // "HTTP/1.1 200 OK" with Content-Length, Connection: close and `body`.
  static std::string OkResponse(const std::string& body);

 private:
  void Serve();
  void Handle(int connection);

  std::string response_;
  bool answer_;
  int listener_ = -1;
  int port_ = -1;
  std::atomic<bool> stopping_{false};
  std::atomic<int> accepted_{0};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> heldConnections_;
  std::thread thread_;
};

// A received request split up: request line, header lines (without CR LF) and body.
struct ParsedRequest {
  std::string requestLine;
  std::vector<std::string> headerLines;
  std::string body;
};
ParsedRequest ParseRequest(const std::string& raw);

// A self-signed certificate for 127.0.0.1 with its key, as PEM files in a fresh
// temporary directory (removed by the destructor).
class TestCertificate {
 public:
  TestCertificate();
  ~TestCertificate();

  const std::string& certificateFile() const { return certificateFile_; }
  const std::string& keyFile() const { return keyFile_; }

 private:
  std::string directory_;
  std::string certificateFile_;
  std::string keyFile_;
};

// A free TCP port on 127.0.0.1 that nothing listens on any more.
int UnusedPort();

}  // namespace zorvika::testing
