// zorvika-demo-site: serves the demo pages on 127.0.0.1 so that the tool can be
// tried without the internet. Prints "127.0.0.1:PORT" on a line of its own once
// it accepts connections, then runs until SIGTERM or SIGINT arrives or, when its
// standard input is a pipe, until the other end of that pipe closes (the program
// that started it has ended).
//
//   zorvika-demo-site [PORT]      (PORT 0 or left out: a free port)

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <thread>

#include "demo/demo_site.h"

namespace {

// Reads standard input until it ends, then asks the process to stop.
void StopWhenInputCloses() {
  char buffer[256];
  while (true) {
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EINTR)) break;
  }
  kill(getpid(), SIGTERM);
}

bool InputIsPipe() {
  struct stat info {};
  return fstat(STDIN_FILENO, &info) == 0 && S_ISFIFO(info.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
  const int port = argc > 1 ? std::atoi(argv[1]) : 0;

  // The signals are taken by sigwait below, not by a handler: block them before
  // any thread starts, so every thread inherits the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    zorvika::demo::DemoSite site(zorvika::demo::DemoPages(), port);
    std::printf("%s\n", site.HostPort().c_str());
    std::fflush(stdout);

    if (InputIsPipe()) std::thread(StopWhenInputCloses).detach();
    int received = 0;
    sigwait(&stopSignals, &received);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zorvika-demo-site: %s\n", error.what());
    return 1;
  }
  return 0;
}
