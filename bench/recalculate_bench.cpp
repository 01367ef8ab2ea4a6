#include "calculator.h"
#include "fake_view.h"

#include <benchmark/benchmark.h>

// A player in mid-game: every column set, three spells, a school selected.
static void BM_Recalculate(benchmark::State &run)
{
    FakeView view;
    view.boxes = {"37", "42", "17", "88"};
    view.school = "Faren";
    calc::Calculator calculator(view);
    const int picks[calc::kSchoolCount] = {3, 1, 4, 1, 5, 2, 6};
    for (const calc::SchoolInfo &info : calc::kSchools)
        calculator.selectLevel(info.school, picks[static_cast<std::size_t>(info.school)]);
    calculator.setSpellCount(3);

    for (auto _ : run) {
        calculator.Recalculate();
        benchmark::DoNotOptimize(calculator.state().improvesLeft);
    }
}
BENCHMARK(BM_Recalculate);

BENCHMARK_MAIN();
