#include "resfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "protocol.h"

namespace {

using namespace winsim;

std::vector<std::uint8_t> read_fixture() {
  std::ifstream in(CLIENT_FIXTURE_RES, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ResFile : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = read_fixture();
    ASSERT_FALSE(bytes.empty()) << CLIENT_FIXTURE_RES;
    auto parsed = res::parse_res(bytes);
    ASSERT_TRUE(parsed.has_value());
    entries = std::move(*parsed);
  }
  std::vector<std::uint8_t> bytes;
  std::vector<res::Entry> entries;
};

TEST_F(ResFile, FindsEntriesByNameWithoutCaseAndByNumber) {
  // Menu, accelerators, RCDATA and four string blocks (ids 1, 17/18, 500); the empty first
  // entry is not one of them.
  EXPECT_EQ(entries.size(), 6u);
  EXPECT_NE(res::find(entries, res::id_name(4), res::text_name("menutest")), nullptr);
  EXPECT_NE(res::find(entries, res::id_name(4), res::text_name("MenuTest")), nullptr);
  EXPECT_EQ(res::find(entries, res::id_name(9), res::text_name("MenuTest")), nullptr);
  const res::Entry *data = res::find(entries, res::id_name(10), res::text_name("#123"));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data.size(), 4u);  // two WORDs
  EXPECT_EQ(res::find(entries, res::id_name(10), res::text_name("123")), nullptr);
}

TEST_F(ResFile, StringsByIdAndMissingOnes) {
  EXPECT_EQ(res::find_string(entries, 1), "one");
  EXPECT_EQ(res::find_string(entries, 17), "seventeen");
  EXPECT_EQ(res::find_string(entries, 500), "Quorvane");
  // Back to code page 1252 from the UTF-16 windres wrote.
  EXPECT_EQ(res::find_string(entries, 18), "Caf\xe9 \x80 \x9f");
  EXPECT_EQ(res::find_string(entries, 2), std::nullopt);    // in a block that exists
  EXPECT_EQ(res::find_string(entries, 501), std::nullopt);  // ditto, after the last one
  EXPECT_EQ(res::find_string(entries, 40), std::nullopt);   // no such block
  EXPECT_EQ(res::find_string(entries, 0x10000), std::nullopt);
}

TEST_F(ResFile, AcceleratorsEndAtTheMarkedEntry) {
  const res::Entry *e = res::find(entries, res::id_name(9), res::text_name("keys"));
  ASSERT_NE(e, nullptr);
  auto acc = res::parse_accelerators(e->data);
  ASSERT_TRUE(acc.has_value());
  ASSERT_EQ(acc->size(), 4u);
  EXPECT_EQ((*acc)[0].fVirt, 0x01);
  EXPECT_EQ((*acc)[0].key, 0x70);
  EXPECT_EQ((*acc)[0].cmd, 300);
  EXPECT_EQ((*acc)[1].fVirt, 0x10);  // ALT, a character entry
  EXPECT_EQ((*acc)[1].key, '?');
  EXPECT_EQ((*acc)[3].fVirt, 0x01 | 0x04 | 0x08);  // the end mark is not a flag
  EXPECT_EQ((*acc)[3].cmd, 304);
}

struct Item {
  std::uint32_t flags;
  std::uint32_t id;
  std::string text;
  bool operator==(const Item &) const = default;
};

std::vector<Item> decode_items(const std::string &s) {
  std::vector<Item> out;
  proto::Reader rd(s);
  while (!rd.done()) {
    Item it{};
    if (!rd.get(it.flags) || !rd.get(it.id) || !rd.get(it.text)) {
      ADD_FAILURE() << "truncated items";
      break;
    }
    out.push_back(it);
  }
  return out;
}

TEST_F(ResFile, MenuTemplateBecomesSerializedItems) {
  const res::Entry *e = res::find(entries, res::id_name(4), res::text_name("MENUTEST"));
  ASSERT_NE(e, nullptr);
  auto items = res::menu_items(e->data);
  ASSERT_TRUE(items.has_value());
  const std::vector<Item> want = {
      {0x10, 0, "&File"},
      {0x00, 101, "&Open"},
      {0x800, 0, ""},        // the separator
      {0x81, 102, "E&xit"},  // grayed, ends the popup
      {0x88, 103, "&Help"},  // checked, ends the menu
  };
  EXPECT_EQ(decode_items(*items), want);
}

TEST_F(ResFile, MalformedInputIsRefused) {
  // Cut inside the menu entry's header and inside its data.
  EXPECT_FALSE(res::parse_res(res::Bytes(bytes).first(0x30)).has_value());
  EXPECT_FALSE(res::parse_res(res::Bytes(bytes).first(0x60)).has_value());
  const res::Entry *menu = res::find(entries, res::id_name(4), res::text_name("MENUTEST"));
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(res::menu_items(menu->data.first(menu->data.size() - 6)).has_value());
  const res::Entry *keys = res::find(entries, res::id_name(9), res::text_name("KEYS"));
  ASSERT_NE(keys, nullptr);
  EXPECT_FALSE(res::parse_accelerators(keys->data.first(24)).has_value());  // no end mark
  const std::uint8_t version1[] = {1, 0, 0, 0, 0x80, 0, 0, 0, 0, 0};
  EXPECT_FALSE(res::menu_items(version1).has_value());
}

TEST(ResNames, NumberedAndTextNames) {
  EXPECT_EQ(res::text_name("#500"), res::id_name(500));
  EXPECT_EQ(res::text_name("Ostik"), res::text_name("OSTIK"));
  EXPECT_NE(res::text_name("Ostik"), res::text_name("Ostik2"));
  EXPECT_EQ(res::to_ansi(u"A\u00e9\u20ac\u4e2d"), "A\xe9\x80?");
}

}  // namespace
