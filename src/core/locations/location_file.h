#pragma once

// A location database file (".wdb"), held whole in memory while it is open: such a file is a
// few hundred records. Only whole records count; a file whose length is not a whole number of
// records keeps its whole records usable and says what is left over.

#include "locations/location_record.h"
#include "text/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vantor {

class TLocationFile {
public:
    // Fails with the reason when the file cannot be read. A partial last record is no failure:
    // Problem() tells of it.
    TResult Open(const std::filesystem::path& path);
    // The same from bytes already read; name is the file's name in messages.
    void Assign(std::string bytes, std::string name);
    void Close();

    bool IsOpen() const { return m_open; }
    const std::string& Name() const { return m_name; }
    int RecordCount() const;
    // Empty, or a sentence on the bytes after the last whole record.
    const std::string& Problem() const { return m_problem; }

    // Record number from 0. Fails for a number outside the file and for a damaged record,
    // naming the file and the record (from 1).
    TResult Read(int number, TLocationRecord& record) const;

private:
    std::string m_bytes;
    std::string m_name;
    std::string m_problem;
    bool m_open = false;
};

// Writes the records as the whole file, through a temporary file. Fails, leaving any old file,
// for a record that cannot be written (see EncodeLocationRecord) or a file that cannot be.
TResult WriteLocationFile(const std::filesystem::path& path, const std::vector<TLocationRecord>& records);

}  // namespace vantor
