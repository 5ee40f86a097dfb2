#include "rows/input_check.h"

#include "text/number_text.h"
#include "units/number_format.h"

#include <cmath>
#include <optional>
#include <string>

namespace vantor {

// Six significant digits: a derived value (a face velocity from a mass flow) reads as a person
// would write it.
std::string NoteNumber(double value) { return FormatGeneral(value, 6); }

double TInputCheck::Checked(std::string_view name, std::string_view text, double fallback, const TValueRange& range)
{
    const std::optional<double> value = ParseDouble(text);
    if (!value) {
        Note(name, "\"" + std::string(text) + "\"", "is not a number", NoteNumber(fallback) + " kept");
        return fallback;
    }
    return CheckRange(name, NoteNumber(*value), *value, fallback, range);
}

double TInputCheck::Checked(std::string_view name, double value, double fallback, const TValueRange& range)
{
    if (!std::isfinite(value)) {
        Note(name, NoteNumber(value), "is not a number", NoteNumber(fallback) + " kept");
        return fallback;
    }
    return CheckRange(name, NoteNumber(value), value, fallback, range);
}

double TInputCheck::CheckRange(std::string_view name, std::string_view given, double value, double fallback,
                               const TValueRange& range)
{
    if (range.Positive && !(value > 0)) {
        Note(name, given, "is not greater than zero", NoteNumber(fallback) + " used");
        return fallback;
    }
    // The rows' own rule, grace included.
    TNumberFormat limits;
    limits.RangeLo = range.Lo;
    limits.RangeHi = range.Hi;
    double limited = value;
    if (limits.CheckRange(limited)) return value;
    const double used = range.FallBack ? fallback : limited;
    Note(name, given, "is outside " + NoteNumber(range.Lo) + " to " + NoteNumber(range.Hi), NoteNumber(used) + " used");
    return used;
}

void TInputCheck::Note(std::string_view name, std::string_view given, std::string_view reason, std::string_view used)
{
    m_notes.push_back(std::string(name) + ": " + std::string(given) + " " + std::string(reason) + "; " +
                      std::string(used));
}

void TInputCheck::Append(const TInputCheck& other)
{
    m_notes.insert(m_notes.end(), other.m_notes.begin(), other.m_notes.end());
}

std::string TInputCheck::Message(std::string_view heading) const
{
    std::string message(heading);
    for (const std::string& note : m_notes) message += "\n  " + note;
    return message;
}

}  // namespace vantor
