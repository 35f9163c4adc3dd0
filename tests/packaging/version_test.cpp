// The version number set once in CMake reaches the programs.
#include <gtest/gtest.h>

#include <regex>

#include "cli/cli_support.h"
#include "qorvi_version.h"

namespace qorvi::testing {
namespace {

TEST(Version, IsMajorMinorPatchOfTheSameNumbers) {
  std::string expected = std::to_string(QORVI_VERSION_MAJOR) + "." + std::to_string(QORVI_VERSION_MINOR) + "." +
                         std::to_string(QORVI_VERSION_PATCH);
  EXPECT_EQ(std::string(QORVI_VERSION), expected);
  EXPECT_TRUE(std::regex_match(QORVI_VERSION, std::regex(R"(\d+\.\d+\.\d+)")));
}

TEST(Version, AppIdIsAReverseDomainName) {
  // Desktops match the program's windows to its desktop entry by this name.
  EXPECT_TRUE(std::regex_match(QORVI_APP_ID, std::regex(R"([a-z][a-z0-9]*(\.[a-z][a-z0-9]*)+\.[A-Za-z][A-Za-z0-9]*)")))
      << QORVI_APP_ID;
}

TEST(Version, CliPrintsIt) {
  CliResult r = RunCli({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "qorvi-cli " QORVI_VERSION "\n");
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace qorvi::testing
