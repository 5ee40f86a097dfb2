// The tokenizer reads catalogue and location lines from files: it must end on any bytes.

#include "text/line_parser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    vantor::TLineParser parser;
    parser.SetDelimiters(", ");
    parser.SetText(text);
    // Every token consumes at least one character or ends the text.
    for (std::size_t i = 0; i <= size + 1 && parser.Status() != vantor::TLineParser::StatusEnd; ++i) {
        parser.TakeStatus();
        (void)parser.NextFloat();
    }
    std::vector<std::string> items;
    parser.SplitInto(text, 8, items);
    return 0;
}
