// The result reports of the coil classes: the tabbed text report, the diagnostics and the
// comma-separated text. Each class adds its lines to those of its base class. Every quantity
// is shown in the unit the user chose for its units-registry record.

#include "model/coil.h"
#include "model/hot_water_coil.h"
#include "model/liquid_coil.h"
#include "model/solve_status.h"

#include "fluids/liquid.h"
#include "geometry/designation.h"
#include "psychro/psychro.h"
#include "reports/report_sink.h"
#include "text/format.h"
#include "units/unit_format.h"
#include "units/units_registry.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

namespace {

// A registry record, by section and key.
struct TQuantity {
    std::string_view Section;
    std::string_view Key;
};

constexpr TQuantity kBarometer{"place", "barom_pressure"};
constexpr TQuantity kAltitude{"place", "altitude"};
constexpr TQuantity kAirFlow{"air", "vol_flow"};
constexpr TQuantity kAirVelocity{"air", "v"};
constexpr TQuantity kAirTemp{"air", "t"};
constexpr TQuantity kAirDrop{"air", "dp"};
constexpr TQuantity kCondRate{"general", "cond_rate"};
constexpr TQuantity kLiquidMassFlow{"liquid", "mass_flow"};
constexpr TQuantity kLiquidVelocity{"liquid", "v"};
constexpr TQuantity kLiquidTemp{"liquid", "t"};
constexpr TQuantity kLiquidDrop{"liquid", "dp"};
constexpr TQuantity kLiquidDensity{"liquid", "rho"};
constexpr TQuantity kDuty{"hex", "duty"};
constexpr TQuantity kPipeConn{"hex", "pipe_conn"};
constexpr TQuantity kArea{"hex", "area"};
constexpr TQuantity kVolume{"hex", "vol"};
constexpr TQuantity kUValue{"hex", "u_value"};
constexpr TQuantity kDutyPerVolume{"hex", "duty_per_volflow"};

// The film and overall coefficients are kept in kW/(m²·K) and shown on a W basis.
constexpr double kWattsPerKilowatt = 1000;

const TUnitsRegistry& StandardRegistry()
{
    static const TUnitsRegistry units = StandardUnitsRegistry();
    return units;
}

// Shows SI values in the unit the user chose for their record, with the format that suits
// the value's size unless the unit's own format is asked for. It formats a copy of the
// record, so a report leaves the registry as it found it.
class TUnitFormatter {
public:
    enum TFormat : bool { Automatic = false, UnitDefault = true };

    explicit TUnitFormatter(const TUnitsRegistry& units) : m_units(units) {}

    // pattern applied to the value text and the unit label: "Airflow\t%s\t%s".
    std::string Value(std::string_view pattern, TQuantity q, double x, TFormat format = Automatic) const
    {
        UnitRec rec = Record(q);
        return FormatUnit(pattern, rec, format, x);
    }
    // The same for a pair a/b in one unit.
    std::string Pair(std::string_view pattern, TQuantity q, double a, double b) const
    {
        UnitRec rec = Record(q);
        return FormatUnitPair(pattern, rec, Automatic, a, b);
    }
    // The value text, separator and the unit label.
    std::string Text(TQuantity q, std::string_view separator, double x) const
    {
        UnitRec rec = Record(q);
        return UnitText(rec, true, separator, Automatic, x);
    }
    std::string PairText(TQuantity q, std::string_view separator, double a, double b) const
    {
        UnitRec rec = Record(q);
        return UnitPairText(rec, true, separator, Automatic, a, b);
    }

private:
    // A registry without the record shows it in the standard unit.
    UnitRec Record(TQuantity q) const
    {
        if (const UnitRec* rec = m_units.Find(q.Section, q.Key)) return *rec;
        if (const UnitRec* rec = StandardRegistry().Find(q.Section, q.Key)) return *rec;
        return {};
    }

    const TUnitsRegistry& m_units;
};

void Line(TReportSink& sink, std::string_view text) { sink.AppendLine(text, false); }
void Heading(TReportSink& sink, std::string_view text) { sink.AppendLine(text, true); }

// "Model", the maker and range, the designation and the maker's own designation.
void ModelLines(const TCoil& coil, TReportSink& sink)
{
    const TModelRec& rec = coil.Geometry().ModelRecord();
    Heading(sink, "Model");
    Line(sink, rec.Mnf + " (" + rec.Model + ")");
    Line(sink, coil.Geometry().Designation());
    if (const std::string maker = MakerDesignation(rec); !maker.empty()) Line(sink, maker);
}

// A text item of the comma-separated report, quoted when it holds a comma, a quote or a line
// break so that it stays one field.
std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// The items follow the text, each on a line of its own (CR LF between lines, none after the
// last).
std::string AppendCsvItems(std::string text, const std::vector<std::string>& items)
{
    for (const std::string& item : items) {
        if (!text.empty()) text += "\r\n";
        text += item;
    }
    return text;
}

}  // namespace

const TUnitsRegistry& TCoil::UnitsRegistry() const { return m_units ? *m_units : StandardRegistry(); }

void TCoil::ReportText(TReportSink& sink) const
{
    const TUnitFormatter units(UnitsRegistry());
    const TMoistAirState& on = AirOn();
    const TMoistAirState& off = AirOff();

    Line(sink, "");
    Heading(sink, Title);
    Line(sink, "");
    ModelLines(*this, sink);

    Line(sink, "");
    Heading(sink, "Air");
    Line(sink, units.Value("Barometer\t%s\t%s", kBarometer, on.P));
    Line(sink, units.Value("Altitude\t%s\t%s", kAltitude, Altitude(on.P)));
    Line(sink, units.Value("Airflow\t%s\t%s", kAirFlow, AirVolume()));
    Line(sink, units.Value("Velocity\t%s\t%s", kAirVelocity, FaceVelocity()));
    Line(sink, units.Pair("On Coil\t%s\t%s", kAirTemp, on.db, on.wb));
    Line(sink, units.Pair("Off Coil\t%s\t%s", kAirTemp, off.db, off.wb));
    Line(sink, units.Value("Cond Rate\t%s\t%s", kCondRate, CondensateRate(), TUnitFormatter::UnitDefault));
    Line(sink, units.Value("Pressure drop\t%s\t%s", kAirDrop, AirPressureDrop()));
}

void TCoil::Diagnostics(TReportSink& sink) const
{
    const TUnitFormatter units(UnitsRegistry());
    const TMoistAirState& on = AirOn();
    const TMoistAirState& off = AirOff();

    Heading(sink, Title + " Diagnostics");
    Line(sink, "");
    ModelLines(*this, sink);
    Line(sink, "");

    Heading(sink, "Areas and Volumes");
    Line(sink, units.Value("Ao = %s %s", kArea, Ao));
    Line(sink, Format("Ao' = %0.3f Ao/Af-rows", {Ao / (FaceArea() * Rows())}));
    Line(sink, units.Value("Ai = %s %s", kArea, Ai));
    Line(sink, units.Value("Vi = %s %s", kVolume, Vi));
    Line(sink, "");

    Heading(sink, "Pipe Connections");
    Line(sink, units.Value("Size = %s %s", kPipeConn, PipeSize()));
    Line(sink, "");

    if (Status != TSolveStatus::Solved) {
        Heading(sink, "NOT SOLVED");
        Line(sink, "");
    }

    Heading(sink, "Heat Transfer");
    Line(sink, units.Value("ho = %s %s", kUValue, ho * kWattsPerKilowatt));
    Line(sink, units.Value("Ui = %s %s", kUValue, Ui * kWattsPerKilowatt));
    Line(sink, units.Value("Uo = %s %s", kUValue, Uo * kWattsPerKilowatt));
    Line(sink, Format("Ntu = %0.3f", {Ntu}));
    Line(sink, Format("Cr = %0.3f", {Cr}));
    Line(sink, "Qt = e x Qmax");
    Line(sink, units.Value("   = %s %s", kDuty, e * Qmax));
    Line(sink, "");

    // Without air there is no duty to spread over it.
    const double dutyPerVolume = AirVolume() > 0 ? std::fabs(Qt / AirVolume()) : 0.0;
    Heading(sink, "Air Side Duty");
    Line(sink, "Qt = ma (hao - hai)");
    Line(sink, units.Value("   = %s %s", kDuty, (off.h - on.h) * AirMassFlow()));
    Line(sink, "Qs = ma x Cpa (dbo - dbi)");
    Line(sink, units.Value("   = %s %s", kDuty, AirMassFlow() * on.cp * (off.db - on.db)));
    Line(sink, units.Value("Rate = %s %s", kDutyPerVolume, dutyPerVolume));
    Line(sink, "");

    Heading(sink, "Psychrometrics");
    Line(sink, Format("Bypass factor = %0.3f", {BypassFactor}));
    Line(sink, units.Value("Apparatus Dew Point = %s %s", kAirTemp, ADP));
    Line(sink, "");
}

std::string TCoil::CsvText() const
{
    const TUnitFormatter units(UnitsRegistry());
    const TModelRec& rec = Geometry().ModelRecord();
    const TMoistAirState& on = AirOn();
    const TMoistAirState& off = AirOff();
    return AppendCsvItems({}, {
        "Make," + CsvField(rec.Mnf),
        "Tube," + CsvField(rec.Model),
        "Model," + CsvField(Geometry().Designation()),
        "Barometer," + units.Text(kBarometer, ",", on.P),
        "Altitude," + units.Text(kAltitude, ",", Altitude(on.P)),
        "Airflow," + units.Text(kAirFlow, ",", AirVolume()),
        "Velocity," + units.Text(kAirVelocity, ",", FaceVelocity()),
        "On Coil," + units.PairText(kAirTemp, ",", on.db, on.wb),
        "Off Coil," + units.PairText(kAirTemp, ",", off.db, off.wb),
        "Pressure drop," + units.Text(kAirDrop, ",", AirPressureDrop()),
    });
}

void TLiquidCoil::ReportText(TReportSink& sink) const
{
    TCoil::ReportText(sink);
    const TUnitFormatter units(UnitsRegistry());
    const TLiquid& liquid = Liquid();

    Line(sink, "");
    Heading(sink, liquid.GetCaption());
    Line(sink, units.Value("Mass Flow\t%s\t%s", kLiquidMassFlow, liquid.m));
    Line(sink, units.Value("Velocity\t%s\t%s", kLiquidVelocity, LiquidState.vw));
    Line(sink, units.Value("Inlet Temp.\t%s\t%s", kLiquidTemp, liquid.tfi));
    Line(sink, units.Value("Leaving Temp.\t%s\t%s", kLiquidTemp, liquid.tfo));
    Line(sink, "Pressure Drop\t" + units.Text(kLiquidDrop, "\t", FluidPressureDrop()));
    Line(sink, "Pipe Conn\t" + units.Text(kPipeConn, "\t", PipeSize()));
}

void TLiquidCoil::Diagnostics(TReportSink& sink) const
{
    TCoil::Diagnostics(sink);
    const TUnitFormatter units(UnitsRegistry());
    const TLiquid& liquid = Liquid();

    // Heat taken up by the fluid: negative for a heating coil.
    Heading(sink, "Liquid Side Duty");
    Line(sink, units.Value("Density = %s %s", kLiquidDensity, liquid.ro));
    Line(sink, units.Value("Velocity = %s %s", kLiquidVelocity, LiquidState.vw));
    Line(sink, "Qt = mw x Cpw (two - twi)");
    Line(sink, units.Value("   = %s %s", kDuty, (liquid.tfo - liquid.tfi) * liquid.m * liquid.Cp));
    Line(sink, "");
}

std::string TLiquidCoil::CsvText() const
{
    const TUnitFormatter units(UnitsRegistry());
    const TLiquid& liquid = Liquid();
    return AppendCsvItems(TCoil::CsvText(), {
        CsvField(liquid.GetCaption()),
        units.Value("Mass Flow,%s,%s", kLiquidMassFlow, liquid.m),
        units.Value("Velocity,%s,%s", kLiquidVelocity, LiquidState.vw),
        units.Value("Inlet Temp,%s,%s", kLiquidTemp, liquid.tfi),
        units.Value("Leaving Temp,%s,%s", kLiquidTemp, liquid.tfo),
        "LiquidDP," + units.Text(kLiquidDrop, ",", FluidPressureDrop()),
    });
}

void THotWaterCoil::ReportText(TReportSink& sink) const
{
    TLiquidCoil::ReportText(sink);
    const TUnitFormatter units(UnitsRegistry());

    Line(sink, "");
    Heading(sink, "Performance");
    Line(sink, "Duty\t" + units.Text(kDuty, "\t", Qt));
    if (Status != TSolveStatus::Solved) Line(sink, "Solve Status\t" + std::string(SolveStatusName(Status)));
}

std::string THotWaterCoil::CsvText() const
{
    const TUnitFormatter units(UnitsRegistry());
    return AppendCsvItems(TLiquidCoil::CsvText(), {"Duty," + units.Text(kDuty, ",", Qt)});
}

}  // namespace vantor
