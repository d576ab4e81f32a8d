#include "web/loopback_servers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <strings.h>
#include <utility>

namespace zorvika::testing {

namespace {

constexpr const char* kLoopback = "127.0.0.1";

std::string BaseUrl(int port, bool secure) {
  return std::string(secure ? "https://" : "http://") + kLoopback + ":" + std::to_string(port);
}

// A listening socket on 127.0.0.1 with a port the system chose.
int ListenOnFreePort(int& port) {
  const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener < 0) {
    throw std::runtime_error("socket failed");
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 16) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(listener);
    throw std::runtime_error("bind or listen failed");
  }
  port = ntohs(address.sin_port);
  return listener;
}

bool WaitReadable(int socket, int milliseconds) {
  pollfd entry{socket, POLLIN, 0};
  return poll(&entry, 1, milliseconds) > 0;
}

// Content-Length of a request head, 0 when it has none.
size_t ContentLengthOf(const std::string& head) {
  const ParsedRequest parsed = ParseRequest(head);
  for (const std::string& line : parsed.headerLines) {
    const size_t colon = line.find(':');
    if (colon != std::string::npos && strncasecmp(line.c_str(), "Content-Length", colon) == 0 && colon == 14) {
      return std::strtoul(line.c_str() + colon + 1, nullptr, 10);
    }
  }
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------

LoopbackHttpServer::LoopbackHttpServer() : LoopbackHttpServer(std::make_unique<httplib::Server>()) {}

LoopbackHttpServer::LoopbackHttpServer(std::unique_ptr<httplib::Server> server) : server_(std::move(server)) {
  // Connections the client keeps open must not hold up the stop for long.
  server_->set_keep_alive_timeout(1);
}

LoopbackHttpServer::~LoopbackHttpServer() {
  if (thread_.joinable()) {
    server_->stop();
    thread_.join();
  }
}

void LoopbackHttpServer::Start() {
  port_ = server_->bind_to_any_port(kLoopback);
  if (port_ <= 0) {
    throw std::runtime_error("could not bind the test server");
  }
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // stop() before the server runs would be lost and the join would hang.
  while (!server_->is_running()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

std::string LoopbackHttpServer::Url(const std::string& path, bool secure) const {
  return BaseUrl(port_, secure) + path;
}

// ---------------------------------------------------------------------------

RawRecordingServer::RawRecordingServer(std::string response, bool answer)
    : response_(std::move(response)), answer_(answer) {
  listener_ = ListenOnFreePort(port_);
  thread_ = std::thread([this] { Serve(); });
}

RawRecordingServer::~RawRecordingServer() {
  stopping_ = true;
  thread_.join();
  for (const int connection : heldConnections_) {
    close(connection);
  }
  close(listener_);
}

std::string RawRecordingServer::Url(const std::string& path, bool secure) const {
  return BaseUrl(port_, secure) + path;
}

std::vector<std::string> RawRecordingServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string RawRecordingServer::OkResponse(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void RawRecordingServer::Serve() {
  while (!stopping_) {
    if (!WaitReadable(listener_, 20)) {
      continue;
    }
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      continue;
    }
    ++accepted_;
    if (!answer_) {
      heldConnections_.push_back(connection);
      continue;
    }
    Handle(connection);
    close(connection);
  }
}

void RawRecordingServer::Handle(int connection) {
  std::string received;
  size_t wanted = std::string::npos;  // total bytes once the head is known
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (received.size() < wanted && std::chrono::steady_clock::now() < deadline && !stopping_) {
    if (!WaitReadable(connection, 20)) {
      continue;
    }
    char buffer[4096];
    const ssize_t count = recv(connection, buffer, sizeof buffer, 0);
    if (count <= 0) {
      break;
    }
    received.append(buffer, static_cast<size_t>(count));
    const size_t headEnd = received.find("\r\n\r\n");
    if (wanted == std::string::npos && headEnd != std::string::npos) {
      wanted = headEnd + 4 + ContentLengthOf(received.substr(0, headEnd + 4));
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(received);
  }
  size_t sent = 0;
  while (sent < response_.size()) {
    const ssize_t count = send(connection, response_.data() + sent, response_.size() - sent, MSG_NOSIGNAL);
    if (count <= 0) {
      break;
    }
    sent += static_cast<size_t>(count);
  }
  shutdown(connection, SHUT_WR);
  // Let the client read the response before the socket goes away.
  while (WaitReadable(connection, 200)) {
    char buffer[256];
    if (recv(connection, buffer, sizeof buffer, 0) <= 0) {
      break;
    }
  }
}

ParsedRequest ParseRequest(const std::string& raw) {
  ParsedRequest parsed;
  const size_t headEnd = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, headEnd);
  if (headEnd != std::string::npos) {
    parsed.body = raw.substr(headEnd + 4);
  }
  size_t start = 0;
  bool first = true;
  while (start <= head.size()) {
    size_t end = head.find("\r\n", start);
    if (end == std::string::npos) {
      end = head.size();
    }
    const std::string line = head.substr(start, end - start);
    if (first) {
      parsed.requestLine = line;
      first = false;
    } else {
      parsed.headerLines.push_back(line);
    }
    start = end + 2;
  }
  return parsed;
}

// ---------------------------------------------------------------------------

TestCertificate::TestCertificate() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorvika-web-tls-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  directory_ = pattern;
  certificateFile_ = directory_ + "/certificate.pem";
  keyFile_ = directory_ + "/key.pem";

  EVP_PKEY* key = EVP_EC_gen("P-256");
  X509* certificate = X509_new();
  X509_set_version(certificate, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), static_cast<long>(std::time(nullptr)));
  X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
  X509_gmtime_adj(X509_getm_notAfter(certificate), 24 * 3600);
  X509_set_pubkey(certificate, key);
  X509_NAME* name = X509_get_subject_name(certificate);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(kLoopback), -1, -1, 0);
  X509_set_issuer_name(certificate, name);

  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  for (const auto& [nid, value] : {std::pair{NID_subject_alt_name, "IP:127.0.0.1"},
                                   std::pair{NID_basic_constraints, "critical,CA:TRUE"},
                                   std::pair{NID_subject_key_identifier, "hash"}}) {
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
  }
  X509_sign(certificate, key, EVP_sha256());

  FILE* certificateOut = std::fopen(certificateFile_.c_str(), "w");
  FILE* keyOut = std::fopen(keyFile_.c_str(), "w");
  const bool written = certificateOut != nullptr && keyOut != nullptr && PEM_write_X509(certificateOut, certificate) == 1 &&
                       PEM_write_PrivateKey(keyOut, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
  if (certificateOut != nullptr) std::fclose(certificateOut);
  if (keyOut != nullptr) std::fclose(keyOut);
  X509_free(certificate);
  EVP_PKEY_free(key);
  if (!written) {
    throw std::runtime_error("could not write the test certificate");
  }
}

TestCertificate::~TestCertificate() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

int UnusedPort() {
  int port = -1;
  close(ListenOnFreePort(port));
  return port;
}

}  // namespace zorvika::testing
