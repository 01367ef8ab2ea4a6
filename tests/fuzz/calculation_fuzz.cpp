// The calculation driven with arbitrary box and school texts, level clicks
// and spell counts. After every run it must agree with the reference model,
// failure for failure, and the selections must keep their invariants.

#include "calculation.h"
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

std::optional<model::Fault> faultOf(const calc::Outcome &outcome)
{
    if (!outcome.failure)
        return std::nullopt;
    const calc::Failure &failure = *outcome.failure;
    std::optional<model::Box> box;
    if (failure.box)
        box = static_cast<model::Box>(*failure.box);
    const bool mismatch = failure.kind == calc::Failure::Kind::TypeMismatch;
    return model::Fault{mismatch ? model::Reading::NotANumber : model::Reading::OutOfRange, box};
}

void checkInvariants(const CalcState &s)
{
    for (const calc::SchoolInfo &info : calc::kSchools) {
        const int level = s.*info.level;
        const int levelOne = s.*info.levelOne;
        FUZZ_CHECK(level >= 0 && level <= 5);
        FUZZ_CHECK(levelOne == 0 || levelOne == -1);
        FUZZ_CHECK(levelOne == 0 || level == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    CalcState state;
    calc::Texts texts{{"1", "1", "1", "1"}, "Select School"};
    model::Model reference;

    calc::selectSpellCount(state, 3);
    reference.setSpellCount(3);

    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: { // a level click, which recalculates
            const auto school = static_cast<calc::School>(input.ConsumeIntegralInRange<int>(0, 6));
            const int option = input.ConsumeIntegralInRange<int>(0, 6);
            calc::selectLevel(state, school, option);
            checkInvariants(state);
            reference.window.option[columnOf(school)] = option;
            [[fallthrough]];
        }
        case 1: {
            const calc::Outcome outcome = calc::Recalculate(state, texts);
            FUZZ_CHECK(faultOf(outcome) == reference.enter());
            if (outcome.intellectText)
                texts.boxes[0] = *outcome.intellectText;
            FUZZ_CHECK(texts.boxes[0] == reference.window.boxes[0]);
            FUZZ_CHECK(outcome.result.has_value() != outcome.failure.has_value());
            if (outcome.result) {
                FUZZ_CHECK(outcome.result->number == reference.window.total);
                FUZZ_CHECK(outcome.result->title == reference.window.title);
                FUZZ_CHECK(outcome.result->verdict == reference.window.verdict);
                FUZZ_CHECK(outcome.result->improvesLeft == reference.improvesLeft());
            }
            break;
        }
        case 2: { // any count, also those no button sets
            const int count = input.ConsumeIntegralInRange<int>(-1, 4);
            state.spellCount = static_cast<std::int16_t>(count);
            reference.setSpellCount(count);
            break;
        }
        case 3: { // arbitrary text in a box
            const auto box = input.ConsumeIntegralInRange<std::size_t>(0, 3);
            std::string text = input.ConsumeRandomLengthString(12);
            texts.boxes[box] = text;
            reference.type(static_cast<model::Box>(box), std::move(text));
            break;
        }
        case 4: { // a number in a box, so that the arithmetic gets exercised
            const auto box = input.ConsumeIntegralInRange<std::size_t>(0, 3);
            const std::string text = std::to_string(input.ConsumeIntegralInRange<int>(-40000, 40000));
            texts.boxes[box] = text;
            reference.type(static_cast<model::Box>(box), text);
            break;
        }
        case 5: { // a school from the list, or anything typed
            std::string text = input.ConsumeBool()
                                   ? std::string(model::kColumns[input.ConsumeIntegralInRange<std::size_t>(0, 6)].school)
                                   : input.ConsumeRandomLengthString(14);
            texts.school = text;
            reference.typeSchool(std::move(text));
            break;
        }
        }
    }
    return 0;
}
