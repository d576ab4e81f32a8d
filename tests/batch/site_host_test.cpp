// Where the listing site is (the build's host, or the environment's override)
// and where the program lives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "batch/site_host.h"

namespace zorvika {
namespace {

// Restores the environment variable when the test ends.
class SiteHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* value = std::getenv("ZORVIKA_SITE_HOST");
    hadValue_ = value != nullptr;
    if (hadValue_) saved_ = value;
    unsetenv("ZORVIKA_SITE_HOST");
  }
  void TearDown() override {
    if (hadValue_) {
      setenv("ZORVIKA_SITE_HOST", saved_.c_str(), 1);
    } else {
      unsetenv("ZORVIKA_SITE_HOST");
    }
  }

 private:
  bool hadValue_ = false;
  std::string saved_;
};

TEST_F(SiteHostTest, TheEnvironmentOverridesTheBuiltInHost) {
  const Text builtIn = SiteHost();
  EXPECT_FALSE(builtIn.empty());
  setenv("ZORVIKA_SITE_HOST", "127.0.0.1:8080", 1);
  EXPECT_EQ(SiteHost(), Text("127.0.0.1:8080"));
  setenv("ZORVIKA_SITE_HOST", "", 1);
  EXPECT_EQ(SiteHost(), builtIn);
}

TEST(ListingAddressTest, JoinsSchemeHostPathAndPage) {
  EXPECT_EQ(ListingAddress("h", "7"), Text("http://h/video/7"));
  EXPECT_EQ(ListingAddress("127.0.0.1:8080", "-2"), Text("http://127.0.0.1:8080/video/-2"));
}

TEST(ProgramDirectoryTest, HoldsTheRunningProgram) {
  EXPECT_TRUE(std::filesystem::is_regular_file(ProgramDirectory() / "test_batch"));
}

}  // namespace
}  // namespace zorvika
