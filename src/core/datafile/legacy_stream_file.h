#pragma once

// The older generation of data files: a tagged value stream (legacy_stream.h), read but never
// written. In order:
//   the signature string;
//   file properties: project name, project number, description, author, company, date;
//   total and sensible duty;
//   the geometry, either a raw 384-byte record (recognised by its leading maker name, one of
//     the catalogue's makers) or a version string "FAT 1.0.0.1" to "FAT 1.0.0.3" and values;
//   the on-coil and off-coil air, each 120 raw bytes of fifteen doubles;
//   the air mass flow;
//   the liquid: mean, inlet and outlet temperature, name, mass flow, specific heat, density,
//     conductivity, viscosity, Prandtl number, the user's specific heat, density,
//     conductivity and viscosity, fluid code, additive code, additive volume;
//   the liquid state: inlet and leaving temperature, mass flow, control.

#include "document/data_file_model.h"
#include "geometry/model_rec.h"
#include "text/result.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TLegacyStream;

inline constexpr std::string_view kLegacySignature = "Vantor 1.1.0.0 DataFile";
inline constexpr std::size_t kLegacyRecordSize = 384;
inline constexpr std::size_t kLegacyAirStateSize = 120;

// Reads a legacy stream into the model. dfInvalidFormat, with the model untouched, when the
// stream does not start with the signature; dfReadError when a value is missing, wrongly
// tagged or out of range, with the values read before it kept.
TResult ReadLegacyDataFile(std::string_view bytes, const TDataFileModel& model);

// The geometry part alone, into rec (which supplies what the older forms lack): the raw
// record when the next 256 bytes start with one of makers as a length-prefixed name, else
// the versioned form. Raises ELegacyStreamError.
void ReadLegacyGeometry(TLegacyStream& stream, const std::vector<std::string>& makers, TModelRec& rec);

// A date of days since 30 December 1899; outside the years 1 to 9999 it is today.
std::chrono::year_month_day LegacyDate(double days);

}  // namespace vantor
