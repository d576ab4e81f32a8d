// The fatal stop: message on standard error, the installed reporter, exit code -1
// (status 255), and failed memory requests ending the same way with code 0.
#include "core/run_time_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>
#include <thread>

namespace zorvika {
namespace {

TEST(RunTimeErrorDeathTest, NamesCodeAndSituationAndExitsWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(RunTimeError(9, "choosing the request method"), testing::ExitedWithCode(255),
              "run-time error 9 \\(choice outside the list of values\\): choosing the request method");
}

TEST(RunTimeErrorDeathTest, ReporterSeesTheMessageBeforeTheEnd) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SetRunTimeErrorReporter([](const std::string& message) {
          std::fprintf(stderr, "reported [%s]\n", message.c_str());
        });
        RunTimeError(1, "reading row 5");
      },
      testing::ExitedWithCode(255), "reported \\[Zorvika run-time error 1 .*: reading row 5\\]");
}

TEST(RunTimeErrorDeathTest, EndsTheProcessFromAWorkerThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::thread worker([] { RunTimeError(4, "on the worker"); });
        worker.join();
        std::fputs("the main thread went on\n", stderr);
        std::_Exit(0);
      },
      testing::ExitedWithCode(255), "run-time error 4 .*on the worker");
}

TEST(RunTimeErrorDeathTest, InstalledOutOfMemoryHandlerRaisesCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        InstallOutOfMemoryHandler();
        std::new_handler handler = std::get_new_handler();
        if (handler != nullptr) handler();
      },
      testing::ExitedWithCode(255), "run-time error 0 \\(memory could not be obtained\\)");
}

#if !defined(__SANITIZE_ADDRESS__)
// AddressSanitizer reports a failed allocation itself instead of calling the
// new handler, so this runs only in builds without it.
TEST(RunTimeErrorDeathTest, FailedAllocationEndsWithCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        InstallOutOfMemoryHandler();
        void* memory = ::operator new(std::size_t{1} << 62);
        ::operator delete(memory);
      },
      testing::ExitedWithCode(255), "run-time error 0 ");
}
#endif

}  // namespace
}  // namespace zorvika
