// Any bytes as a legacy data stream: the signature decides between "Invalid file format..."
// and reading, and a read either completes or stops with "Error reading file...".

#include "datafile_fuzz_model.h"
#include "datafile/legacy_stream_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    fuzz::TFuzzModel model;
    const TResult result =
        ReadLegacyDataFile(std::string_view(reinterpret_cast<const char*>(data), size), model.Model());
    if (result.Code != dfOk && result.Code != dfInvalidFormat && result.Code != dfReadError) std::abort();
    if (result.Code != dfInvalidFormat) model.RateAndWriteBack();
    return 0;
}
