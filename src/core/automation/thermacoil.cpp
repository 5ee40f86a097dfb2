#include "automation/thermacoil.h"

#include "document/rating_document.h"
#include "text/text_routines.h"

namespace vantor {

namespace {

using enum TAutomationAccess;
using enum TAutomationType;

std::string Failure(std::string_view name, std::string_view what) { return std::string(name) + ": " + std::string(what); }

}  // namespace

const std::array<TThermacoilMember, 22> kThermacoilMembers = {{
    {7, 201, "Model", Get, String},
    {8, 201, "Model", Put, String},
    {9, 202, "WaterOn", Get, Double},
    {10, 202, "WaterOn", Put, Double},
    {11, 203, "Qs", Get, Double},
    {12, 204, "Qt", Get, Double},
    {13, 205, "Solve", Method, Double},
    {14, 206, "AirFaceVelocity", Get, Double},
    {15, 206, "AirFaceVelocity", Put, Double},
    {16, 207, "WaterFlow", Get, Double},
    {17, 207, "WaterFlow", Put, Double},
    {18, 208, "DBon", Get, Double},
    {19, 208, "DBon", Put, Double},
    {20, 209, "WBon", Get, Double},
    {21, 209, "WBon", Put, Double},
    {22, 210, "CalcState", Get, Int32},
    {23, 211, "InletAirFlow", Get, Double},
    {24, 211, "InletAirFlow", Put, Double},
    {25, 212, "AirMassFlow", Get, Double},
    {26, 212, "AirMassFlow", Put, Double},
    {27, 213, "Warnings", Get, StringList},
    {28, 214, "Solved", Get, Boolean},
}};

// ---- Gets ----

TResult TThermacoil::GetModel(std::string& value) const
{
    value = m_document.HotWaterCoil().GetModelText();
    return TResult::Ok();
}

TResult TThermacoil::GetWaterOn(double& value) const
{
    value = m_document.Liquid().tfi;
    return TResult::Ok();
}

TResult TThermacoil::GetQs(double& value) const
{
    value = m_document.HotWaterCoil().Qs;
    return TResult::Ok();
}

TResult TThermacoil::GetQt(double& value) const
{
    value = m_document.HotWaterCoil().Qt;
    return TResult::Ok();
}

TResult TThermacoil::GetAirFaceVelocity(double& value) const
{
    value = m_document.HotWaterCoil().FaceVelocity();
    return TResult::Ok();
}

TResult TThermacoil::GetWaterFlow(double& value) const
{
    value = m_document.HotWaterCoil().LiquidState.MassFlow();
    return TResult::Ok();
}

TResult TThermacoil::GetDBon(double& value) const
{
    value = m_document.HotWaterCoil().AirOnDryBulb();
    return TResult::Ok();
}

TResult TThermacoil::GetWBon(double& value) const
{
    value = m_document.AirOn().wb;
    return TResult::Ok();
}

TResult TThermacoil::GetCalcState(std::int32_t& value) const
{
    value = SolveStatusCode(m_document.HotWaterCoil().Status);
    return TResult::Ok();
}

TResult TThermacoil::GetInletAirFlow(double& value) const
{
    value = m_document.HotWaterCoil().AirVolume();
    return TResult::Ok();
}

TResult TThermacoil::GetAirMassFlow(double& value) const
{
    value = m_document.HotWaterCoil().AirMassFlow();
    return TResult::Ok();
}

TResult TThermacoil::GetWarnings(std::vector<std::string>& value) const
{
    value = m_document.SolveWarnings();
    return TResult::Ok();
}

TResult TThermacoil::GetSolved(bool& value) const
{
    value = m_document.Solved();
    return TResult::Ok();
}

// ---- Solve ----

TResult TThermacoil::Solve(double& value)
{
    const TResult solved = m_document.Solve();
    value = m_document.HotWaterCoil().Qt;
    if (solved || solved.Code != SolveStatusCode(TSolveStatus::DataError)) return TResult::Ok();
    // The client hears what the status line shows: the solve panel and the warnings.
    const std::vector<std::string>& warnings = m_document.SolveWarnings();
    if (warnings.empty()) return solved;
    return TResult::Error(solved.Code, solved.Message + ": " + Joined(warnings, "; "));
}

// ---- Puts ----

TResult TThermacoil::PutThrough(std::string_view name, const TEditNotes& put)
{
    if (!put) return TResult::Error(TErrorCode::Failed, Failure(name, put.Result.Message));
    // What the document corrected joins the warnings the client reads, naming the property.
    for (const std::string& note : put.Notes) m_document.AddInputNote(std::string(name) + ": " + note);
    return TResult::Ok();
}

TResult TThermacoil::PutModel(std::string_view value) { return PutThrough("Model", m_document.PutModelText(value)); }

TResult TThermacoil::PutWaterOn(double value)
{
    return PutThrough("WaterOn", m_document.PutValue(TPutQuantity::FluidInlet, value));
}

TResult TThermacoil::PutAirFaceVelocity(double value)
{
    return PutThrough("AirFaceVelocity", m_document.PutValue(TPutQuantity::FaceVelocity, value));
}

TResult TThermacoil::PutWaterFlow(double value)
{
    return PutThrough("WaterFlow", m_document.PutValue(TPutQuantity::FluidFlow, value));
}

TResult TThermacoil::PutDBon(double value) { return PutThrough("DBon", m_document.PutValue(TPutQuantity::AirOnDryBulb, value)); }

TResult TThermacoil::PutWBon(double value) { return PutThrough("WBon", m_document.PutValue(TPutQuantity::AirOnWetBulb, value)); }

TResult TThermacoil::PutInletAirFlow(double value)
{
    return PutThrough("InletAirFlow", m_document.PutValue(TPutQuantity::AirVolume, value));
}

TResult TThermacoil::PutAirMassFlow(double value)
{
    return PutThrough("AirMassFlow", m_document.PutValue(TPutQuantity::AirMassFlow, value));
}

// ---- By name ----

TResult TThermacoil::Get(std::string_view name, TAutomationValue& value)
{
    if (SameText(name, "Model")) {
        std::string text;
        const TResult result = GetModel(text);
        value = std::move(text);
        return result;
    }
    if (SameText(name, "CalcState")) {
        std::int32_t state = 0;
        const TResult result = GetCalcState(state);
        value = state;
        return result;
    }
    if (SameText(name, "Warnings")) {
        std::vector<std::string> warnings;
        const TResult result = GetWarnings(warnings);
        value = std::move(warnings);
        return result;
    }
    if (SameText(name, "Solved")) {
        bool solved = false;
        const TResult result = GetSolved(solved);
        value = solved;
        return result;
    }
    using TNumberGet = TResult (*)(TThermacoil&, double&);
    static constexpr std::pair<std::string_view, TNumberGet> kNumberGets[] = {
        {"WaterOn", [](TThermacoil& o, double& v) { return o.GetWaterOn(v); }},
        {"Qs", [](TThermacoil& o, double& v) { return o.GetQs(v); }},
        {"Qt", [](TThermacoil& o, double& v) { return o.GetQt(v); }},
        {"Solve", [](TThermacoil& o, double& v) { return o.Solve(v); }},
        {"AirFaceVelocity", [](TThermacoil& o, double& v) { return o.GetAirFaceVelocity(v); }},
        {"WaterFlow", [](TThermacoil& o, double& v) { return o.GetWaterFlow(v); }},
        {"DBon", [](TThermacoil& o, double& v) { return o.GetDBon(v); }},
        {"WBon", [](TThermacoil& o, double& v) { return o.GetWBon(v); }},
        {"InletAirFlow", [](TThermacoil& o, double& v) { return o.GetInletAirFlow(v); }},
        {"AirMassFlow", [](TThermacoil& o, double& v) { return o.GetAirMassFlow(v); }},
    };
    for (const auto& [member, get] : kNumberGets) {
        if (!SameText(name, member)) continue;
        double number = 0;
        const TResult result = get(*this, number);
        value = number;
        return result;
    }
    return TResult::Error(TErrorCode::Failed, "Thermacoil has no member \"" + std::string(name) + "\"");
}

TResult TThermacoil::Put(std::string_view name, const TAutomationValue& value)
{
    if (SameText(name, "Model")) {
        const std::string* text = std::get_if<std::string>(&value);
        return text ? PutModel(*text) : TResult::Error(TErrorCode::Failed, Failure("Model", "a text is expected"));
    }
    using TNumberPut = TResult (*)(TThermacoil&, double);
    static constexpr std::pair<std::string_view, TNumberPut> kNumberPuts[] = {
        {"WaterOn", [](TThermacoil& o, double v) { return o.PutWaterOn(v); }},
        {"AirFaceVelocity", [](TThermacoil& o, double v) { return o.PutAirFaceVelocity(v); }},
        {"WaterFlow", [](TThermacoil& o, double v) { return o.PutWaterFlow(v); }},
        {"DBon", [](TThermacoil& o, double v) { return o.PutDBon(v); }},
        {"WBon", [](TThermacoil& o, double v) { return o.PutWBon(v); }},
        {"InletAirFlow", [](TThermacoil& o, double v) { return o.PutInletAirFlow(v); }},
        {"AirMassFlow", [](TThermacoil& o, double v) { return o.PutAirMassFlow(v); }},
    };
    for (const auto& [member, put] : kNumberPuts) {
        if (!SameText(name, member)) continue;
        if (const double* number = std::get_if<double>(&value)) return put(*this, *number);
        if (const std::int32_t* integer = std::get_if<std::int32_t>(&value)) return put(*this, *integer);
        return TResult::Error(TErrorCode::Failed, Failure(member, "a number is expected"));
    }
    for (const TThermacoilMember& member : kThermacoilMembers)
        if (SameText(name, member.Name)) return TResult::Error(TErrorCode::Failed, Failure(member.Name, "the value cannot be set"));
    return TResult::Error(TErrorCode::Failed, "Thermacoil has no member \"" + std::string(name) + "\"");
}

}  // namespace vantor
