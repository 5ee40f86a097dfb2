#include "air_state/air_state_calc.h"

#include "fluids/air_state_text.h"
#include "fluids/psx_file.h"
#include "psychro/psychro.h"
#include "reports/html_sink.h"
#include "text/format.h"
#include "text/number_text.h"

#include <cmath>
#include <optional>

namespace vantor {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr double kPasteRH = 0.5;

// One property row: its descriptor, its units and, for the XML, its code.
struct TAirRowSpec {
    std::string_view Descriptor;
    TUnitsType Units;
    TFormatType FormatType;
    std::string_view Code;
    double TMoistAirState::*Field;
};

// Rows 2 to 12 in order; limits in the stored units (kPa, °C, kJ/kg, kg/kg, fraction, kg/m³).
constexpr std::array<TAirRowSpec, 11> kPropertyRows{{
    {"Pressure;%0.3f; kPa;;60;130", utPressureBar, ft_Manual, "pa", &TMoistAirState::P},
    {"Dry Bulb;%0.1f; °C;;-60;150", utTemperature, ft_Fixed, "db", &TMoistAirState::db},
    {"Wet Bulb;%0.1f; °C;;-60;150", utTemperature, ft_Fixed, "wb", &TMoistAirState::wb},
    {"Enthalpy;%0.1f; kJ/kg;;-60.35;3867.599", utEnthalpy, ft_Fixed, "ha", &TMoistAirState::h},
    {"Abs Humidity;%0.1f; g/kg;;1e-7;1.42031", utHumidity, ft_Manual, "wa", &TMoistAirState::W},
    {"Rel Humidity;%0.1f; %;;0;1", utProportion, ft_Fixed, "rh", &TMoistAirState::RH},
    {"Dew Point;%0.1f; °C;;-60;150", utTemperature, ft_Fixed, "td", &TMoistAirState::td},
    {"Vap Pressure;%0.1f; kPa;;0.00108;70.182", utPressure, ft_Manual, "pv", &TMoistAirState::pv},
    {"Sat Pressure;%0.1f; kPa;;0.00108;70.182", utPressure, ft_Manual, "ps", &TMoistAirState::ps},
    {"Density;%0.1f; kg/m³;;0.5;2", utDensity, ft_Fixed, "ro", &TMoistAirState::ro},
    {"Specific Heat;%0.1f; kJ/kg·K;;0;0", utSpecificHeat, ft_Fixed, "cp", &TMoistAirState::cp},
}};
constexpr int kPressureSigDigs = 6;

const TAirRowSpec& SpecOf(int row) { return kPropertyRows[static_cast<size_t>(row - asrPressure)]; }

// The letter of TAirCombin that stands for the row's property.
char LetterOf(int row) { return TAirCombin::AirLetters[static_cast<size_t>(row - asrPressure)]; }

}  // namespace

std::string CommaTextItem(std::string_view text)
{
    bool quote = false;
    for (const char c : text)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') quote = true;
    if (!quote) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

TAirStateCalc::TAirStateCalc(TPsyPoint& point, const TAirRowUnits& rowUnits, bool editItemName, bool editPressure)
    : m_point(point), m_backup(point.State)
{
    SetUpRows(rowUnits, editItemName, editPressure);
    Refresh();
}

void TAirStateCalc::SetUpRows(const TAirRowUnits& rowUnits, bool editItemName, bool editPressure)
{
    std::vector<std::string> lines{"Property;Value;Units", "Name;%S"};
    for (const TAirRowSpec& entry : kPropertyRows) lines.emplace_back(entry.Descriptor);
    m_rows.SetRows(lines);
    // The rows were just made from the table above, numeric where these calls need it, so
    // none of them can be refused.
    for (int row = asrPressure; row <= asrSpecificHeat; ++row) {
        const TAirRowSpec& entry = SpecOf(row);
        (void)m_rows.SetUnits(row, entry.Units, 0, rowUnits[static_cast<size_t>(row)], entry.FormatType, 1.0, 0.0);
    }
    (void)m_rows.SetSigDigs(asrPressure, kPressureSigDigs);
    (void)m_rows.SetRowEnabled(asrName, editItemName);
    (void)m_rows.SetRowEnabled(asrPressure, editPressure);
    (void)m_rows.SetRowEnabled(asrSpecificHeat, false);
}

TAirRowUnits TAirStateCalc::RowUnits() const
{
    TAirRowUnits units{};
    for (int row = asrPressure; row <= asrSpecificHeat; ++row) units[static_cast<size_t>(row)] = m_rows.RowUnitsValue(row);
    return units;
}

void TAirStateCalc::Refresh()
{
    m_rows.SetValue(1, asrName, m_point.ItemName);
    for (int row = asrPressure; row <= asrSpecificHeat; ++row) m_rows.SetValue(1, row, m_point.State.*SpecOf(row).Field);
}

void TAirStateCalc::Activate()
{
    Refresh();
    m_backup = m_point.State;
    std::string message;
    if (CheckAirState(m_point.State, message)) m_status = std::string(kAirStateReady);
}

void TAirStateCalc::ReadRows()
{
    for (int row = asrPressure; row <= asrSpecificHeat; ++row) {
        // A cell that does not read as a number keeps the property it had.
        if (const std::optional<double> value = VariantNumber(m_rows.GetValue(1, row)))
            m_point.State.*SpecOf(row).Field = *value;
    }
}

void TAirStateCalc::EditRow(int row)
{
    if (row == asrName) {
        m_point.ItemName = m_rows.Cell(1, asrName);
        Changed();
        return;
    }
    if (row < asrPressure || row > asrSpecificHeat) return;
    if (row > asrPressure) m_combination.Select(row - asrPressure);
    ReadRows();
    m_status = std::string(kAirStateReady);

    TMoistAirState result = m_point.State;
    const int status = AirState(result, m_point.State, m_combination.PairCode);
    std::string message;
    if (!PsyStateFilled(status)) {
        message = std::string(kInvalidAirState);
    } else {
        m_point.State = result;
        CheckAirState(m_point.State, message);
    }
    if (message.empty()) {
        m_backup = m_point.State;
        Changed();
    } else {
        m_status = message;
    }
    Refresh();
}

void TAirStateCalc::Leave()
{
    if (Ready()) return;
    m_point.State = m_backup;
    Refresh();
    m_status = std::string(kAirStateReady);
}

bool TAirStateCalc::RowHighlighted(int row) const
{
    if (row < asrPressure || row > asrSpecificHeat) return false;
    return m_combination.Chosen.count(LetterOf(row)) > 0;
}

std::string TAirStateCalc::CopyText() const { return FormatAirState(m_point.State, "%0.3f"); }

TResult TAirStateCalc::Paste(std::string_view text)
{
    TMoistAirState pasted = m_point.State;
    try {
        ParseAirState(text, pasted, m_point.State.P, kPasteRH);
    } catch (const EConvertError& error) {
        return TResult::Error(TErrorCode::Failed, error.what());
    }
    m_point.State = pasted;
    m_combination.Select(asrDryBulb - asrPressure);
    m_combination.Select(asrWetBulb - asrPressure);
    Refresh();
    Changed();
    return TResult::Ok();
}

std::string TAirStateCalc::TableText() const
{
    std::string text;
    for (int row = 0; row < m_rows.RowCount(); ++row) {
        for (int col = 0; col < m_rows.ColCount(); ++col) {
            if (col > 0) text += ',';
            text += CommaTextItem(m_rows.Cell(col, row));
        }
        text += kCrLf;
    }
    return text;
}

std::string TAirStateCalc::XmlText() const
{
    std::string text;
    const auto line = [&text](const std::string& content) {
        text += content;
        text += kCrLf;
    };
    line("<?xml version=\"1.0\" ?>");
    line("<?xml-stylesheet type=\"text/xsl\" href=\"airstate.xsl\"?>");
    line("<airstate>");
    line("  <properties name=\"" + EscapeHtml(m_rows.Cell(1, asrName)) + "\">");
    for (int row = asrPressure; row <= asrSpecificHeat; ++row) {
        line("    <item code=\"" + std::string(SpecOf(row).Code) + "\" caption=\"" + EscapeHtml(m_rows.Cell(0, row)) +
             "\" units=\"" + EscapeHtml(m_rows.Cell(2, row)) + "\">" + EscapeHtml(m_rows.Cell(1, row)) + "</item>");
    }
    line("  </properties>");
    line("</airstate>");
    return text;
}

TResult TAirStateCalc::Save(const std::filesystem::path& path)
{
    if (!Ready()) {
        m_status = std::string(kCantSaveInvalidData);
        return TResult::Error(TErrorCode::Failed, m_status);
    }
    return WritePsxFile(path, m_point.State);
}

TResult TAirStateCalc::Load(const std::filesystem::path& path)
{
    TResult result = ReadPsxFile(path, m_point.State);
    if (!result) return result;
    Refresh();
    Changed();
    return result;
}

std::string BarometerChangeWarning(double fileP, double shownP)
{
    constexpr double kSamePressure = 0.001;  // kPa
    const double difference = fileP - shownP;
    if (std::fabs(difference) < kSamePressure) return {};
    const auto kPa = [](double value) { return FormatGeneral(value, 6) + " kPa"; };
    return "The air state was saved at a barometer of " + kPa(fileP) + ", " + kPa(std::fabs(difference)) +
           (difference < 0.0 ? " below" : " above") + " the " + kPa(shownP) +
           " in use. Its moisture content and humidity belong to that pressure: check them before accepting.";
}

void TAirStateCalc::Changed()
{
    if (OnEditAirconItem) OnEditAirconItem();
}

}  // namespace vantor
