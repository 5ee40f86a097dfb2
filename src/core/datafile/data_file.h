#pragma once

// The document's data file (".hqx"): an XML document with the root "datafile" (attributes
// "program" = "Vantor", "generator", "version"), the file properties and the coil. Files of
// the older stream generation are still read (legacy_stream_file.h), never written.
//
//   TResult opened = OpenFile(document, properties, "/data/coil.hqx");
//   if (!opened && !opened.Message.empty()) ShowMessage(opened.Message);
//   ...
//   TResult saved = SaveFile(document, properties, "/data/coil.hqx");

#include "document/data_file_model.h"
#include "text/result.h"
#include "xml/xml_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vantor {

class TRatingDocument;

inline constexpr std::string_view kDataFileRoot = "datafile";
inline constexpr std::string_view kDataFileVersion = "1.0.0.0";
// A larger file is refused unread: a data file holds one coil, a few kilobytes.
inline constexpr std::uintmax_t kMaxDataFileBytes = 16u * 1024u * 1024u;

// True when the root element is "datafile" and its "program" attribute is the program's
// name, both without regard to case; the version is not looked at.
bool IsDataFile(TXMLFile& file);

// The whole data file of the model, built in memory: root, "fileprops", "vantor".
void BuildDataFile(TXMLFile& file, const THotWaterCoil& coil, const TFileProperties& properties);

// The bytes of a data file into the model: XML when they parse as XML, else a legacy
// stream. dfInvalidFormat (model untouched) or dfReadError (what was read stays).
TResult ReadDataFile(std::string_view bytes, const TDataFileModel& model);

// Reads the named file into the document's model and properties. An empty name or one that
// names no file does nothing (dfNothingToOpen, no message). After a good read the document
// is saved and not solved, shows the file's values with the barometer of its air, and takes
// the file's full path as its name; after a failed read it is not solved and shows what was
// read; a file of another kind leaves everything as it was. Values of the file that could not
// be used as they stood go to the document's observer in one warning, and into check when
// it is given.
TResult OpenFile(TRatingDocument& document, TFileProperties& properties, std::string_view name,
                 TInputCheck* check = nullptr);

// Writes the document as XML: the whole file is built in memory, written to a temporary file
// beside the target and renamed over it. Only then the document is saved and takes the full
// path as its name; on failure the old file, the flags and the name stay as they were. A
// read-only target or one that is not a regular file gives dfTargetRefused (ask for another
// name), other failures dfWriteError, an empty name dfNoName.
TResult SaveFile(TRatingDocument& document, const TFileProperties& properties, std::string_view name);

}  // namespace vantor
