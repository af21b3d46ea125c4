#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/ostik.h"

namespace {

std::vector<std::string> g_tokens;

void CollectToken(const char *lpszToken)
{
    g_tokens.push_back(lpszToken);
}

std::vector<std::string> Tokens(const std::string &tail)
{
    char szOptions[OPTION_BUFFER_SIZE];
    CopyCommandTail(szOptions, tail.c_str());
    g_tokens.clear();
    WalkOptionTokens(szOptions, CollectToken);
    return g_tokens;
}

struct Flags {
    BOOL lurk, wakeup, kill;
};

Flags Apply(const std::string &tail)
{
    char szOptions[OPTION_BUFFER_SIZE];
    bLurk = 1;
    bWakeup = 1;
    bKill = 0;
    CopyCommandTail(szOptions, tail.c_str());
    ApplyOptions(szOptions);
    return {bLurk, bWakeup, bKill};
}

}  // namespace

TEST(OptionWalk, SplitsOnlyAtSpacesAfterSkippingPrefixes)
{
    struct Case {
        const char *tail;
        std::vector<std::string> tokens;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"-nolurk", {"nolurk"}},
        {"+-/\\lurk", {"lurk"}},
        {"/LURK kill", {"LURK", "kill"}},
        {"nolurk\tkill", {"nolurk\tkill"}},
        {"-lurk/kill", {"lurk/kill"}},
        {"lurk- kill+", {"lurk-", "kill+"}},
        {"  wakeup   nokill  ", {"wakeup", "nokill"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Tokens(c.tail), c.tokens) << "tail: \"" << c.tail << "\"";
}

TEST(OptionWalk, LeavesTheBufferAsItFoundIt)
{
    char szOptions[OPTION_BUFFER_SIZE];
    CopyCommandTail(szOptions, "-nolurk kill /x");
    std::string before(szOptions, sizeof(szOptions));
    g_tokens.clear();
    WalkOptionTokens(szOptions, CollectToken);
    EXPECT_EQ(std::string(szOptions, sizeof(szOptions)), before);
    EXPECT_EQ(g_tokens.size(), 3u);
}

TEST(OptionWords, MatchWholeAndCaseSensitive)
{
    for (const char *word : {"lurk", "nolurk", "wakeup", "nowakeup", "kill", "nokill"})
        EXPECT_TRUE(IsOptionWord(word)) << word;
    for (const char *word : {"LURK", "Kill", "lurkx", "lur", "", "no lurk", "nolurk\t"})
        EXPECT_FALSE(IsOptionWord(word)) << word;
}

TEST(OptionFlags, TokensApplyLeftToRight)
{
    struct Case {
        const char *tail;
        Flags expected;
    } cases[] = {
        {"", {1, 1, 0}},
        {"-nolurk", {0, 1, 0}},
        {"nowakeup kill", {1, 0, 1}},
        {"kill nokill", {1, 1, 0}},
        {"nolurk lurk", {1, 1, 0}},
        // An unknown token shows the window, wakes and does not kill, all at once.
        {"/LURK", {0, 1, 0}},
        {"nowakeup kill bogus", {0, 1, 0}},
        {"nolurk\tkill", {0, 1, 0}},
        // ...and a later option word overrides it.
        {"bogus lurk", {1, 1, 0}},
        {"bogus nowakeup kill", {0, 0, 1}},
    };
    for (const Case &c : cases) {
        Flags f = Apply(c.tail);
        EXPECT_EQ(f.lurk, c.expected.lurk) << c.tail;
        EXPECT_EQ(f.wakeup, c.expected.wakeup) << c.tail;
        EXPECT_EQ(f.kill, c.expected.kill) << c.tail;
    }
}

TEST(CommandTail, ShortTailIsZeroFilled)
{
    char szOptions[OPTION_BUFFER_SIZE];
    memset(szOptions, 'x', sizeof(szOptions));
    CopyCommandTail(szOptions, "kill");
    EXPECT_STREQ(szOptions, "kill");
    for (size_t i = 4; i < sizeof(szOptions); i++)
        ASSERT_EQ(szOptions[i], 0) << "byte " << i;
}

TEST(CommandTail, OnlyTheFirst999CharactersAreParsed)
{
    // "kill" ends exactly at character 999, so it is applied whole.
    EXPECT_EQ(Apply(std::string(995, ' ') + "kill").kill, 1);

    // One character later it is cut to "kil": an unknown token.
    std::string tail = "nowakeup" + std::string(988, ' ') + "kill";
    ASSERT_EQ(tail.size(), 1000u);
    EXPECT_EQ(Tokens(tail), (std::vector<std::string>{"nowakeup", "kil"}));
    Flags f = Apply(tail);
    EXPECT_EQ(f.lurk, 0);
    EXPECT_EQ(f.wakeup, 1);
    EXPECT_EQ(f.kill, 0);

    // Beyond the cut nothing is seen at all.
    EXPECT_TRUE(Tokens(std::string(1200, ' ') + "bogus").empty());

    char szOptions[OPTION_BUFFER_SIZE];
    CopyCommandTail(szOptions, std::string(2000, 'a').c_str());
    EXPECT_EQ(strlen(szOptions), 999u);
}
