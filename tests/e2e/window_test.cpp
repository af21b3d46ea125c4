// The helper's window as a user meets it: menus, keys, clicks, help, the About box.
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "desktop.h"

namespace {

const char kTitle[] = "Quorvane Helper Ostik";
const char kAbout[] = "About Ostik";

std::size_t count_of(const std::vector<std::string> &lines, const std::string &line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

// The text a string takes in a .res: UTF-16, little-endian.
std::string wide(const std::string &s) {
  std::string out;
  for (char c : s) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

}  // namespace

class MainWindow : public Desktop {
 protected:
  std::vector<std::string> startArgs() const override { return {"--vbl", "0"}; }

  void set(const std::string &item) {
    Result r = run({"set", item});
    ASSERT_EQ(r.status, 0) << describe(r);
  }

  std::uint32_t start(std::vector<std::string> args = {"nolurk"}, const std::string &program = "") {
    args.insert(args.begin(), program.empty() ? binary("ostik") : program);
    std::uint32_t pid = launch(args);
    waitIdle();
    return pid;
  }

  // A verb that must work, then the desktop settled.
  std::string act(std::vector<std::string> args) {
    Result r = run(args);
    EXPECT_EQ(r.status, 0) << describe(r);
    waitIdle();
    return r.out;
  }

  // The numbered messages as drawn: number and text.
  std::vector<std::pair<int, std::string>> messages() {
    std::vector<std::pair<int, std::string>> out;
    for (const auto &line : lines("textout", kTitle)) {
      std::string text = line.substr(line.find(' ', line.find(' ') + 1) + 1);
      if (text.size() > 7 && text[6] == ':') out.emplace_back(std::stoi(text.substr(0, 6)), text.substr(7));
    }
    return out;
  }

  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const auto &m : messages()) out.push_back(m.second);
    return out;
  }

  std::string itemState(const std::string &id) {
    for (const auto &line : lines("menu-state", kTitle))
      if (line.rfind(id + " ", 0) == 0) return line;
    return "";
  }

  bool checked(const std::string &id) { return itemState(id).find("checked=1") != std::string::npos; }

  std::string hwndOf(const std::string &title) {
    for (const auto &line : lines("windows"))
      if (line.find(" title=\"" + title + "\"") != std::string::npos) return line.substr(0, 10);
    return "";
  }

  bool visible() {
    for (const auto &line : lines("windows"))
      if (line.find(" title=\"" + std::string(kTitle) + "\"") != std::string::npos)
        return line.find("visible=1") != std::string::npos;
    return false;
  }

  // The control lines of the one open dialog, and its head line in `head`.
  std::vector<std::string> dialog(std::string *head = nullptr) {
    std::vector<std::string> all = lines("dialogs"), controls;
    EXPECT_FALSE(all.empty());
    if (all.empty()) return controls;
    if (head) *head = all[0];
    for (std::size_t i = 1; i < all.size(); ++i) {
      EXPECT_EQ(all[i].rfind("  ", 0), 0u) << "one dialog only: " << all[i];
      controls.push_back(all[i].substr(2));
    }
    return controls;
  }

  // The control line of id in the open dialog.
  std::string control(const std::string &id) {
    for (const auto &line : dialog())
      if (line.rfind(id + " ", 0) == 0) return line;
    return "";
  }

  std::string gdi() {
    std::vector<std::string> l = lines("gdi");
    return l.empty() ? "" : l[0].substr(l[0].find(' ') + 1);
  }

  // A copy of the helper with byte strings replaced, each found exactly once after `after`.
  std::string patchedHelper(const std::string &name,
                            const std::vector<std::pair<std::string, std::string>> &patches,
                            const std::string &after = "") {
    std::ifstream in(binary("ostik"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t from = after.empty() ? 0 : bytes.find(after);
    EXPECT_NE(from, std::string::npos);
    for (const auto &[what, with] : patches) {
      std::size_t at = bytes.find(what, from);
      EXPECT_NE(at, std::string::npos) << name;
      if (at == std::string::npos) continue;
      EXPECT_EQ(bytes.find(what, at + 1), std::string::npos) << name << ": pattern not unique";
      bytes.replace(at, with.size(), with);
    }
    std::string path = dir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    ::chmod(path.c_str(), 0755);
    return path;
  }

  void exitAndExpectEnd(std::uint32_t pid) {
    act({"menu", kTitle, "106"});
    EXPECT_EQ(waitExit(pid), "0");
  }
};

TEST_F(MainWindow, LurkFromTheMenuThenWokenBySecondCopy) {
  std::uint32_t pid = start();
  ASSERT_FALSE(checked("1004"));
  act({"menu", kTitle, "1004"});
  EXPECT_FALSE(visible());
  EXPECT_TRUE(checked("1004"));
  auto drawn = messages();
  ASSERT_GE(drawn.size(), 2u);
  EXPECT_EQ(drawn[drawn.size() - 2].second, "Asked to show/hide myself.");
  EXPECT_EQ(drawn.back().second, "Lurking...");
  int lurking = drawn.back().first;

  std::uint32_t second = launch({binary("ostik")});
  EXPECT_EQ(waitExit(second), "0");
  waitIdle();
  EXPECT_TRUE(visible());
  EXPECT_FALSE(checked("1004"));
  EXPECT_EQ(messages(), drawn) << "neither the show notice nor Delurking is drawn";

  // The numbers count what was drawn: the next message follows "Lurking...".
  EXPECT_EQ(act({"send", kTitle, "WM_DISPLAYCHANGE", "16", "0x03000400"}), "0\n");
  drawn = messages();
  EXPECT_EQ(drawn.back(), std::make_pair(lurking + 1, std::string("Display mode change detected.")));
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, ShowOrHideNotCausedByShowWindowChangesNothing) {
  std::uint32_t pid = start();
  std::size_t before = texts().size();
  act({"send", kTitle, "WM_SHOWWINDOW", "0", "1"});
  act({"send", kTitle, "WM_SHOWWINDOW", "1", "3"});
  std::vector<std::string> log = texts();
  ASSERT_EQ(log.size(), before + 4) << "the log still draws: bLurk stayed 0";
  EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
            (std::vector<std::string>{"Asked to show/hide myself.", "...but not because of a ShowWindow()",
                                      "Asked to show/hide myself.", "...but not because of a ShowWindow()"}));
  EXPECT_TRUE(visible());
  EXPECT_FALSE(checked("1004"));
  exitAndExpectEnd(pid);

  // A lurking one stays silent and unchecked.
  pid = start({"lurk"});
  act({"send", kTitle, "WM_SHOWWINDOW", "1", "2"});
  EXPECT_TRUE(texts().empty());
  EXPECT_FALSE(visible());
  EXPECT_FALSE(checked("1004"));
  act({"close", kTitle});
  EXPECT_EQ(waitExit(pid), "0");
}

TEST_F(MainWindow, HelpCommandsReachWinHelpFromEitherMenu) {
  struct Case {
    const char *version, *how, *arg, *record;
  } cases[] = {
      {"nt", "menu", "300", "winhelp Ostik.HLP 00000003 00000000"},
      {"nt", "menu", "301", "winhelp Ostik.HLP 00000105 \"\""},
      {"nt", "menu", "302", "winhelp - 00000004 00000000"},
      {"win32s", "menu", "300", "winhelp Ostik.HLP 00000003 00000000"},
      {"95", "menu", "304", "winhelp Ostik.HLP 0000000b 00000000"},
      // The Windows 95 menu has no item 300, but F1 still gives help contents.
      {"95", "key", "F1", "winhelp Ostik.HLP 00000003 00000000"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.arg);
    set(std::string("version=") + c.version);
    std::uint32_t pid = start();
    std::size_t logged = texts().size();
    std::vector<std::string> before = lines("log");
    act({c.how, kTitle, c.arg});
    std::vector<std::string> after = lines("log");
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back(), c.record);
    EXPECT_EQ(texts().size(), logged);
    EXPECT_TRUE(lines("dialogs").empty());
    exitAndExpectEnd(pid);
    std::vector<std::string> ended = lines("log");
    EXPECT_EQ(count_of(std::vector<std::string>(ended.begin() + static_cast<long>(after.size()), ended.end()),
                       "winhelp Ostik.HLP 00000002 00000000"), 1u) << "help is told to quit";
  }
}

TEST_F(MainWindow, MenusMatchTheFamilyAndRefuseGreyedOrMissingItems) {
  struct Case {
    const char *version;
    std::vector<std::string> help;
  } cases[] = {
      {"95", {"304 checked=0 grayed=0 \"&Help Topics...\"",
              "303 checked=0 grayed=0 \"&About Quorvane Helper Ostik...\""}},
      {"nt", {"300 checked=0 grayed=0 \"&Contents\"", "301 checked=0 grayed=0 \"&Search for Help On...\"",
              "302 checked=0 grayed=0 \"&How to Use Help\"",
              "303 checked=0 grayed=0 \"&About Quorvane Helper Ostik...\""}},
      {"win32s", {"300 checked=0 grayed=0 \"&Contents\"", "301 checked=0 grayed=0 \"&Search for Help On...\"",
                  "302 checked=0 grayed=0 \"&How to Use Help\"",
                  "303 checked=0 grayed=0 \"&About Quorvane Helper Ostik...\""}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.version);
    set(std::string("version=") + c.version);
    std::uint32_t pid = start();
    std::vector<std::string> state = lines("menu-state", kTitle);
    ASSERT_EQ(state.size(), 18 + c.help.size());
    EXPECT_EQ(std::vector<std::string>(state.begin() + 18, state.end()), c.help);
    EXPECT_EQ(state[6], "106 checked=0 grayed=0 \"E&xit\"");
    EXPECT_EQ(state[13], "1000 checked=0 grayed=0 \"Trigger &Video\"");

    std::vector<std::string> log = texts(), record = lines("log");
    for (const char *id : {"100", "101", "102", "103", "104", "105", "200", "201", "202", "203", "204", "205"}) {
      Result r = run({"menu", kTitle, id});
      EXPECT_EQ(r.status, 1) << id;
      EXPECT_NE(r.err.find("greyed"), std::string::npos) << describe(r);
    }
    Result absent = run({"menu", kTitle, std::string(c.version) == "95" ? "300" : "304"});
    EXPECT_EQ(absent.status, 1) << describe(absent);
    waitIdle();
    EXPECT_EQ(texts(), log);
    EXPECT_EQ(lines("log"), record);
    exitAndExpectEnd(pid);
  }
}

TEST_F(MainWindow, SwitchesToggleTheirCheckMarks) {
  std::uint32_t pid = start();
  for (const char *id : {"1002", "1003"}) {
    SCOPED_TRACE(id);
    act({"menu", kTitle, id});
    EXPECT_TRUE(checked(id));
    act({"menu", kTitle, id});
    EXPECT_FALSE(checked(id));
    act({"post", kTitle, "WM_COMMAND", id});  // as a program would, high word 0
    EXPECT_TRUE(checked(id));
  }
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, TriggerCommandsSendTheirEscapeOnlyWithAScreenContext) {
  std::uint32_t pid = start();
  struct Case {
    const char *id, *escape;
  } cases[] = {{"1000", "escape TrgV in=54726756,00000000,00000000,00000000,00000000,00000000,00000000"},
               {"1001", "escape TrgM in=5472674d,00000000,00000000,00000000,00000000,00000000,00000000"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.id);
    std::size_t logged = texts().size();
    act({"menu", kTitle, c.id});
    std::vector<std::string> record = lines("log");
    EXPECT_TRUE(std::any_of(record.begin(), record.end(),
                            [&](const std::string &l) { return l.rfind(c.escape, 0) == 0; }));
    std::vector<std::string> log = texts();
    ASSERT_GT(log.size(), logged);
    EXPECT_EQ(log[logged], "PAROX_OSTIK_ESCAPE:");
  }

  set("screen-dc=none");
  std::vector<std::string> log = texts(), record = lines("log");
  act({"menu", kTitle, "1000"});
  act({"menu", kTitle, "1001"});
  EXPECT_EQ(texts(), log) << "nothing sent, nothing logged";
  EXPECT_EQ(lines("log"), record);
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, RightClickOpensMiscAtThePointer) {
  std::uint32_t pid = start();
  act({"click", kTitle, "right", "40", "30"});
  std::vector<std::string> popups = lines("popups");
  ASSERT_EQ(popups.size(), 6u);
  // The client area starts below the frame, caption and menu bar of the window at 24,24.
  EXPECT_EQ(popups[0].rfind(hwndOf(kTitle) + " menu=", 0), 0u) << popups[0];
  EXPECT_NE(popups[0].find(" x=68 y=94 bar=0"), std::string::npos) << popups[0];
  EXPECT_EQ(popups[1], "  1000 checked=0 grayed=0 \"Trigger &Video\"");
  EXPECT_EQ(popups[5], "  1004 checked=0 grayed=0 \"Lurk\"");

  // Only the pop-up's items can be chosen while it is open.
  Result r = run({"menu", kTitle, "106"});
  EXPECT_EQ(r.status, 1) << describe(r);
  act({"menu", kTitle, "1002"});
  EXPECT_TRUE(lines("popups").empty());
  EXPECT_TRUE(checked("1002"));

  // Chosen from the pop-up, Trigger Video does what it does from the menu bar.
  act({"click", kTitle, "right", "100", "100"});
  std::size_t logged = texts().size();
  act({"menu", kTitle, "1000"});
  std::vector<std::string> log = texts();
  ASSERT_GT(log.size(), logged);
  EXPECT_EQ(log[logged], "PAROX_OSTIK_ESCAPE:");

  // Escape closes it with nothing chosen.
  act({"click", kTitle, "right", "10", "10"});
  ASSERT_FALSE(lines("popups").empty());
  log = texts();
  act({"key", kTitle, "Escape"});
  EXPECT_TRUE(lines("popups").empty());
  EXPECT_EQ(texts(), log);
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, RightClickWithoutAMenuBeeps) {
  // A helper whose menu resources have other names gets a window without a menu.
  const std::string menuType("\xff\xff\x04\x00", 4);
  std::string program = patchedHelper("ostik-nomenu", {{menuType + wide("WIN95"), menuType + wide("WIN9X")},
                                                       {menuType + wide("OSTIK"), menuType + wide("OSTIX")}});
  std::uint32_t pid = start({"nolurk"}, program);
  ASSERT_TRUE(lines("menu-state", kTitle).empty());
  act({"click", kTitle, "right", "40", "30"});
  EXPECT_EQ(lines("log").back(), "beep 00000000");
  EXPECT_TRUE(lines("popups").empty());
  act({"close", kTitle});
  EXPECT_EQ(waitExit(pid), "0");
}

TEST_F(MainWindow, NonClientRightClickLinesFollowTheFamily) {
  const std::string sysmenu = "Thankyou for rightclicking in the system menu.";
  const std::string nonclient = "Thankyou for rightclicking in the non-client area.";
  struct Case {
    const char *version;
    std::string onIcon, onCaption;
  } cases[] = {{"95", sysmenu, nonclient}, {"nt", nonclient, nonclient}, {"win32s", nonclient, nonclient}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.version);
    set(std::string("version=") + c.version);
    std::uint32_t pid = start();
    act({"nc-click", kTitle, "right", "sysmenu"});
    EXPECT_EQ(texts().back(), c.onIcon);
    act({"nc-click", kTitle, "right", "caption"});
    EXPECT_EQ(texts().back(), c.onCaption);
    exitAndExpectEnd(pid);
  }
}

TEST_F(MainWindow, HelpFailureShowsOneBoxPerCommand) {
  set("winhelp=fail");
  struct Case {
    const char *version, *how, *arg;
  } cases[] = {{"95", "key", "F1"}, {"nt", "menu", "301"}, {"nt", "menu", "302"}, {"95", "menu", "304"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.arg);
    set(std::string("version=") + c.version);
    std::uint32_t pid = start();
    std::vector<std::string> log = texts();
    act({c.how, kTitle, c.arg});
    std::string head;
    std::vector<std::string> controls = dialog(&head);
    EXPECT_EQ(head.rfind(" title=\"Ostik\" owner=" + hwndOf(kTitle)), 10u) << head;
    EXPECT_NE(head.find(" visible=1 kind=messagebox"), std::string::npos) << head;
    EXPECT_EQ(controls, (std::vector<std::string>{"20 static \"#32513\" font=16 icon=hand",
                                                  "-1 static \"Unable to activate help\" font=16",
                                                  "1 button \"OK\" font=16 default focus"}));
    // The owner waits: its menu cannot be used until the box is closed.
    EXPECT_EQ(run({"menu", kTitle, "1002"}).status, 1);
    act({"key", "Ostik", "Return"});
    EXPECT_TRUE(lines("dialogs").empty());
    EXPECT_EQ(texts(), log);
    EXPECT_FALSE(checked("1002"));
    exitAndExpectEnd(pid);
  }
}

TEST_F(MainWindow, AboutBoxShowsTheVersionBlockCentredOverTheWindow) {
  std::uint32_t pid = start();
  act({"menu", kTitle, "303"});
  EXPECT_EQ(texts().back(), "Thankyou for selecting the About Box.");
  std::string head;
  std::vector<std::string> controls = dialog(&head);
  EXPECT_EQ(head.substr(10), " title=\"About Ostik\" owner=" + hwndOf(kTitle) +
                                 " rect=153,162,495,336 visible=1 kind=dialog");
  EXPECT_EQ(controls, (std::vector<std::string>{
                          "1 button \"OK\" font=16 default focus",
                          "-1 static \"Ostik\" font=16 icon",
                          "400 static \"Quorvane\" font=14",
                          "401 static \"Quorvane Helper Ostik\" font=14",
                          "402 static \"1.0\" font=14 right",
                          "403 static \"Copyright (C) Quorvane\" font=14",
                          "404 static \"Microsoft Windows 95 4.0\" font=14",
                          "405 static \"No trademarks\" font=11",
                          "406 static \"Running on:\" font=14",
                          "-1 static \"\" font=16 blackrect",
                          "-1 static \"\" font=16 blackrect",
                      }));
  std::vector<std::string> fonts = lines("gdi");
  ASSERT_EQ(fonts.size(), 3u);
  EXPECT_NE(fonts[1].find(" font height=14 width=0 weight=0 charset=0 pitch=0x22 italic=0 face=\"\""), std::string::npos);
  EXPECT_NE(fonts[2].find(" font height=11 width=0 weight=0 charset=0 pitch=0x22 italic=0 face=\"\""), std::string::npos);
  act({"key", kAbout, "Return"});
  EXPECT_TRUE(lines("dialogs").empty());
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, AboutBoxClosesEveryWayAndDeletesItsFontsOnce) {
  std::uint32_t pid = start();
  const std::vector<std::vector<std::string>> closings = {
      {"key", kAbout, "Return"},
      {"key", kAbout, "Escape"},
      {"close", kAbout},
      {"click", kAbout, "left", "280", "10"},  // the OK button
  };
  int opened = 0;
  for (const auto &closing : closings) {
    SCOPED_TRACE(closing[0] + " " + closing.back());
    act({"key", kTitle, ++opened % 2 ? "alt+?" : "alt+/"});
    ASSERT_EQ(lines("dialogs").size(), 12u);
    EXPECT_EQ(gdi(), "created=" + std::to_string(2 * opened) + " deleted=" + std::to_string(2 * opened - 2) +
                         " refused=0 live=2");
    act(closing);
    EXPECT_TRUE(lines("dialogs").empty());
    EXPECT_EQ(gdi(), "created=" + std::to_string(2 * opened) + " deleted=" + std::to_string(2 * opened) +
                         " refused=0 live=0");
  }
  EXPECT_EQ(count_of(texts(), "Thankyou for selecting the About Box."), closings.size());
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, AboutBoxNamesTheSystemAndItsFontsFollowTheLanguage) {
  std::uint32_t pid = start();
  struct Case {
    const char *version, *langid, *osLine, *fontTail;
  } cases[] = {
      {"95", "0x0409", "Microsoft Windows 95 4.0", "charset=0 pitch=0x22"},
      {"nt", "0x0411", "Microsoft Windows NT 4.0 (Build: 1381)", "charset=128 pitch=0x02"},
      {"win32s", "0x0809", "Microsoft Win32s 3.10 (Build: 172)", "charset=0 pitch=0x22"},
      {"0xFFFF0003", "0x0411", "Microsoft Win32s 3.0 (Build: 32767)", "charset=128 pitch=0x02"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.osLine);
    set(std::string("version=") + c.version);
    set(std::string("langid=") + c.langid);
    act({"key", kTitle, "alt+/"});
    EXPECT_EQ(control("404"), std::string("404 static \"") + c.osLine + "\" font=14");
    std::vector<std::string> fonts = lines("gdi");
    ASSERT_EQ(fonts.size(), 3u);
    for (std::size_t i = 1; i < 3; ++i)
      EXPECT_NE(fonts[i].find(std::string(" ") + c.fontTail + " italic=0"), std::string::npos) << fonts[i];
    act({"key", kAbout, "Escape"});
  }
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, AboutBoxStaysInsideTheWorkArea) {
  std::uint32_t pid = start();
  struct Case {
    const char *workarea, *rect;
  } cases[] = {
      {"0,0,400,300", "rect=58,126,400,300"},
      {"200,200,800,572", "rect=200,200,542,374"},
      {"fail", "rect=153,162,495,336"},  // the screen serves instead
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.workarea);
    set(std::string("workarea=") + c.workarea);
    act({"key", kTitle, "alt+?"});
    std::string head;
    dialog(&head);
    EXPECT_NE(head.find(c.rect), std::string::npos) << head;
    act({"key", kAbout, "Escape"});
  }
  exitAndExpectEnd(pid);
}

TEST_F(MainWindow, AboutBoxWithAMissingValueOrNoVersionBlock) {
  // The version block's key renamed: the template still asks for CompanyName.
  std::string missing = patchedHelper("ostik-nocompany", {{wide("CompanyName"), wide("CompanyNamX")}},
                                      wide("VS_VERSION_INFO"));
  std::uint32_t pid = start({"nolurk"}, missing);
  act({"key", kTitle, "alt+?"});
  EXPECT_EQ(control("400"), "400 static \"Error 1813\" font=14");
  EXPECT_EQ(control("401"), "401 static \"Quorvane Helper Ostik\" font=14");
  act({"key", kAbout, "Escape"});
  exitAndExpectEnd(pid);

  // No version resource at all: the title and the template texts stay, the OS line does not.
  std::string none = patchedHelper("ostik-noversion", {{std::string("\xff\xff\x10\x00\xff\xff\x01\x00", 8),
                                                        std::string("\xff\xff\x11\x00\xff\xff\x01\x00", 8)}});
  pid = start({"nolurk"}, none);
  act({"key", kTitle, "alt+?"});
  std::string head;
  std::vector<std::string> controls = dialog(&head);
  EXPECT_NE(head.find(" title=\"About\" "), std::string::npos) << head;
  EXPECT_EQ(std::vector<std::string>(controls.begin() + 2, controls.begin() + 9),
            (std::vector<std::string>{"400 static \"CompanyName\" font=16",
                                      "401 static \"FileDescription\" font=16",
                                      "402 static \"ProductVersion\" font=16 right",
                                      "403 static \"LegalCopyright\" font=16",
                                      "404 static \"Microsoft Windows 95 4.0\" font=16",
                                      "405 static \"LegalTrademarks\" font=16",
                                      "406 static \"Running on:\" font=14"}));
  act({"close", "About"});
  EXPECT_EQ(gdi(), "created=2 deleted=2 refused=0 live=0");
  exitAndExpectEnd(pid);
}
