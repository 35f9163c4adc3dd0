// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(Version, CliPrintsItAndTheLicence) {
  CliResult r = RunCli({"--version"});
  EXPECT_EQ(r.status, 0);
  // The first line is the version alone (scripts and the packaging read it); the
  // licence follows on a line of its own.
  EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "qorvi-cli " QORVI_VERSION "\n");
  EXPECT_NE(r.out.find("\nLicence GPL-3.0-or-later: the GNU General Public License, version 3 or later.\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace qorvi::testing
