#include <string.h>

#include "app/ostik.h"
#include "app/options.h"
#include "ui/log.h"

static const char *const aszOptionWords[] = {
    "lurk", "nolurk", "wakeup", "nowakeup", "kill", "nokill"
};

static const char *const aszUsage[] = {
    "Unknown command.",
    "\n",
    "  Quorvane Helper Ostik: the adapter's resident event helper.\n",
    "\n",
    "  Command-line options: may be prefaced by -+/\\ or nothing.\n",
    "    lurk :lurk on loading (default).\n",
    "    nolurk :don't lurk on loading.\n",
    "    wakeup :wake up any other instance of ostik (default).\n",
    "    nowakeup :do not wake up any other instance of ostik, just exit if found.\n",
    "    kill :kill any other instance of ostik and exit always.\n",
    "    nokill :do not kill any other instance of ostik (default).\n",
    "\n",
};

void CopyCommandTail(char *lpszOptions, const char *lpszTail)
{
    if (lpszTail == NULL)
        lpszTail = "";
    /* strncpy zero-fills a short tail, which the walk relies on. */
    strncpy(lpszOptions, lpszTail, OPTION_BUFFER_SIZE - 1);
    lpszOptions[OPTION_BUFFER_SIZE - 1] = 0;
}

static int IsOptionPrefix(char ch)
{
    return ch == ' ' || ch == '+' || ch == '-' || ch == '/' || ch == '\\';
}

void WalkOptionTokens(char *lpszOptions, OPTIONTOKENPROC lpfnToken)
{
    char *lpch = lpszOptions;

    while (*lpch) {
        char *lpchEnd;
        char chSaved;

        if (IsOptionPrefix(*lpch)) {
            lpch++;
            continue;
        }
        /* Only a space ends a token: prefixes and tabs inside it belong to it. */
        lpchEnd = lpch;
        while (*lpchEnd && *lpchEnd != ' ')
            lpchEnd++;
        chSaved = *lpchEnd;
        *lpchEnd = 0;
        lpfnToken(lpch);
        *lpchEnd = chSaved;
        lpch = lpchEnd;
    }
}

int IsOptionWord(const char *lpszToken)
{
    int i;

    for (i = 0; i < (int)(sizeof(aszOptionWords) / sizeof(aszOptionWords[0])); i++)
        if (strcmp(lpszToken, aszOptionWords[i]) == 0)
            return 1;
    return 0;
}

static void ApplyOptionToken(const char *lpszToken)
{
    if (strcmp(lpszToken, "lurk") == 0)
        bLurk = 1;
    else if (strcmp(lpszToken, "nolurk") == 0)
        bLurk = 0;
    else if (strcmp(lpszToken, "wakeup") == 0)
        bWakeup = 1;
    else if (strcmp(lpszToken, "nowakeup") == 0)
        bWakeup = 0;
    else if (strcmp(lpszToken, "kill") == 0)
        bKill = 1;
    else if (strcmp(lpszToken, "nokill") == 0)
        bKill = 0;
    else {
        /* Show the window so that the usage text of the second pass can be read. */
        bLurk = 0;
        bWakeup = 1;
        bKill = 0;
    }
}

void ApplyOptions(char *lpszOptions)
{
    WalkOptionTokens(lpszOptions, ApplyOptionToken);
}

static void EchoOptionToken(const char *lpszToken)
{
    int i;

    LogPrintf("Command: <%s>\n", lpszToken);
    if (IsOptionWord(lpszToken))
        return;
    for (i = 0; i < (int)(sizeof(aszUsage) / sizeof(aszUsage[0])); i++)
        LogPrintf("%s", aszUsage[i]);
}

void EchoOptions(char *lpszOptions)
{
    WalkOptionTokens(lpszOptions, EchoOptionToken);
}
