// The box text conversion against the reference parser: the same verdict
// (number, not a number, out of range) and the same value for every input.

#include "failure.h"
#include "fuzz_check.h"
#include "int16.h"
#include "reference_model.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const model::Parsed expected = model::parseNumber(text);
    try {
        const std::int16_t value = calc::textToInt16(text);
        FUZZ_CHECK(expected.reading == model::Reading::Number);
        FUZZ_CHECK(expected.value == value);
        FUZZ_CHECK(calc::textToInt16(calc::int16ToText(value)) == value);
    } catch (const calc::TypeMismatch &) {
        FUZZ_CHECK(expected.reading == model::Reading::NotANumber);
    } catch (const calc::Overflow &) {
        FUZZ_CHECK(expected.reading == model::Reading::OutOfRange);
    }
    return 0;
}
