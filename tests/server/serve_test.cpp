// The server end to end over its socket, with raw requests, before any client library exists.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "common.h"
#include "metrics.h"
#include "protocol.h"
#include "server.h"

namespace winsim::server {
namespace {

using namespace proto;

template <class Req>
struct RepOf;
#define WINSIM_REP_OF(name, fields) \
  template <>                       \
  struct RepOf<name##Req> {         \
    using type = name##Rep;         \
  };
WINSIM_REQUESTS(WINSIM_REP_OF)
#undef WINSIM_REP_OF

constexpr U32 kInf = 0xFFFFFFFFu;

// One connection speaking raw requests; blocking, with a receive limit so a fault fails the
// test instead of hanging it.
class Client {
 public:
  Client(const std::string &socketPath, U32 role) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socketPath.c_str());
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    timeval limit{10, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    if (connected_) pid = call(HelloReq{role}).pid;
  }
  ~Client() { close(); }
  void close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  bool connected() const { return connected_; }

  template <class Req>
  void send(const Req &r) {
    ASSERT_TRUE(write_frame(fd_, Req::kCode, encode_payload(r)));
  }
  template <class Rep>
  Rep receive(U32 &status) {
    Frame f;
    Rep rep{};
    status = 0xDEAD;
    if (!read_frame(fd_, f)) {
      ADD_FAILURE() << "no reply";
      return rep;
    }
    EXPECT_EQ(f.code, Rep::kCode);
    EXPECT_TRUE(decode_reply(f.payload, status, rep));
    return rep;
  }
  // A request expected to succeed.
  template <class Req>
  typename RepOf<Req>::type call(const Req &r) {
    U32 status = 0;
    auto rep = call(r, status);
    EXPECT_EQ(status, 0u) << code_name(Req::kCode);
    return rep;
  }
  template <class Req>
  typename RepOf<Req>::type call(const Req &r, U32 &status) {
    send(r);
    return receive<typename RepOf<Req>::type>(status);
  }
  template <class Req>
  U32 status_of(const Req &r) {
    U32 status = 0;
    call(r, status);
    return status;
  }
  // Whether a reply is waiting to be read (after a round trip elsewhere has proved the server
  // handled what this connection sent).
  bool has_reply() const {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
  }

  // The server closed the connection with nothing more to say.
  bool ends_without_reply() {
    Frame f;
    return !read_frame(fd_, f);
  }

  U32 pid = 0;

 private:
  int fd_ = -1;
  bool connected_ = false;
};

class Serve : public ::testing::Test {
 protected:
  void SetUp() override {
    const char *tmp = std::getenv("TMPDIR");
    std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/winsim-serve-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    root_ = tmpl;
    dir_ = root_ + "/desk";
  }
  void TearDown() override {
    if (server_ > 0) {
      stop();
    }
    std::string cmd = "rm -rf '" + root_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  void start(std::vector<std::string> settings = {}) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    server_ = ::fork();
    ASSERT_GE(server_, 0);
    if (server_ == 0) {
      ::close(ready[0]);
      ::_exit(serve(dir_, settings, ready[1]));
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
  }
  // Stops the server; its exit status.
  int stop() {
    Client cmd(sock(), 1);
    EXPECT_EQ(cmd.status_of(StopReq{}), 0u);
    int status = 0;
    EXPECT_EQ(::waitpid(server_, &status, 0), server_);
    server_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string sock() const { return dir_ + "/socket"; }
  std::unique_ptr<Client> thread() { return std::make_unique<Client>(sock(), 0); }
  std::unique_ptr<Client> command() { return std::make_unique<Client>(sock(), 1); }
  std::string query(const std::string &what, U32 hwnd = 0) {
    return command()->call(QueryReq{what, hwnd}).text;
  }
  // This test process's line of `ps`.
  std::string my_ps() {
    std::istringstream lines(query("ps"));
    std::string line, mine;
    std::string prefix = std::to_string(::getpid()) + " ";
    while (std::getline(lines, line))
      if (line.rfind(prefix, 0) == 0) mine = line;
    return mine;
  }
  U32 window(Client &c, const std::string &title, U32 menu = 0) {
    return c.call(CreateWindowReq{"OstikClass", title, 0, 0, metrics::kUseDefault, 0,
                                  metrics::kUseDefault, 0, 0, menu})
        .hwnd;
  }

  std::string root_, dir_;
  pid_t server_ = -1;
};

TEST_F(Serve, AutoResetEventReleasesOneWaiterAtATime) {
  start();
  auto a = thread(), b = thread(), c = thread();
  auto ha = a->call(CreateEventReq{"evt", 0, 0});
  EXPECT_EQ(ha.existed, 0u);
  auto hb = b->call(CreateEventReq{"evt", 1, 1});  // same object: its flags are ignored
  EXPECT_EQ(hb.existed, 1u);
  EXPECT_NE(hb.handle, ha.handle);
  U32 hc = c->call(OpenEventReq{"evt"}).handle;

  a->send(MsgWaitReq{{ha.handle}, kInf, 0xFF});
  b->send(MsgWaitReq{{hb.handle}, kInf, 0xFF});
  EXPECT_NE(my_ps().find("state=running"), std::string::npos) << my_ps();  // c does not wait
  EXPECT_FALSE(a->has_reply());
  EXPECT_FALSE(b->has_reply());

  c->call(EventOpReq{hc, 0});
  U32 status = 0;
  auto first = a->receive<MsgWaitRep>(status);  // the earlier waiter
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(first.result, 0u);
  query("ps");
  EXPECT_FALSE(b->has_reply()) << "an auto-reset event released two waiters";

  c->call(EventOpReq{hc, 0});
  auto second = b->receive<MsgWaitRep>(status);
  EXPECT_EQ(second.result, 0u);
  EXPECT_EQ(c->call(WaitSingleReq{hc, 0}).result, 0x102u);  // both signals were used up

  // Manual reset: stays signalled for every waiter until reset; pulse releases and resets.
  U32 m = a->call(CreateEventReq{"", 1, 1}).handle;
  EXPECT_EQ(a->call(WaitSingleReq{m, kInf}).result, 0u);
  EXPECT_EQ(a->call(MsgWaitReq{{ha.handle, m}, 0, 0}).result, 1u);
  a->call(EventOpReq{m, 1});
  EXPECT_EQ(a->call(WaitSingleReq{m, 0}).result, 0x102u);
  b->send(WaitSingleReq{hb.handle, kInf});
  c->call(EventOpReq{hc, 2});
  EXPECT_EQ(b->receive<WaitSingleRep>(status).result, 0u);
  EXPECT_EQ(c->call(WaitSingleReq{hc, 0}).result, 0x102u);
}

TEST_F(Serve, HandleErrors) {
  start();
  auto a = thread(), cmd = command();
  U32 h = a->call(CreateEventReq{"", 0, 0}).handle;
  EXPECT_EQ(h, 4u);
  EXPECT_EQ(a->call(CreateEventReq{"", 0, 0}).handle, 8u);
  U32 status = 0;
  auto bad = a->call(MsgWaitReq{{h, 0x999}, kInf, 0xFF}, status);
  EXPECT_EQ(status, 6u);
  EXPECT_EQ(bad.result, 0xFFFFFFFFu);
  EXPECT_EQ(a->status_of(OpenEventReq{"absent"}), 2u);
  EXPECT_EQ(a->status_of(EventOpReq{0x999, 0}), 6u);
  EXPECT_EQ(a->status_of(CloseHandleReq{h}), 0u);
  EXPECT_EQ(a->status_of(CloseHandleReq{h}), 6u);
  EXPECT_EQ(cmd->status_of(CreateEventReq{"x", 0, 0}), 5u);  // the command is not a process

  // A name is free again once the last handle of its event is closed.
  U32 n = a->call(CreateEventReq{"named", 0, 0}).handle;
  a->call(CloseHandleReq{n});
  EXPECT_EQ(a->status_of(OpenEventReq{"named"}), 2u);
  EXPECT_EQ(a->call(CreateEventReq{"named", 0, 0}).existed, 0u);

  // A handle closed by another thread fails a wait that is already held.
  auto b = thread();
  U32 w = a->call(CreateEventReq{"", 0, 0}).handle;
  b->send(MsgWaitReq{{w}, kInf, 0});
  a->call(CloseHandleReq{w});
  EXPECT_EQ(b->receive<MsgWaitRep>(status).result, 0xFFFFFFFFu);
  EXPECT_EQ(status, 6u);
}

TEST_F(Serve, MsgWaitWakesForInputNewSinceTheQueueWasLookedAt) {
  start();
  auto a = thread(), cmd = command();
  U32 hwnd = window(*a, "Main");
  U32 ev = a->call(CreateEventReq{"", 0, 0}).handle;
  EXPECT_EQ(a->call(MsgWaitReq{{}, 0, 0xFF}).result, 0x102u);

  cmd->call(PostReq{hwnd, 0x400, 0, 0});
  EXPECT_EQ(a->call(MsgWaitReq{{ev}, kInf, 0xFF}).result, 1u);  // handles.size()
  EXPECT_EQ(a->call(MsgWaitReq{{ev}, 0, 0x01}).result, 0x102u);  // not in mask
  EXPECT_EQ(a->call(PeekReq{0, 0, 0, 0}).mMsg, 0x400u);  // looked at, left queued
  EXPECT_EQ(a->call(MsgWaitReq{{ev}, 0, 0xFF}).result, 0x102u);
  U32 st = a->call(QueueStatusReq{0xFF}).status;
  EXPECT_EQ(st, 0x08u << 16);  // there, but not new

  a->send(MsgWaitReq{{ev}, kInf, 0xFF});
  query("ps");
  EXPECT_FALSE(a->has_reply());
  cmd->call(KeyInputReq{hwnd, 'A', 'a', 0});
  U32 status = 0;
  EXPECT_EQ(a->receive<MsgWaitRep>(status).result, 1u);
  EXPECT_EQ(a->call(QueueStatusReq{0x01}).status, (0x01u << 16) | 0x01u);
  EXPECT_EQ(a->call(QueueStatusReq{0x01}).status, 0x01u << 16);

  // A finite time-out answers WAIT_TIMEOUT.
  EXPECT_EQ(a->call(MsgWaitReq{{ev}, 20, 0xFF}).result, 0x102u);
}

TEST_F(Serve, PeekOrderAndPaint) {
  start();
  auto a = thread(), cmd = command();
  U32 hwnd = window(*a, "Main");
  a->call(SetWindowStateReq{hwnd, 1, 0, 1});  // shown: invalid, to be erased
  cmd->call(PostReq{hwnd, 0x401, 1, 2});
  cmd->call(KeyInputReq{hwnd, 0x70, 0, 0});
  a->call(PostQuitReq{5});
  a->call(PostReq{0, 0x402, 0, 0});  // a thread message
  cmd->call(PostBatchReq{hwnd, 0x403, 0, 0, 2});

  struct Want {
    U32 hwnd, msg;
    U64 wParam;
  } want[] = {{hwnd, 0x401, 1}, {0, 0x402, 0},    {hwnd, 0x403, 0},   {hwnd, 0x403, 0},
              {hwnd, 0x100, 0x70}, {hwnd, 0x101, 0x70}, {0, 0x12, 5}, {hwnd, 0x0F, 0}};
  for (const auto &w : want) {
    auto m = a->call(PeekReq{0, 0, 0, 1});
    EXPECT_EQ(m.got, 1u);
    EXPECT_EQ(m.mMsg, w.msg);
    EXPECT_EQ(m.mHwnd, w.hwnd) << w.msg;
    EXPECT_EQ(m.mWParam, w.wParam) << w.msg;
  }
  EXPECT_EQ(a->call(PeekReq{0, 0, 0, 1}).mMsg, 0x0Fu);  // WM_PAINT stays until validated
  EXPECT_EQ(a->call(BeginPaintReq{hwnd}).erase, 1u);
  EXPECT_EQ(a->call(BeginPaintReq{hwnd}).erase, 0u);
  EXPECT_EQ(a->call(PeekReq{0, 0, 0, 1}).got, 0u);

  // Get is held until something comes; the quit flag gives WM_QUIT once.
  a->send(GetReq{0, 0, 0});
  query("ps");
  EXPECT_FALSE(a->has_reply());
  cmd->call(PostReq{hwnd, 0x404, 0, 0});
  U32 status = 0;
  EXPECT_EQ(a->receive<GetRep>(status).mMsg, 0x404u);
}

TEST_F(Serve, SentMessagesAndReplies) {
  start();
  auto a = thread(), b = thread();
  U32 wa = window(*a, "A"), wb = window(*b, "B");
  EXPECT_EQ(a->status_of(SendReq{wa, 0x10, 0, 0}), 87u);  // to itself
  EXPECT_EQ(a->status_of(SendReq{0x7777, 0x10, 0, 0}), 1400u);

  a->send(GetReq{0, 0, 0});
  U32 id = b->call(SendReq{wa, 0x10, 1, 2}).id;
  U32 status = 0;
  EXPECT_EQ(a->receive<GetRep>(status).sent, 1u);
  b->send(WaitReplyReq{id});
  auto got = a->call(ReceiveSentReq{});
  EXPECT_EQ(got.id, id);
  EXPECT_EQ(got.hwnd, wa);
  EXPECT_EQ(got.msg, 0x10u);
  EXPECT_EQ(got.wParam, 1u);
  EXPECT_EQ(got.lParam, 2u);
  EXPECT_EQ(a->status_of(ReceiveSentReq{}), 1168u);
  EXPECT_FALSE(b->has_reply());
  a->call(ReplySentReq{id, 42});
  auto answer = b->receive<WaitReplyRep>(status);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(answer.sent, 0u);
  EXPECT_EQ(answer.result, 42u);

  // Replied before the sender asks: answered at once.
  U32 id2 = b->call(SendReq{wa, 0x11, 0, 0}).id;
  EXPECT_NE(id2, id);
  EXPECT_EQ(a->call(ReceiveSentReq{}).id, id2);
  a->call(ReplySentReq{id2, 7});
  EXPECT_EQ(b->call(WaitReplyReq{id2}).result, 7u);

  // Two threads sending to each other: the waiting sender is told to take its own first.
  U32 ab = a->call(SendReq{wb, 0x12, 0, 0}).id;
  a->send(WaitReplyReq{ab});
  U32 ba = b->call(SendReq{wa, 0x13, 0, 0}).id;
  EXPECT_EQ(a->receive<WaitReplyRep>(status).sent, 1u);
  EXPECT_EQ(a->call(ReceiveSentReq{}).id, ba);
  a->call(ReplySentReq{ba, 1});
  EXPECT_EQ(b->call(WaitReplyReq{ba}).result, 1u);
  EXPECT_EQ(b->call(ReceiveSentReq{}).id, ab);
  b->call(ReplySentReq{ab, 2});
  EXPECT_EQ(a->call(WaitReplyReq{ab}).result, 2u);

  // The receiver's thread ends before answering: the sender's wait fails.
  U32 lost = b->call(SendReq{wa, 0x14, 0, 0}).id;
  b->send(WaitReplyReq{lost});
  a->close();
  b->receive<WaitReplyRep>(status);
  EXPECT_EQ(status, 1400u);
  EXPECT_EQ(query("windows").find("\"A\""), std::string::npos);
}

TEST_F(Serve, WaitIdleOnceEveryThreadWaitsForNothingPending) {
  start();
  auto a = thread(), b = thread(), cmd = command();
  U32 hwnd = window(*a, "A");
  EXPECT_EQ(cmd->status_of(WaitIdleReq{20}), 1460u);  // a and b run
  U32 ev = a->call(CreateEventReq{"", 0, 0}).handle;
  a->send(MsgWaitReq{{ev}, kInf, 0xFF});
  cmd->send(WaitIdleReq{kInf});
  query("ps");
  EXPECT_FALSE(cmd->has_reply());  // b still runs
  EXPECT_NE(my_ps().find("state=running"), std::string::npos);
  b->send(GetReq{0, 0, 0});
  U32 status = 0;
  cmd->receive<WaitIdleRep>(status);
  EXPECT_EQ(status, 0u);
  EXPECT_NE(my_ps().find("state=waiting"), std::string::npos) << my_ps();

  // A thread that has gone does not hold idleness up.
  thread()->call(CreateEventReq{"", 0, 0});
  EXPECT_EQ(cmd->status_of(WaitIdleReq{kInf}), 0u);

  // Input satisfies a's wait: busy until a waits again.
  cmd->call(PostReq{hwnd, 0x400, 0, 0});
  EXPECT_EQ(a->receive<MsgWaitRep>(status).result, 1u);
  EXPECT_EQ(cmd->status_of(WaitIdleReq{20}), 1460u);
  a->send(MsgWaitReq{{ev}, kInf, 0xFF});  // a wait does not mark input seen
  EXPECT_EQ(a->receive<MsgWaitRep>(status).result, 1u);
  a->call(PeekReq{0, 0, 0, 1});
  a->send(MsgWaitReq{{ev}, kInf, 0xFF});
  EXPECT_EQ(cmd->status_of(WaitIdleReq{kInf}), 0u);
}

TEST_F(Serve, LaunchWaitExitAndStop) {
  start();
  auto cmd = command();
  U32 ok = cmd->call(LaunchReq{{"/bin/sh", "-c", "exit 3"}, -1}).pid;
  U32 missing = cmd->call(LaunchReq{{"/nonexistent/program"}, -1}).pid;
  U32 env = cmd->call(LaunchReq{{"/bin/sh", "-c", "echo \"desk=$WINSIM_DESKTOP show=${WINSIM_SHOW-unset}\""}, 3}).pid;
  U32 noShow = cmd->call(LaunchReq{{"/bin/sh", "-c", "echo \"show=${WINSIM_SHOW-unset}\""}, -1}).pid;
  U32 killed = cmd->call(LaunchReq{{"/bin/sh", "-c", "kill -9 $$"}, -1}).pid;
  struct Case {
    U32 pid;
    I32 code;
  } cases[] = {{ok, 3}, {missing, 127}, {env, 0}, {noShow, 0}, {killed, 128 + 9}};
  for (const auto &c : cases) {
    auto r = cmd->call(WaitExitReq{c.pid, kInf});
    EXPECT_EQ(r.code, c.code) << c.pid;
    EXPECT_EQ(r.known, 1u);
  }
  std::string ps = query("ps");
  EXPECT_NE(ps.find(std::to_string(ok) + " state=ended requests=0 exit=3\n"), std::string::npos) << ps;
  EXPECT_EQ(cmd->status_of(WaitExitReq{0x7FFFFFF0, kInf}), 87u);

  std::ifstream log(dir_ + "/clients.log");
  std::stringstream text;
  text << log.rdbuf();
  char real[PATH_MAX];
  ASSERT_TRUE(::realpath(dir_.c_str(), real));
  EXPECT_NE(text.str().find(std::string("desk=") + real + " show=3\n"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("show=unset\n"), std::string::npos) << text.str();

  // A child that never connects stays "starting": the desktop is not idle.
  U32 sleeper = cmd->call(LaunchReq{{"sleep", "30"}, -1}).pid;
  EXPECT_NE(query("ps").find(std::to_string(sleeper) + " state=starting requests=0 exit=-"),
            std::string::npos);
  EXPECT_EQ(cmd->status_of(WaitIdleReq{20}), 1460u);
  EXPECT_EQ(cmd->status_of(WaitExitReq{sleeper, 20}), 1460u);

  auto waiter = thread();
  waiter->send(GetReq{0, 0, 0});
  EXPECT_EQ(stop(), 0);
  EXPECT_EQ(::kill(static_cast<pid_t>(sleeper), 0), -1);  // killed and reaped by the server
  struct stat st {};
  EXPECT_NE(::stat(sock().c_str(), &st), 0);
  EXPECT_TRUE(waiter->ends_without_reply());
}

// What a launched process does; it runs only inside the server's child, as set up below.
TEST(LaunchedChild, Run) {
  if (!std::getenv("WINSIM_SERVE_TEST_CHILD")) GTEST_SKIP() << "runs only as a launched process";
  Client c(desktop_socket_path(), 0);
  if (!c.connected()) ::_exit(20);
  c.call(CreateWindowReq{"Child", "child", 0, 0, 0, 0, 50, 50, 0, 0});
  c.call(ExitReq{9});
  auto m = c.call(GetReq{0, 0, 0});
  ::_exit(m.mMsg == 0x400 ? 5 : 21);
}

TEST_F(Serve, LaunchedProcessIsTheRecordItConnectsAs) {
  ::setenv("WINSIM_SERVE_TEST_CHILD", "1", 1);  // inherited by the server, then its children
  start();
  ::unsetenv("WINSIM_SERVE_TEST_CHILD");
  char self[PATH_MAX] = {};
  ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
  auto cmd = command();
  U32 pid = cmd->call(LaunchReq{{self, "--gtest_filter=LaunchedChild.Run"}, -1}).pid;
  EXPECT_EQ(cmd->status_of(WaitIdleReq{kInf}), 0u);
  std::string ps = query("ps");
  EXPECT_EQ(ps, std::to_string(pid) + " state=waiting requests=4 exit=-\n");
  U32 hwnd = cmd->call(ResolveWindowReq{"child"}).hwnd;
  EXPECT_NE(query("windows").find("pid=" + std::to_string(pid) + " class=\"Child\""), std::string::npos);
  cmd->call(PostReq{hwnd, 0x400, 0, 0});
  auto end = cmd->call(WaitExitReq{pid, kInf});
  EXPECT_EQ(end.code, 5);  // the child's exit status wins over what it announced
  EXPECT_EQ(end.known, 1u);
  EXPECT_EQ(query("windows"), "");
  EXPECT_EQ(query("ps"), std::to_string(pid) + " state=ended requests=4 exit=5\n");
}

TEST_F(Serve, ProcessEndTakesItsWindowsMenusAndObjects) {
  start();
  auto cmd = command();
  {
    auto a = thread(), b = thread();
    U32 menu = a->call(CreateMenuReq{""}).menu;
    window(*a, "Mine", menu);
    a->call(CreateEventReq{"shared", 0, 0});
    a->call(ExitReq{7});
    EXPECT_EQ(query("windows").find("\"Mine\"") != std::string::npos, true);
    a->close();
    EXPECT_EQ(query("windows"), "");  // the thread's windows went with it
    EXPECT_NE(my_ps().find("state=running"), std::string::npos);  // b lives on
    EXPECT_EQ(cmd->status_of(GetSubMenuReq{menu, 0}), 0u);  // menus belong to the process
    b->close();
    query("ps");
    EXPECT_NE(my_ps().find("state=ended"), std::string::npos) << my_ps();
    EXPECT_NE(my_ps().find("exit=7"), std::string::npos) << my_ps();
    EXPECT_EQ(cmd->status_of(GetSubMenuReq{menu, 0}), 1401u);
  }
  // The same pid connecting again is a new process, and the old names are free.
  auto c = thread();
  EXPECT_EQ(c->status_of(OpenEventReq{"shared"}), 2u);
  std::string ps = query("ps");
  EXPECT_EQ(std::count(ps.begin(), ps.end(), '\n'), 2) << ps;
  EXPECT_NE(my_ps().find("state=running requests=2 exit=-"), std::string::npos) << my_ps();
}

TEST_F(Serve, WindowsStateDrawingAndQueries) {
  start();
  auto a = thread(), b = thread(), cmd = command();
  U32 w1 = window(*a, "Ostik \"log\"");
  U32 w2 = b->call(CreateWindowReq{"Other", "two", 0, 0, 10, 20, 100, 80, 0, 0}).hwnd;
  EXPECT_EQ(w1, 0x00010010u);
  EXPECT_GT(w2, w1);

  auto info = a->call(GetWindowInfoReq{w1});
  EXPECT_EQ(info.mine, 1u);
  EXPECT_EQ(info.owner, a->pid);
  EXPECT_EQ(info.left, 24);
  EXPECT_EQ(info.top, 24);
  EXPECT_EQ(info.right, 624);
  EXPECT_EQ(info.bottom, 474);
  EXPECT_EQ(info.clientWidth, 592);
  EXPECT_EQ(info.clientHeight, 450 - 8 - 18);
  EXPECT_EQ(info.visible, 0u);
  EXPECT_EQ(b->call(GetWindowInfoReq{w1}).mine, 0u);
  auto info2 = b->call(GetWindowInfoReq{w2});
  EXPECT_EQ(info2.right, 110);
  EXPECT_EQ(info2.clientHeight, 80 - 26);
  EXPECT_EQ(a->status_of(GetWindowInfoReq{0x12345}), 1400u);

  // Only the owner changes state or destroys.
  EXPECT_EQ(b->status_of(SetWindowStateReq{w1, 1, 0, 0}), 5u);
  EXPECT_EQ(b->status_of(DestroyWindowReq{w1}), 5u);

  // Drawing shows only while visible; the list keeps everything.
  a->call(TextOutReq{w1, 0, 0, "hidden"});
  a->call(SetWindowStateReq{w1, 1, 0, 1});
  EXPECT_EQ(a->call(QueueStatusReq{0x20}).status, (0x20u << 16) | 0x20u);
  a->call(TextOutReq{w1, 16, 16, "Hi\tthere"});
  std::string screen = query("screen", w1);
  EXPECT_EQ(screen.substr(0, 13), "\n  Hi\\tthere\n");
  EXPECT_EQ(std::count(screen.begin(), screen.end(), '\n'), (450 - 26 + 15) / 16);
  EXPECT_EQ(query("textout", w1), "0 0 hidden\n16 16 Hi\\tthere\n");
  EXPECT_EQ(query("windows"),
            "0x00010010 pid=" + std::to_string(a->pid) +
                " class=\"OstikClass\" title=\"Ostik \\\"log\\\"\" visible=1 iconic=0 foreground=1\n"
                "0x" + [&] { char h[16]; std::snprintf(h, sizeof h, "%08x", w2); return std::string(h); }() +
                " pid=" + std::to_string(b->pid) +
                " class=\"Other\" title=\"two\" visible=0 iconic=0 foreground=0\n");

  // Minimising clears what it shows and drops the paint; restoring invalidates again.
  a->call(BeginPaintReq{w1});
  a->call(SetWindowStateReq{w1, 1, 1, 2});
  EXPECT_EQ(query("screen", w1), "");
  EXPECT_EQ(a->call(QueueStatusReq{0x20}).status, 0u);
  a->call(SetWindowStateReq{w1, 1, 0, 0});
  EXPECT_EQ(query("screen", w1).substr(0, 2), "\n\n");
  EXPECT_EQ(a->call(GetUpdateReq{w1}).invalid, 1u);
  EXPECT_EQ(a->call(PeekReq{0, 0, 0, 1}).mMsg, 0x0Fu);
  EXPECT_EQ(query("windows").find("foreground=1"), std::string::npos);  // given up

  // Lookups.
  EXPECT_EQ(a->call(FindWindowReq{1, "ostikclass", 0, ""}).hwnd, w1);
  EXPECT_EQ(a->call(FindWindowReq{0, "", 1, "TWO"}).hwnd, w2);
  EXPECT_EQ(a->call(FindWindowReq{1, "other", 1, "one"}).hwnd, 0u);
  EXPECT_EQ(cmd->call(ResolveWindowReq{"two"}).hwnd, w2);
  EXPECT_EQ(cmd->call(ResolveWindowReq{"0x00010010"}).hwnd, w1);
  EXPECT_EQ(cmd->status_of(ResolveWindowReq{"TWO"}), 1400u);
  EXPECT_EQ(cmd->status_of(SetForegroundReq{0x999}), 1400u);
  cmd->call(SetForegroundReq{w2});
  EXPECT_NE(query("windows").find("title=\"two\" visible=0 iconic=0 foreground=1"), std::string::npos);
  b->call(DestroyWindowReq{w2});
  EXPECT_EQ(cmd->status_of(ResolveWindowReq{"two"}), 1400u);
  EXPECT_EQ(cmd->status_of(QueryReq{"screen", w2}), 1400u);
  EXPECT_EQ(cmd->status_of(QueryReq{"nonsense", 0}), 87u);
}

TEST_F(Serve, MenusSettingsAndRecord) {
  start({"vbl=30"});
  auto a = thread(), cmd = command();
  Writer items;
  items.put(U32{0x10});
  items.put(U32{0});
  items.put(std::string("&Misc"));
  items.put(U32{0x80});
  items.put(U32{1000});
  items.put(std::string("Trigger &Video"));
  items.put(U32{0x80 | 0x8});
  items.put(U32{9});
  items.put(std::string("Lurk"));
  U32 menu = a->call(CreateMenuReq{items.bytes()}).menu;
  U32 hwnd = window(*a, "Main", menu);
  EXPECT_EQ(a->call(GetWindowInfoReq{hwnd}).clientHeight, 450 - 8 - 18 - 18);
  EXPECT_EQ(query("menu-state", hwnd),
            "1000 checked=0 grayed=0 \"Trigger &Video\"\n9 checked=1 grayed=0 \"Lurk\"\n");
  U32 sub = a->call(GetSubMenuReq{menu, 0}).sub;
  EXPECT_NE(sub, 0u);
  EXPECT_EQ(a->call(EnableMenuItemReq{menu, 1000, 1}).prev, 0u);
  EXPECT_EQ(a->call(CheckMenuItemReq{menu, 9, 0}).prev, 8u);
  EXPECT_EQ(a->call(CheckMenuItemReq{menu, 5, 8}).prev, 0xFFFFFFFFu);
  EXPECT_EQ(query("menu-state", hwnd),
            "1000 checked=0 grayed=1 \"Trigger &Video\"\n9 checked=0 grayed=0 \"Lurk\"\n");
  EXPECT_EQ(a->status_of(CreateMenuReq{"\x01"}), 87u);
  a->call(SetMenuReq{hwnd, 0});
  EXPECT_EQ(query("menu-state", hwnd), "");
  EXPECT_EQ(a->call(GetWindowInfoReq{hwnd}).clientHeight, 450 - 8 - 18);

  EXPECT_EQ(a->call(GetSettingReq{"vbl"}).value, "30");
  EXPECT_EQ(a->call(GetSettingReq{"version.value"}).value, "0xc3b60004");
  EXPECT_EQ(a->status_of(GetSettingReq{"nosuch"}), 1168u);
  U32 status = 0;
  auto refused = cmd->call(SetSettingsReq{{"version=nt", "vxd=broken"}}, status);
  EXPECT_NE(status, 0u);
  EXPECT_NE(refused.error.find("vxd"), std::string::npos);
  EXPECT_EQ(a->call(GetSettingReq{"version"}).value, "95");
  cmd->call(SetSettingsReq{{"version=nt"}});
  EXPECT_EQ(a->call(GetSettingReq{"version.value"}).value, "0x05650004");
  EXPECT_NE(query("show").find("version=nt\nvbl=30\n"), std::string::npos);

  a->call(RecordReq{"beep 0"});
  a->call(RecordReq{"winhelp ostik.hlp 3 0"});
  EXPECT_EQ(query("log"), "beep 0\nwinhelp ostik.hlp 3 0\n");
}

TEST_F(Serve, RefusesBadStarts) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(serve(dir_, {"vbl=fast"}, -1), 2);
  std::string file = root_ + "/file";
  std::ofstream(file) << "x";
  EXPECT_EQ(serve(file, {}, -1), 1);
  // A directory of another user: as root make one; otherwise the root directory is one.
  std::string foreign = "/";
  if (::geteuid() == 0) {
    foreign = root_ + "/foreign";
    ASSERT_EQ(::mkdir(foreign.c_str(), 0700), 0);
    ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
  }
  EXPECT_EQ(serve(foreign, {}, -1), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("vbl"), std::string::npos) << err;
  EXPECT_NE(err.find("not a directory"), std::string::npos) << err;
  EXPECT_NE(err.find("another user"), std::string::npos) << err;

  // A live server keeps its socket; a stale one is replaced.
  start();
  testing::internal::CaptureStderr();
  EXPECT_EQ(serve(dir_, {}, -1), 1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(stop(), 0);
  int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", sock().c_str());
  ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
  ::close(stale);
  start();
  EXPECT_TRUE(command()->connected());
  struct stat st {};
  ASSERT_EQ(::stat(dir_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace winsim::server
