// The client's decisions that need no desktop: ShowWindow's state changes, where text lands,
// accelerator matching, window classes and the lstr functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "accel.h"
#include "classes.h"
#include "common.h"
#include "gdi.h"
#include "show.h"

namespace {

using namespace winsim;
using namespace winsim::client;

struct ShowCase {
  int cmd;
  bool visible, iconic;                      // before
  bool wantVisible, wantIconic;              // after
  std::uint32_t activate;
};

TEST(ShowTransition, EveryCommandFromEachState) {
  const ShowCase cases[] = {
      {SW_HIDE, true, false, false, false, 2},
      {SW_HIDE, true, true, false, true, 2},  // hiding keeps iconic
      {SW_SHOWNORMAL, false, true, true, false, 1},
      {SW_SHOWDEFAULT, false, true, true, false, 1},
      {SW_RESTORE, true, true, true, false, 1},
      {SW_SHOWMAXIMIZED, false, false, true, false, 1},
      {SW_SHOW, false, true, true, true, 1},  // SW_SHOW keeps iconic
      {SW_SHOW, false, false, true, false, 1},
      {SW_SHOWNA, false, true, true, true, 0},
      {SW_SHOWNOACTIVATE, false, false, true, false, 0},
      {SW_MINIMIZE, true, false, true, true, 2},
      {SW_SHOWMINIMIZED, false, false, true, true, 1},
      {SW_SHOWMINNOACTIVE, false, false, true, true, 0},
      {SW_FORCEMINIMIZE, true, false, true, true, 0},
  };
  for (const auto &c : cases) {
    ShowState s = show_transition(c.cmd, c.visible, c.iconic);
    EXPECT_TRUE(s.valid) << c.cmd;
    EXPECT_EQ(s.visible, c.wantVisible) << c.cmd;
    EXPECT_EQ(s.iconic, c.wantIconic) << c.cmd;
    EXPECT_EQ(s.activate, c.activate) << c.cmd;
  }
  EXPECT_FALSE(show_transition(12, true, false).valid);
  EXPECT_FALSE(show_transition(-1, true, false).valid);
}

struct PlaceCase {
  UINT align;
  int x, y;
  POINT cp;
  int len;
  int wantX, wantY;
  POINT wantCp;
};

TEST(PlaceText, AlignmentAndCurrentPosition) {
  const PlaceCase cases[] = {
      {TA_LEFT | TA_TOP, 10, 20, {5, 5}, 3, 10, 20, {5, 5}},
      {TA_RIGHT, 100, 0, {0, 0}, 3, 76, 0, {0, 0}},
      {TA_CENTER, 100, 0, {0, 0}, 3, 88, 0, {0, 0}},
      {TA_BOTTOM, 0, 100, {0, 0}, 1, 0, 84, {0, 0}},
      {TA_BASELINE, 0, 100, {0, 0}, 1, 0, 88, {0, 0}},
      {TA_CENTER | TA_BASELINE, 40, 40, {0, 0}, 2, 32, 28, {0, 0}},
      // TA_UPDATECP ignores x and y, draws at the current position and moves it.
      {TA_UPDATECP, 999, 999, {16, 32}, 4, 16, 32, {48, 32}},
      {TA_UPDATECP | TA_RIGHT, 0, 0, {80, 0}, 2, 64, 0, {64, 0}},
      {TA_UPDATECP | TA_CENTER, 0, 0, {80, 0}, 2, 72, 0, {80, 0}},
      {TA_UPDATECP, 0, 0, {0, 0}, 0, 0, 0, {0, 0}},
  };
  for (const auto &c : cases) {
    TextPlacement p = place_text(c.align, c.x, c.y, c.cp, c.len);
    EXPECT_EQ(p.x, c.wantX) << c.align;
    EXPECT_EQ(p.y, c.wantY) << c.align;
    EXPECT_EQ(p.cp.x, c.wantCp.x) << c.align;
    EXPECT_EQ(p.cp.y, c.wantCp.y) << c.align;
  }
}

TEST(Accelerators, VirtualKeysNeedExactModifiersCharactersOnlyAlt) {
  const ACCEL table[] = {
      {FVIRTKEY, VK_F1, 300},
      {FALT, '?', 303},
      {FALT, '/', 303},
      {FVIRTKEY | FSHIFT | FCONTROL, 'A', 304},
      {0, 'x', 305},
  };
  struct Case {
    UINT msg;
    WPARAM key;
    std::uint32_t mods;
    int cmd;  // 0: no match
  } cases[] = {
      {WM_KEYDOWN, VK_F1, 0, 300},
      {WM_KEYDOWN, VK_F1, kModShift, 0},  // extra modifier
      {WM_SYSKEYDOWN, VK_F1, kModAlt, 0},
      {WM_KEYUP, VK_F1, 0, 0},
      {WM_CHAR, VK_F1, 0, 0},  // a virtual-key entry never matches a character
      {WM_SYSCHAR, '?', kModAlt, 303},
      {WM_SYSCHAR, '?', kModAlt | kModShift, 303},  // shift does not matter for characters
      {WM_CHAR, '?', 0, 0},  // Alt is asked for
      {WM_SYSCHAR, '/', kModAlt, 303},
      {WM_KEYDOWN, '/', kModAlt, 0},  // a character entry never matches a key-down
      {WM_KEYDOWN, 'A', kModShift | kModCtrl, 304},
      {WM_KEYDOWN, 'A', kModShift, 0},
      {WM_KEYDOWN, 'A', kModShift | kModCtrl | kModAlt, 0},
      {WM_CHAR, 'x', 0, 305},
      {WM_SYSCHAR, 'x', kModAlt, 0},  // Alt down but not asked for
  };
  for (const auto &c : cases) {
    auto got = match_accelerator(table, c.msg, c.key, c.mods);
    EXPECT_EQ(got.value_or(0), c.cmd) << std::hex << c.msg << " " << c.key << " " << c.mods;
  }
}

LRESULT CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

TEST(ClassTable, NamesWithoutCaseAtomsFromC000) {
  ClassTable t;
  DWORD error = 0;
  WindowClass a;
  a.name = "Ostik";
  a.proc = NoProc;
  EXPECT_EQ(t.add(a, error), 0xC000);
  WindowClass b;
  b.name = "Other";
  b.proc = NoProc;
  EXPECT_EQ(t.add(b, error), 0xC001);
  a.name = "OSTIK";
  EXPECT_EQ(t.add(a, error), 0);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  ASSERT_NE(t.find("ostik"), nullptr);
  EXPECT_EQ(t.find("ostik")->name, "Ostik");
  EXPECT_EQ(t.find(MAKEINTRESOURCEA(0xC001))->name, "Other");
  EXPECT_EQ(t.find("Ostik2"), nullptr);
  EXPECT_EQ(t.find(MAKEINTRESOURCEA(0xC002)), nullptr);
}

TEST(Lstr, BoundedCopyAndComparisons) {
  char buf[8];
  std::memset(buf, 'z', sizeof buf);
  EXPECT_EQ(lstrcpynA(buf, "abcdefghij", 5), buf);
  EXPECT_STREQ(buf, "abcd");
  EXPECT_EQ(buf[5], 'z');  // nothing written past the terminator
  lstrcpynA(buf, "ab", 8);
  EXPECT_STREQ(buf, "ab");
  lstrcpynA(buf, "xyz", 1);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenA(lstrcatA(lstrcpyA(buf, "ab"), "cd")), 4);
  EXPECT_EQ(lstrcmpiA("Ostik", "oSTIK"), 0);
  EXPECT_LT(lstrcmpiA("abc", "ABD"), 0);
  EXPECT_GT(lstrcmpA("b", "a"), 0);
  EXPECT_LT(lstrcmpA("a", "ab"), 0);
  EXPECT_NE(lstrcmpA("A", "a"), 0);
}

}  // namespace
