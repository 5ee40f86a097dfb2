// Arbitrary bytes as a location database (".wdb"): every whole record reads or is refused
// with a message, nothing past the last whole record is read, and a record read back writes
// the same record again.

#include "locations/location_file.h"
#include "locations/location_texts.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vantor::TLocationFile file;
    file.Assign(std::string(reinterpret_cast<const char*>(data), size), "fuzz.wdb");
    if (static_cast<std::size_t>(file.RecordCount()) != size / vantor::kLocationRecordSize) std::abort();
    if ((size % vantor::kLocationRecordSize != 0) == file.Problem().empty()) std::abort();
    vantor::TLocationRecord record;
    for (int i = -1; i <= file.RecordCount(); ++i) {
        const vantor::TResult read = file.Read(i, record);
        if (!read) {
            if (read.Message.empty()) std::abort();
            continue;
        }
        if (i < 0 || i >= file.RecordCount()) std::abort();
        (void)vantor::PlaceRows(record);
        vantor::TLocationBytes bytes{};
        vantor::TLocationRecord again;
        // Every record read writes back to itself.
        if (!vantor::EncodeLocationRecord(record, bytes) || !vantor::DecodeLocationRecord(bytes, again) || !(again == record))
            std::abort();
    }
    return 0;
}
