// The user interface's pure parts: hit-testing, dialog templates and version blocks, read
// from the helper's own executable as the About box reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dlgtemplate.h"
#include "ui.h"
#include "verinfo.h"

using namespace winsim;
using namespace winsim::client;

namespace {

std::vector<std::uint8_t> read_file(const char *path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class HelperResources : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = read_file(OSTIK_BINARY);
    ASSERT_FALSE(file_.empty()) << OSTIK_BINARY;
    auto section = elf_section(file_, ".winsim_res");
    ASSERT_TRUE(section);
    section_ = *section;
  }
  std::string text(res::Bytes block, const VersionValue &v) {
    std::string out;
    for (std::size_t i = 0; i < v.length; ++i) {
      char16_t c = static_cast<char16_t>(block[v.offset + 2 * i] | (block[v.offset + 2 * i + 1] << 8));
      if (c == 0) break;
      out.push_back(static_cast<char>(c));
    }
    return out;
  }
  std::vector<std::uint8_t> file_;
  res::Bytes section_;
};

}  // namespace

TEST(HitTest, CaptionSystemMenuMenuBarClientAndFrame) {
  const RECT w{24, 24, 624, 474};  // frame 4, caption 18, menu bar 18
  struct Case {
    int x, y;
    bool menu;
    DWORD style;
    int hit;
  } cases[] = {
      {30, 30, true, WS_OVERLAPPEDWINDOW, HTSYSMENU},
      {45, 30, true, WS_OVERLAPPEDWINDOW, HTSYSMENU},
      {46, 30, true, WS_OVERLAPPEDWINDOW, HTCAPTION},
      {30, 30, true, WS_OVERLAPPED | WS_CAPTION, HTCAPTION},  // no system menu, no icon
      {300, 45, true, WS_OVERLAPPEDWINDOW, HTCAPTION},
      {300, 46, true, WS_OVERLAPPEDWINDOW, HTMENU},
      {300, 46, false, WS_OVERLAPPEDWINDOW, HTCLIENT},
      {300, 64, true, WS_OVERLAPPEDWINDOW, HTCLIENT},
      {25, 200, true, WS_OVERLAPPEDWINDOW, HTBORDER},
      {623, 473, true, WS_OVERLAPPEDWINDOW, HTBORDER},
      {624, 200, true, WS_OVERLAPPEDWINDOW, HTNOWHERE},
  };
  for (const Case &c : cases)
    EXPECT_EQ(hit_test(w, c.menu, c.style, c.x, c.y), c.hit) << c.x << "," << c.y;
  POINT o = client_origin(w, true);
  EXPECT_EQ(o.x, 28);
  EXPECT_EQ(o.y, 64);
}

TEST_F(HelperResources, VersionValuesAreFoundByPathWithoutRegardToCase) {
  auto block = version_resource(section_);
  ASSERT_TRUE(block);
  struct Case {
    const char *path;
    const char *value;
  } cases[] = {
      {"\\StringFileInfo\\040904E4\\ProductName", "Ostik"},
      {"\\StringFileInfo\\040904E4\\FileDescription", "Quorvane Helper Ostik"},
      {"\\stringfileinfo\\040904e4\\productversion", "1.0"},
      {"\\StringFileInfo\\040904E4\\LegalTrademarks", "No trademarks"},
  };
  for (const Case &c : cases) {
    auto v = find_version_value(*block, c.path);
    ASSERT_TRUE(v) << c.path;
    EXPECT_TRUE(v->text);
    EXPECT_EQ(text(*block, *v), c.value) << c.path;
  }
  for (const char *missing : {"\\StringFileInfo\\040904E4\\OSVERSION", "\\StringFileInfo\\04090000\\ProductName",
                              "\\StringFileInfo\\040904E4\\ProductNam", "\\NoSuchBlock"})
    EXPECT_FALSE(find_version_value(*block, missing)) << missing;

  // The fixed part: 3.5.0.0 for the file, which the string values do not repeat.
  auto fixed = find_version_value(*block, "\\");
  ASSERT_TRUE(fixed);
  ASSERT_EQ(fixed->length, 52u);
  auto dword = [&](std::size_t i) {
    std::size_t at = fixed->offset + 4 * i;
    return static_cast<std::uint32_t>((*block)[at] | ((*block)[at + 1] << 8) | ((*block)[at + 2] << 16) |
                                      (static_cast<std::uint32_t>((*block)[at + 3]) << 24));
  };
  EXPECT_EQ(dword(0), 0xFEEF04BDu);
  EXPECT_EQ(dword(2), 0x00030005u);
  EXPECT_EQ(dword(7), 0x0000000Au);
  EXPECT_EQ(dword(8), 0x00010001u);

  auto translation = find_version_value(*block, "\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation);
  EXPECT_FALSE(translation->text);
  EXPECT_EQ(translation->length, 4u);
}

TEST_F(HelperResources, AboutTemplateReadsAsWritten) {
  auto entries = res::parse_res(section_);
  ASSERT_TRUE(entries);
  const res::Entry *e = res::find(*entries, res::id_name(5), res::text_name("AboutBox"));
  ASSERT_TRUE(e);
  auto t = parse_dialog_template(e->data);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->title, "About");
  EXPECT_EQ(t->x, 22);
  EXPECT_EQ(t->y, 17);
  EXPECT_EQ(t->cx, 167);
  EXPECT_EQ(t->cy, 74);
  EXPECT_EQ(t->pointSize, 8);
  EXPECT_EQ(t->face, "System");
  EXPECT_EQ(t->style & WS_VISIBLE, 0u);
  ASSERT_EQ(t->items.size(), 11u);
  EXPECT_EQ(t->items[0].className, "button");
  EXPECT_EQ(t->items[0].text, "OK");
  EXPECT_EQ(t->items[0].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(t->items[1].id, 0xFFFF);
  EXPECT_EQ(t->items[1].style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
  EXPECT_EQ(t->items[1].text, "Ostik");
  EXPECT_EQ(t->items[4].id, 402);
  EXPECT_EQ(t->items[4].text, "ProductVersion");
  EXPECT_EQ(t->items[4].x, 106);
  EXPECT_EQ(t->items[10].style & SS_TYPEMASK, static_cast<DWORD>(SS_BLACKRECT));

  // Every cut short template is refused rather than read past its end.
  for (std::size_t n = 0; n < e->data.size(); n += 7)
    EXPECT_FALSE(parse_dialog_template(e->data.first(n))) << n;
}

TEST(ElfSection, RefusesWhatIsNoElfFile) {
  std::vector<std::uint8_t> junk(200, 0x41);
  EXPECT_FALSE(elf_section(junk, ".winsim_res"));
  std::vector<std::uint8_t> header = read_file(OSTIK_BINARY);
  ASSERT_GT(header.size(), 64u);
  header.resize(64);  // a header whose section table lies past the end
  EXPECT_FALSE(elf_section(header, ".winsim_res"));
}
