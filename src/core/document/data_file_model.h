#pragma once

// What a data file (".hqx") holds and how reading one can end. A data file stores the file
// properties and the hot-water coil with its geometry, air states, liquid and liquid state;
// the coil reaches the air states and the liquid it is attached to. The catalogue rematches
// the geometry's tube range after reading.

#include <string_view>

namespace vantor {

class THotWaterCoil;
class TFileProperties;
class TCoilMakers;
class TInputCheck;

struct TDataFileModel {
    THotWaterCoil& Coil;
    TFileProperties& Properties;
    TCoilMakers& Makers;
    // Notes every value that could not be used as it stood; none kept when missing.
    TInputCheck* Check = nullptr;
};

// Result codes of reading and writing data files.
enum TDataFileCode : int {
    dfOk = 0,
    dfNothingToOpen = 1,  // an empty name, or no such file: nothing happened, nothing to say
    dfInvalidFormat = 2,  // not a data file of this program; the model is untouched
    dfReadError = 3,      // reading failed part way; what was read stays in the model
    dfNoName = 4,         // saving without a file name
    dfWriteError = 5,     // the file could not be written; the old file is untouched
    dfTargetRefused = 6,  // the name is read-only or not a regular file: another name is needed
};

inline constexpr std::string_view kInvalidFileFormat = "Invalid file format...";
inline constexpr std::string_view kErrorReadingFile = "Error reading file...";

}  // namespace vantor
