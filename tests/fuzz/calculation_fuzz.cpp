// The calculation driven through the fake view with arbitrary box and school
// texts, level clicks and spell counts. After every run it must agree with
// the reference model, failure for failure, and a completed run must leave
// the state's invariants intact.

#include "calculator.h"
#include "failure.h"
#include "fake_view.h"
#include "fuzz_check.h"
#include "reference_model.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using calc::CalcState;

// The model's column for each of the calculator's schools, matched by name.
std::size_t columnOf(calc::School school)
{
    const auto &columns = model::kColumns;
    const auto it = std::find_if(columns.begin(), columns.end(), [&](const model::Column &c) {
        return c.school == calc::schoolInfo(school).name;
    });
    FUZZ_CHECK(it != columns.end());
    return static_cast<std::size_t>(it - columns.begin());
}

std::optional<model::Fault> runCalculator(calc::Calculator &calculator)
{
    try {
        calculator.Recalculate();
        return std::nullopt;
    } catch (const calc::Failure &failure) {
        const bool mismatch = dynamic_cast<const calc::TypeMismatch *>(&failure) != nullptr;
        std::optional<model::Box> box;
        if (failure.box)
            box = static_cast<model::Box>(*failure.box);
        return model::Fault{mismatch ? model::Reading::NotANumber : model::Reading::OutOfRange, box};
    }
}

void checkInvariants(const CalcState &s)
{
    int total = 0;
    for (const calc::SchoolInfo &info : calc::kSchools) {
        const int level = s.*info.level;
        const int levelOne = s.*info.levelOne;
        FUZZ_CHECK(level >= 0 && level <= 5);
        FUZZ_CHECK(levelOne == 0 || levelOne == -1);
        FUZZ_CHECK(levelOne == 0 || level == 0);
        FUZZ_CHECK(s.*info.used == level);
        total += level;
    }
    FUZZ_CHECK(s.levelTotal == total);
    FUZZ_CHECK(s.levelImproves == 14 * total);
    FUZZ_CHECK(s.intellect >= 1 && s.intellect <= 50);
    FUZZ_CHECK(s.intellectBracket == (s.intellect < 5 ? 0 : s.intellect / 5 * 5));
    FUZZ_CHECK(s.improvesLeft == s.improvesNeeded - s.spellCredit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    FakeView view;
    calc::Calculator calculator(view);
    model::Model reference;

    calculator.setSpellCount(3);
    reference.setSpellCount(3);

    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: { // a level click, which recalculates
            const auto school = static_cast<calc::School>(input.ConsumeIntegralInRange<int>(0, 6));
            const int option = input.ConsumeIntegralInRange<int>(0, 6);
            calculator.selectLevel(school, option);
            reference.window.option[columnOf(school)] = option;
            [[fallthrough]];
        }
        case 1: {
            const CalcState before = calculator.state();
            const std::optional<model::Fault> fault = runCalculator(calculator);
            FUZZ_CHECK(fault == reference.enter());
            FUZZ_CHECK(calculator.state().spellCount == before.spellCount);
            FUZZ_CHECK(view.boxes[0] == reference.window.boxes[0]);
            FUZZ_CHECK(view.total == reference.window.total);
            FUZZ_CHECK(view.title == reference.window.title);
            FUZZ_CHECK(view.verdict == reference.window.verdict);
            if (!fault) {
                checkInvariants(calculator.state());
                FUZZ_CHECK(calculator.state().improvesLeft == reference.improvesLeft());
            }
            break;
        }
        case 2: { // any count, also those no button sets
            const int count = input.ConsumeIntegralInRange<int>(-1, 4);
            calc::CalcState altered = calculator.state();
            altered.spellCount = static_cast<std::int16_t>(count);
            calculator = calc::Calculator(view, altered);
            reference.setSpellCount(count);
            break;
        }
        case 3: { // arbitrary text in a box
            const auto box = input.ConsumeIntegralInRange<std::size_t>(0, 3);
            std::string text = input.ConsumeRandomLengthString(12);
            view.boxes[box] = text;
            reference.type(static_cast<model::Box>(box), std::move(text));
            break;
        }
        case 4: { // a number in a box, so that the arithmetic gets exercised
            const auto box = input.ConsumeIntegralInRange<std::size_t>(0, 3);
            const std::string text = std::to_string(input.ConsumeIntegralInRange<int>(-40000, 40000));
            view.boxes[box] = text;
            reference.type(static_cast<model::Box>(box), text);
            break;
        }
        case 5: { // a school from the list, or anything typed
            std::string text = input.ConsumeBool()
                                   ? std::string(model::kColumns[input.ConsumeIntegralInRange<std::size_t>(0, 6)].school)
                                   : input.ConsumeRandomLengthString(14);
            view.school = text;
            reference.typeSchool(std::move(text));
            break;
        }
        }
    }
    return 0;
}
