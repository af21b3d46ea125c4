// The helper's per-event work that involves no desktop: formatting the log and the meter step.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <stdarg.h>

#include "app/ostik.h"
#include "overlay/overlay.h"
#include "ui/log.h"

namespace {

// Draws nothing, but keeps the text alive so the cut into lines is not optimised away.
void NoDraw(int y, const char *lpText, int cch) {
  benchmark::DoNotOptimize(y);
  benchmark::DoNotOptimize(lpText);
  benchmark::DoNotOptimize(cch);
}

void LogTo(const char *lpszFormat, ...) {
  va_list vaArgs;
  va_start(vaArgs, lpszFormat);
  LogVPrintfTo(NoDraw, lpszFormat, vaArgs);
  va_end(vaArgs);
}

// Goal: a one-line log message costs well under a microsecond before any drawing.
void BM_LogOneLine(benchmark::State &state) {
  bLurk = 0;
  yLog = 0;
  nLogLine = 0;
  for (auto _ : state) LogTo("ZRF video event: %s", "update done.");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LogOneLine);

// Goal: the six messages of an escape report (header and five fields) stay in microseconds.
void BM_LogEscapeBlock(benchmark::State &state) {
  bLurk = 0;
  yLog = 0;
  nLogLine = 0;
  for (auto _ : state) {
    LogTo("PAROX_OSTIK_ESCAPE: GoEV\n");
    LogTo("    hVideoEvent 0x%x\n", 0x1234u);
    LogTo("    dwPeriodVideoVBL %i\n", 1);
    LogTo("    hMonitorEvent 0x%x\n", 0x1238u);
    LogTo("    dwPeriodMonitorVBL %i\n", 0);
    LogTo("    result=%i\n", 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LogEscapeBlock);

// Goal: cutting a formatted six-line text into lines is a small part of the log's cost.
void BM_DrawLogLines(benchmark::State &state) {
  static const char szBlock[] = "     7:PAROX_OSTIK_ESCAPE: GoEV\n    hVideoEvent 0x1234\n"
                                "    dwPeriodVideoVBL 1\n    hMonitorEvent 0x1238\n"
                                "    dwPeriodMonitorVBL 0\n    result=1\n";
  yLog = 0;
  for (auto _ : state) DrawLogLines(szBlock, NoDraw);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawLogLines);

// Goal: the frame-rate meter adds next to nothing to a video event.
void BM_StepFrameRate(benchmark::State &state) {
  DWORD dwTimes[FRAME_RING_SIZE] = {0};
  int iIndex = 0;
  DWORD dwNow = 1;
  double dRate = 0.0;
  for (auto _ : state) {
    dwNow += 16;
    benchmark::DoNotOptimize(StepFrameRate(dwTimes, &iIndex, dwNow, &dRate));
    benchmark::DoNotOptimize(dRate);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StepFrameRate);

}  // namespace
