// Number text from users and files: cleaning, reading and formatting never crash or hang.

#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const std::string cleaned = vantor::CleanNumberText(text);
        double a = 0, b = 0;
        vantor::SplitPair(cleaned, a, b);
    } catch (const vantor::EConvertError&) {
    }
    if (auto value = vantor::ParseDouble(text)) {
        (void)vantor::Format("%0.4g|%0.3f|%e|%n|%d|%x", {*value, *value, *value, *value, *value, *value});
        (void)vantor::TrimNumberZeros(vantor::FormatGeneral(*value, 6));
    }
    // The text as a format string, with too few arguments of every kind.
    (void)vantor::Format(text, {1, 2.5, "s"});
    (void)vantor::ExtractField(3, ',', text);
    (void)vantor::SplitToArray(text, ';');
    (void)vantor::ReadDate(text, '/');
    return 0;
}
