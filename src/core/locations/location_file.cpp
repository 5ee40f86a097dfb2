#include "locations/location_file.h"

#include "text/file_io.h"
#include "text/format.h"

#include <utility>

namespace vantor {

namespace {

// A database of every place on earth would still be far below this.
constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

}  // namespace

TResult TLocationFile::Open(const std::filesystem::path& path)
{
    Close();
    const std::string problem = FileReadProblem(path, kMaxFileBytes);
    std::optional<std::string> bytes;
    if (problem.empty()) bytes = ReadFileText(path, kMaxFileBytes);
    if (!bytes) return TResult::Error(TErrorCode::Failed, "The file " + path.string() + " " + (problem.empty() ? "cannot be read" : problem));
    Assign(std::move(*bytes), path.filename().string());
    return TResult::Ok();
}

void TLocationFile::Assign(std::string bytes, std::string name)
{
    m_bytes = std::move(bytes);
    m_name = std::move(name);
    m_open = true;
    m_problem.clear();
    const std::size_t left = m_bytes.size() % kLocationRecordSize;
    if (left != 0)
        m_problem = Format("%s ends with %d bytes that do not make a whole record of %d bytes; they are ignored",
                           {m_name, static_cast<int>(left), static_cast<int>(kLocationRecordSize)});
}

void TLocationFile::Close()
{
    m_bytes.clear();
    m_name.clear();
    m_problem.clear();
    m_open = false;
}

int TLocationFile::RecordCount() const { return static_cast<int>(m_bytes.size() / kLocationRecordSize); }

TResult TLocationFile::Read(int number, TLocationRecord& record) const
{
    if (!m_open) return TResult::Error(TErrorCode::Failed, "No location database is open");
    if (number < 0 || number >= RecordCount())
        return TResult::Error(TErrorCode::Failed, Format("%s has no record %d", {m_name, number + 1}));
    const auto* start = reinterpret_cast<const std::uint8_t*>(m_bytes.data()) +
                        static_cast<std::size_t>(number) * kLocationRecordSize;
    const TResult decoded = DecodeLocationRecord(std::span<const std::uint8_t, kLocationRecordSize>(start, kLocationRecordSize), record);
    if (!decoded) return TResult::Error(TErrorCode::Failed, Format("Record %d of %s is damaged: %s", {number + 1, m_name, decoded.Message}));
    return decoded;
}

TResult WriteLocationFile(const std::filesystem::path& path, const std::vector<TLocationRecord>& records)
{
    std::string content;
    content.reserve(records.size() * kLocationRecordSize);
    TLocationBytes bytes{};
    for (const TLocationRecord& record : records) {
        const TResult encoded = EncodeLocationRecord(record, bytes);
        if (!encoded) return encoded;
        content.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return WriteFileAtomically(path, content);
}

}  // namespace vantor
