// The desktop under the helper: one request, one whole event, and what a run of events keeps.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>

#include "bench_desktop.h"

namespace {

bool g_connected = false;  // this process has made a request of its own

// Fails the run when the desktop (or the helper, when asked for) is not there.
bool ready(benchmark::State &state, bool withHelper) {
  BenchDesktop &desktop = BenchDesktop::get();
  if (withHelper && g_connected) {
    state.SkipWithError("run after a round-trip benchmark: this process keeps the desktop busy");
    return false;
  }
  if (withHelper) desktop.helperPid();
  if (!desktop.ok()) {
    state.SkipWithError(desktop.error().c_str());
    return false;
  }
  return true;
}

// One video event through the tool, answered by the helper before it returns.
bool oneEvent(const BenchDesktop &desktop) {
  return desktop.run({"signal", "--count", "1", "video"}).status == 0 &&
         desktop.run({"wait-idle"}).status == 0;
}

// Goal: a whole video event (signal, wake, overlay answer, idle) keeps up with a display's
// refresh even with two tool processes started per event; what the helper holds stays put.
void BM_EventPath(benchmark::State &state) {
  if (!ready(state, true)) return;
  BenchDesktop &desktop = BenchDesktop::get();
  std::string pid = std::to_string(desktop.helperPid());
  // The first event opens DirectDraw; what is held after it is the steady state.
  if (!oneEvent(desktop)) {
    state.SkipWithError("the first event failed");
    return;
  }
  auto before = desktop.output({"ddraw-held", pid});
  for (auto _ : state) {
    if (!oneEvent(desktop)) {
      state.SkipWithError("an event failed");
      break;
    }
  }
  auto after = desktop.output({"ddraw-held", pid});
  if (!before || !after || *before != *after)
    state.SkipWithError(("held grew: " + before.value_or("?") + " -> " + after.value_or("?")).c_str());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EventPath)->UseRealTime()->Unit(benchmark::kMillisecond);

// Goal: resident memory of the server and of the helper does not grow with the number of events.
void BM_MemoryAfterEvents(benchmark::State &state) {
  if (!ready(state, true)) return;
  BenchDesktop &desktop = BenchDesktop::get();
  int helper = desktop.helperPid(), server = desktop.serverPid();
  if (!oneEvent(desktop)) {
    state.SkipWithError("the first event failed");
    return;
  }
  long serverBefore = residentKb(server), helperBefore = residentKb(helper);
  for (auto _ : state) {
    for (long i = 0; i < state.range(0); ++i)
      if (!oneEvent(desktop)) {
        state.SkipWithError("an event failed");
        return;
      }
  }
  long serverAfter = residentKb(server), helperAfter = residentKb(helper);
  if (serverBefore < 0 || helperBefore < 0 || serverAfter < 0 || helperAfter < 0) {
    state.SkipWithError("cannot read VmRSS");
    return;
  }
  state.counters["server_kB"] = static_cast<double>(serverAfter);
  state.counters["server_grew_kB"] = static_cast<double>(serverAfter - serverBefore);
  state.counters["helper_kB"] = static_cast<double>(helperAfter);
  state.counters["helper_grew_kB"] = static_cast<double>(helperAfter - helperBefore);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MemoryAfterEvents)->Arg(100)->Arg(1000)->Iterations(1)->UseRealTime()->Unit(
    benchmark::kMillisecond);

// The round trips come last: once this process talks to the desktop it is one of its processes,
// never idle, so `wait-idle` (which the event benchmarks need) would wait for it forever.
// Goal: the queue look the helper makes on every wake-up is a cheap round trip.
void BM_PeekRoundTrip(benchmark::State &state) {
  if (!ready(state, false)) return;
  g_connected = true;
  MSG msg;
  for (auto _ : state) benchmark::DoNotOptimize(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PeekRoundTrip)->UseRealTime();

// Goal: a plain query (a setting read) costs the same round trip and no more.
void BM_GetVersionRoundTrip(benchmark::State &state) {
  if (!ready(state, false)) return;
  for (auto _ : state) benchmark::DoNotOptimize(GetVersion());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetVersionRoundTrip)->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  BenchDesktop::shutdown();
  benchmark::Shutdown();
  return 0;
}
