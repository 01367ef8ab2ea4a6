#include "calculation.h"

#include <benchmark/benchmark.h>

// A player in mid-game: every column set, three spells, a school selected.
static void BM_Recalculate(benchmark::State &run)
{
    calc::CalcState state;
    const calc::Texts texts{{"37", "42", "17", "88"}, "Faren"};
    const int picks[calc::kSchoolCount] = {3, 1, 4, 1, 5, 2, 6};
    for (const calc::SchoolInfo &info : calc::kSchools)
        calc::selectLevel(state, info.school, picks[static_cast<std::size_t>(info.school)]);
    calc::selectSpellCount(state, 3);

    for (auto _ : run) {
        calc::Outcome outcome = calc::Recalculate(state, texts);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_Recalculate);

BENCHMARK_MAIN();
