#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ostik.h"
#include "ui/log.h"

namespace {

struct Drawn {
    int y;
    std::string text;
    bool operator==(const Drawn &o) const { return y == o.y && text == o.text; }
};

std::ostream &operator<<(std::ostream &os, const Drawn &d)
{
    return os << "(" << d.y << ", \"" << d.text << "\")";
}

std::vector<Drawn> g_drawn;

void RecordLine(int y, const char *lpText, int cch)
{
    ASSERT_GE(cch, 0);
    g_drawn.push_back({y, std::string(lpText, cch)});
}

void Log(const char *lpszFormat, ...)
{
    va_list vaArgs;
    va_start(vaArgs, lpszFormat);
    LogVPrintfTo(RecordLine, lpszFormat, vaArgs);
    va_end(vaArgs);
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bLurk = 0;
        yLog = 0;
        nLogLine = 0;
        g_drawn.clear();
    }
    void TearDown() override { bLurk = 1; }
};

}  // namespace

TEST_F(LogTest, FirstMessageIsNumberedZeroAtTheTop)
{
    Log("Text output running.\n");
    EXPECT_EQ(g_drawn, (std::vector<Drawn>{{0, "     0:Text output running."}}));
    EXPECT_EQ(yLog, 16);
    EXPECT_EQ(nLogLine, 1);
}

TEST_F(LogTest, MessagesAreCutAtEachNewline)
{
    struct Case {
        const char *message;
        std::vector<Drawn> drawn;
    } cases[] = {
        {"a\nb", {{100, "     0:a"}, {116, "b"}}},
        {"a\n\nb\n", {{100, "     0:a"}, {116, ""}, {132, "b"}}},
        {"a\n\n", {{100, "     0:a"}, {116, ""}}},
        {"\n", {{100, "     0:"}}},
        {"", {{100, "     0:"}}},
        {"\n    field\n", {{100, "     0:"}, {116, "    field"}}},
    };
    for (const Case &c : cases) {
        yLog = 100;
        nLogLine = 0;
        g_drawn.clear();
        Log("%s", c.message);
        EXPECT_EQ(g_drawn, c.drawn) << "message: \"" << c.message << "\"";
        EXPECT_EQ(yLog, 100 + 16 * (int)c.drawn.size()) << c.message;
        EXPECT_EQ(nLogLine, 1) << c.message;
    }
}

TEST_F(LogTest, NumberIsRightAlignedInSixAndNeverCut)
{
    struct Case {
        int number;
        const char *prefix;
    } cases[] = {
        {12, "    12:"},
        {999999, "999999:"},
        {1000000, "1000000:"},
    };
    for (const Case &c : cases) {
        nLogLine = c.number;
        g_drawn.clear();
        Log("x");
        ASSERT_EQ(g_drawn.size(), 1u);
        EXPECT_EQ(g_drawn[0].text, std::string(c.prefix) + "x");
        EXPECT_EQ(nLogLine, c.number + 1);
    }
}

TEST_F(LogTest, FormattedTextIsNotFormattedAgain)
{
    Log("%i%% %s\n", 50, "a%d%%b");
    EXPECT_EQ(g_drawn, (std::vector<Drawn>{{0, "     0:50% a%d%%b"}}));
}

TEST_F(LogTest, WrapsToTheTopOncePerMessagePast580)
{
    struct Case {
        int yStart;
        const char *message;
        std::vector<int> ys;
        int yEnd;
    } cases[] = {
        {560, "one\n", {560}, 576},
        {564, "one\n", {564}, 580},        // 580 itself does not wrap
        {565, "one\n", {565}, 0},
        {576, "one\n", {576}, 0},
        {576, "a\nb\nc\n", {576, 592, 608}, 0},  // drawn whole, then wrapped
        {544, "a\nb\nc", {544, 560, 576}, 0},
    };
    for (const Case &c : cases) {
        yLog = c.yStart;
        g_drawn.clear();
        Log("%s", c.message);
        std::vector<int> ys;
        for (const Drawn &d : g_drawn)
            ys.push_back(d.y);
        EXPECT_EQ(ys, c.ys) << "from " << c.yStart << ": " << c.message;
        EXPECT_EQ(yLog, c.yEnd) << "from " << c.yStart << ": " << c.message;
    }
}

TEST_F(LogTest, ThirtySevenLinesFillTheWindowThenTheTopIsReused)
{
    for (int i = 0; i < 38; i++)
        Log("line\n");
    ASSERT_EQ(g_drawn.size(), 38u);
    EXPECT_EQ(g_drawn[36].y, 576);
    EXPECT_EQ(g_drawn[37], (Drawn{0, "    37:line"}));
    EXPECT_EQ(nLogLine, 38);  // the wrap does not restart the numbering
}

TEST_F(LogTest, SilentWhileLurking)
{
    bLurk = 1;
    yLog = 48;
    nLogLine = 7;
    for (int i = 0; i < 5; i++)
        Log("hidden %i\n", i);
    EXPECT_TRUE(g_drawn.empty());
    EXPECT_EQ(yLog, 48);
    EXPECT_EQ(nLogLine, 7);

    bLurk = 0;
    Log("shown\n");
    EXPECT_EQ(g_drawn, (std::vector<Drawn>{{48, "     7:shown"}}));
}

TEST_F(LogTest, OverlongMessageIsCutToItsArea)
{
    std::string tail(3000, 'x');
    Log("Command line was: <%s>\n", tail.c_str());
    ASSERT_EQ(g_drawn.size(), 1u);
    EXPECT_EQ(g_drawn[0].text.size(), (size_t)(LOG_AREA_SIZE - 1));
    EXPECT_EQ(g_drawn[0].text.compare(0, 26, "     0:Command line was: <"), 0);
    EXPECT_EQ(g_drawn[0].text.back(), 'x');
    EXPECT_EQ(yLog, 16);
}

TEST_F(LogTest, StartResetsPositionAndNumbering)
{
    yLog = 300;
    nLogLine = 42;
    LogStart(NULL);
    EXPECT_EQ(hdcLog, (HDC)NULL);
    EXPECT_EQ(yLog, 0);
    EXPECT_EQ(nLogLine, 0);
}
