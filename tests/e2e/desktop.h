// A private desktop for one end-to-end test, driven through the winsim command.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "command.h"

class Desktop : public ::testing::Test {
 protected:
  Desktop();
  ~Desktop() override;
  void SetUp() override;
  void TearDown() override;

  // Extra arguments for `winsim start` (--KEY VALUE settings).
  virtual std::vector<std::string> startArgs() const { return {}; }

  // One winsim command on this desktop.
  Result run(std::vector<std::string> args) const;
  // `winsim launch`; 0 (and a test failure) when it is refused.
  std::uint32_t launch(std::vector<std::string> args, int show = -1) const;
  void waitIdle() const;
  // The exit code as `wait-exit` prints it ("-" when unknown).
  std::string waitExit(std::uint32_t pid) const;
  // The output of a listing verb, one element per line.
  std::vector<std::string> lines(const std::string &verb, const std::string &window = "") const;

  const std::string &dir() const { return dir_; }
  // A program built beside winsim.
  static std::string binary(const std::string &name);

 private:
  std::string dir_;
};

// What `Result` says, for failure messages.
std::string describe(const Result &r);
