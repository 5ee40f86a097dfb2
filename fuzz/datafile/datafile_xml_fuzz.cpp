// Any bytes as a data file: XML when they parse, else a legacy stream. Reading ends in one of
// the three outcomes, never a crash, and the model it leaves can be rated and saved.

#include "datafile_fuzz_model.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    fuzz::TFuzzModel model;
    const TResult result = ReadDataFile(std::string_view(reinterpret_cast<const char*>(data), size), model.Model());
    if (result.Code != dfOk && result.Code != dfInvalidFormat && result.Code != dfReadError) std::abort();
    if (result.Code != dfInvalidFormat) model.RateAndWriteBack();
    return 0;
}
