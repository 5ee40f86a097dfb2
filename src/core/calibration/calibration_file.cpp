#include "calibration/calibration_file.h"

#include "text/file_io.h"
#include "text/number_text.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <unistd.h>

namespace vantor {

namespace {

constexpr std::array<std::string_view, kCalibrationFactorCount> kCaptions = {
    "Q Factor", "ADP Factor", "Fluid DP Factor", "ho Factor", "hi Factor"};

constexpr std::string_view kCalibrationFileName = "Vantor.cal";

// The factors in the file's order.
constexpr std::array<TCalibrationFactor, kCalibrationFactorCount> kFileOrder = {cfDuty, cfHo, cfHi, cfAirDP,
                                                                                 cfFluidDP};

void AppendLittleEndian(std::string& bytes, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int shift = 0; shift < 64; shift += 8) bytes.push_back(static_cast<char>((bits >> shift) & 0xFFu));
}

double LittleEndianAt(std::string_view bytes, std::size_t offset)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 8; i-- > 0;) bits = bits << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return std::bit_cast<double>(bits);
}

std::string SizeProblem(std::uintmax_t size)
{
    return "a calibration file holds " + std::to_string(kCalibrationFileSize) + " bytes (five factors), this one " +
           std::to_string(size);
}

bool WritableFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

template <class Factors>
auto& SlotOf(Factors& factors, TCalibrationFactor factor)
{
    switch (factor) {
    case cfAirDP:
        return factors.AirDP;
    case cfFluidDP:
        return factors.FluidDP;
    case cfHo:
        return factors.ho;
    case cfHi:
        return factors.hi;
    case cfDuty:
    default:
        return factors.Duty;
    }
}

}  // namespace

std::string_view CalibrationFactorCaption(TCalibrationFactor factor) { return kCaptions.at(factor); }

double& FactorOf(TCalibrationFactors& factors, TCalibrationFactor factor) { return SlotOf(factors, factor); }

double FactorOf(const TCalibrationFactors& factors, TCalibrationFactor factor) { return SlotOf(factors, factor); }

std::filesystem::path CalibrationFile(const TFolderEnvironment& env, bool create)
{
    const std::filesystem::path programFolder = ProgramFolder(env);
    if (WritableFolder(programFolder)) return programFolder / kCalibrationFileName;
    const TDataFolder data = create ? EnsureDataFolder(env) : DataFolder(env);
    return (data.Result ? data.Folder : programFolder) / kCalibrationFileName;
}

std::string CalibrationBytes(const TCalibrationFactors& factors)
{
    std::string bytes;
    for (const TCalibrationFactor factor : kFileOrder) AppendLittleEndian(bytes, FactorOf(factors, factor));
    return bytes;
}

TResult WriteCalibrationFile(const std::filesystem::path& file, const TCalibrationFactors& factors)
{
    const std::string bytes = CalibrationBytes(factors);
    // The program keeps its own file read-only: it clears the mark to replace the file, and the
    // save path refuses read-only files otherwise.
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error))
        std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                     error);
    const TResult written = WriteFileAtomically(file, bytes);
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::replace, error);
    return written;
}

TResult ReadCalibrationBytes(std::string_view bytes, TCalibrationFactors& factors)
{
    if (bytes.size() != kCalibrationFileSize) return TResult::Error(crRefused, SizeProblem(bytes.size()));
    TCalibrationFactors read;
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        const TCalibrationFactor factor = kFileOrder[i];
        const double value = LittleEndianAt(bytes, i * 8);
        const std::string caption(CalibrationFactorCaption(factor));
        if (!std::isfinite(value))
            return TResult::Error(crRefused, "the " + caption + " is not a finite number (" + NonFiniteText(value) + ")");
        if (value <= 0)
            return TResult::Error(crRefused, "the " + caption + " is not positive (" + FormatShortest(value) + ")");
        FactorOf(read, factor) = value;
    }
    factors = read;
    return TResult::Ok();
}

TResult ReadCalibrationFile(const std::filesystem::path& file, TCalibrationFactors& factors)
{
    const std::optional<std::string> bytes = ReadFileText(file, kCalibrationFileSize);
    if (!bytes) {
        // Too large is a file that is there to be read, and not a calibration file.
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        if (!error && std::filesystem::is_regular_file(file, error) && size > kCalibrationFileSize)
            return TResult::Error(crRefused, file.string() + ": " + SizeProblem(size));
        return TResult::Error(crUnreadable, file.string() + " " + FileReadProblem(file, kCalibrationFileSize));
    }
    TResult result = ReadCalibrationBytes(*bytes, factors);
    if (!result) result.Message = file.string() + ": " + result.Message;
    return result;
}

}  // namespace vantor
