/* The command-line options: a 1000-byte copy of the command tail, walked token by token. */
#ifndef OSTIK_OPTIONS_H
#define OSTIK_OPTIONS_H

#define OPTION_BUFFER_SIZE 1000

typedef void (*OPTIONTOKENPROC)(const char *lpszToken);

/* Copies at most 999 characters of the tail, zero-fills the rest; the last byte is always 0. */
void CopyCommandTail(char *lpszOptions, const char *lpszTail);

/* Calls lpfnToken for every token, left to right. The buffer is modified during the call
   (each token is zero-terminated in place) and restored before it returns. */
void WalkOptionTokens(char *lpszOptions, OPTIONTOKENPROC lpfnToken);

/* Nonzero when the token is one of the six option words, exactly. */
int IsOptionWord(const char *lpszToken);

/* First pass: applies every token to bLurk, bWakeup and bKill. */
void ApplyOptions(char *lpszOptions);

/* Second pass: logs every token, and the usage text after each unknown one. */
void EchoOptions(char *lpszOptions);

#endif
