// The automation door of the rating document: values put by another program, taken as given.

#include "document/rating_document.h"

#include "fluids/air_state_text.h"
#include "geometry/designation.h"
#include "psychro/psychro.h"

#include <cmath>
#include <utility>

namespace vantor {

namespace {

TEditNotes Refused(std::string message) { return {TResult::Error(TErrorCode::Failed, std::move(message)), {}}; }

}  // namespace

TEditNotes TRatingDocument::PutValue(TPutQuantity quantity, double value)
{
    if (!std::isfinite(value)) return Refused("the value is not a finite number");
    switch (quantity) {
    case TPutQuantity::FluidInlet:
        // The tube velocity is left as it was.
        m_liquid->SetTfi(value);
        break;
    case TPutQuantity::FaceVelocity:
        m_coil->SetFaceVelocity(value);
        break;
    case TPutQuantity::FluidFlow:
        m_coil->LiquidState.SetMassFlow(value);
        break;
    case TPutQuantity::AirOnDryBulb:
        return PutAirOnValue(true, value);
    case TPutQuantity::AirOnWetBulb:
        return PutAirOnValue(false, value);
    case TPutQuantity::AirVolume:
        m_coil->SetAirVolume(value);
        break;
    case TPutQuantity::AirMassFlow:
        m_coil->SetMassFlow(value);
        break;
    }
    ValuePut();
    return {};
}

TEditNotes TRatingDocument::PutAirOnValue(bool dryBulb, double value)
{
    // The air mass flow stays; the air volume follows the new density.
    const TMoistAirState before = m_coil->AirOn();
    if (dryBulb)
        m_coil->SetAirOnDryBulb(value);
    else
        m_coil->SetAirOnWetBulb(value);
    if (const int status = PsyStatus(); !PsyStateFilled(status)) {
        m_coil->AirOn() = before;
        return Refused(std::string(PsyStatusText(status)));
    }
    // Kept moisture can be more than the new dry bulb holds (a dry bulb of 0 °C under air of
    // 25/17 would have its wet bulb above it): such a state is corrected as the on-coil row
    // corrects a typed one. Both bulbs are given, so the reader's default humidity plays no part.
    TMoistAirState corrected = m_coil->AirOn();
    const TAirReading reading = ReadAirTemperatures(corrected.db, corrected.wb, corrected, corrected.P, kDefaultAirRH);
    if (!reading.Corrections.empty()) {
        if (!PsyStateFilled(reading.Status)) {
            m_coil->AirOn() = before;
            return Refused(std::string(PsyStatusText(reading.Status)));
        }
        m_coil->AirOn() = corrected;
    }
    m_coil->SetMassFlow(m_coil->AirMassFlow());
    ValuePut();
    TEditNotes put;
    const std::string row = RowName(rowAirOn);
    for (const TAirCorrection& correction : reading.Corrections) put.Notes.push_back(row + " " + AirCorrectionText(correction));
    return put;
}

TEditNotes TRatingDocument::PutModelText(std::string_view text)
{
    TModelValues values;
    if (const int code = ParseDesignation(text, values); code != kDesignationOk)
        return Refused("\"" + std::string(text) + "\": " + std::string(DesignationErrorText(code)));
    const std::string previous = m_coil->GetModelText();
    m_coil->SetModelText(text);
    if (!m_coil->ModelValid) {
        // The geometry kept the previous coil; so does the model text.
        m_coil->SetModelText(previous);
        return Refused("\"" + std::string(text) + "\": the coil cannot be built");
    }
    // A row 1 text refused later falls back to this coil, not to an older one.
    m_coilModel = std::string(text);
    ValuePut();
    return {};
}

void TRatingDocument::ValuePut()
{
    m_status.SetSolved(false);
    ShowValues();
}

}  // namespace vantor
