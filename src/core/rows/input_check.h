#pragma once

// Values the program takes from outside its rows — data files, the settings, the command
// line — checked as a typed value is checked: a text that is not a finite number keeps the
// value it would have replaced, a number beyond its row's range takes the nearer limit (with
// the half per cent of grace typing has), and every value that could not be used as it stood
// is noted together with the value used instead. The window lists the notes in one message,
// the command line warns about each.
//
//   TInputCheck check;
//   check.Checked("tfi", "80,5", 45, {5, 150});              // 45:   tfi: "80,5" is not a number; 45 kept
//   check.Checked("AdditiveVolume", "5", 0.3, {0.01, 0.45});  // 0.45: AdditiveVolume: 5 is outside 0.01 to 0.45; 0.45 used
//   check.Checked("Pressure", "5", 98.6, {70, 120, true});    // 98.6, the value it had

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TValueRange {
    double Lo = 0;  // Lo and Hi both 0: any finite number
    double Hi = 0;
    // Beyond the range the fallback is used instead of the nearer limit: a value that far out
    // was never meant (a barometer of 5 kPa).
    bool FallBack = false;
    // Zero and below give the fallback (factors, properties).
    bool Positive = false;
};

class TInputCheck {
public:
    // The text read as a number and checked; fallback is the value a text that cannot be used
    // leaves in place (the present value or the default).
    double Checked(std::string_view name, std::string_view text, double fallback, const TValueRange& range);
    // A number that came without a text (a binary file, a derived value).
    double Checked(std::string_view name, double value, double fallback, const TValueRange& range);

    // Any other value the reader could not use as given: "<name>: <given> <reason>; <used>".
    void Note(std::string_view name, std::string_view given, std::string_view reason, std::string_view used);
    void Append(const TInputCheck& other);

    bool Empty() const { return m_notes.empty(); }
    const std::vector<std::string>& Notes() const { return m_notes; }
    // The heading, then one indented line per note.
    std::string Message(std::string_view heading) const;

private:
    double CheckRange(std::string_view name, std::string_view given, double value, double fallback,
                      const TValueRange& range);

    std::vector<std::string> m_notes;
};

// A number as the notes show it: at most six significant digits.
std::string NoteNumber(double value);

}  // namespace vantor
