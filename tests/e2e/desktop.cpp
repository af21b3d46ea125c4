#include "desktop.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string describe(const Result &r) {
  return "exit " + std::to_string(r.status) + "\nstdout: " + r.out + "\nstderr: " + r.err;
}

std::string Desktop::binary(const std::string &name) { return std::string(WINSIM_BIN_DIR) + "/" + name; }

Desktop::Desktop() {
  std::string templ = (std::filesystem::temp_directory_path() / "winsim-e2e-XXXXXX").string();
  if (::mkdtemp(templ.data())) dir_ = templ;
}

Desktop::~Desktop() {
  if (dir_.empty()) return;
  run({"stop"});
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void Desktop::SetUp() {
  ASSERT_FALSE(dir_.empty()) << "cannot make a temporary directory: " << std::strerror(errno);
  std::vector<std::string> args = {"start"};
  for (const auto &a : startArgs()) args.push_back(a);
  Result r = run(args);
  ASSERT_EQ(r.status, 0) << describe(r);
}

void Desktop::TearDown() {
  if (!HasFailure()) return;
  std::ifstream log(dir_ + "/server.log");
  std::stringstream text;
  text << log.rdbuf();
  std::cerr << "---- server.log ----\n" << text.str() << "--------------------\n";
}

Result Desktop::run(std::vector<std::string> args) const {
  args.insert(args.begin(), "winsim");
  return run_command(binary("winsim"), std::move(args), {"WINSIM_DESKTOP=" + dir_});
}

std::uint32_t Desktop::launch(std::vector<std::string> args, int show) const {
  std::vector<std::string> cmd = {"launch"};
  if (show >= 0) cmd.insert(cmd.end(), {"--show", std::to_string(show)});
  cmd.push_back("--");
  cmd.insert(cmd.end(), args.begin(), args.end());
  Result r = run(cmd);
  EXPECT_EQ(r.status, 0) << describe(r);
  if (r.status != 0) return 0;
  return static_cast<std::uint32_t>(std::stoul(r.out));
}

void Desktop::waitIdle() const {
  Result r = run({"wait-idle"});
  EXPECT_EQ(r.status, 0) << describe(r);
}

std::string Desktop::waitExit(std::uint32_t pid) const {
  Result r = run({"wait-exit", std::to_string(pid)});
  EXPECT_EQ(r.status, 0) << describe(r);
  while (!r.out.empty() && r.out.back() == '\n') r.out.pop_back();
  return r.out;
}

std::vector<std::string> Desktop::lines(const std::string &verb, const std::string &window) const {
  std::vector<std::string> args = {verb};
  if (!window.empty()) args.push_back(window);
  Result r = run(args);
  EXPECT_EQ(r.status, 0) << describe(r);
  std::vector<std::string> result;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}
