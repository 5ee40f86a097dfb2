#pragma once

// The liquid side of a liquid coil: ties the heating fluid to the tubes and keeps the flow, the
// tube velocity, the design temperature drop and the way the fluid is controlled. It turns a
// heat duty into a leaving temperature (flow control) or into a fluid flow (temperature
// control).
//
// After every setter vw = m / ro / FlowArea and cw = m·Cp, with the fluid's properties as they
// are after the setter. The fields are plain data so that a data file can restore them.

#include <cstdint>
#include <optional>

namespace vantor {

class TLiquid;

// How the fluid is controlled.
enum class TFluidControl : std::uint8_t {
    Temperature = 0,  // inlet temperature and design drop fixed, the flow follows
    Flow = 1,         // inlet temperature and flow fixed, the leaving temperature follows
};
inline constexpr int kFluidControlCount = 2;

// The number a control carries in the data files, the settings, the main window's row and the
// JSON outputs, and back: a number that names no control gives nothing.
constexpr int FluidControlCode(TFluidControl control) { return static_cast<int>(control); }
std::optional<TFluidControl> FluidControlOfCode(long long code);

class TLiquidState {
public:
    explicit TLiquidState(TLiquid& liquid);

    // Another fluid; the flow is kept as the fluid holds it.
    void Attach(TLiquid& liquid);
    TLiquid& Liquid() const { return *m_liquid; }

    void SetMassFlow(double massFlow);
    double MassFlow() const;
    void SetVelocity(double velocity);
    // Litres per second.
    double VolumeFlow() const;
    void SetFlowArea(double area);
    double InletTemp() const;
    void SetInletTemp(double t);
    double LeavingTemp() const;
    void SetLeavingTemp(double t);
    // Q > 0 is heat given up by the fluid, kW.
    void ApplyDuty(double Q);

    double FlowArea = 1.0;     // bore area of all circuits, m²
    double designdt = 6.0;     // design drop, inlet less leaving, K
    double cw = 0;             // capacity rate, kW/K
    TFluidControl ctrl = TFluidControl::Flow;
    double vw = 0;             // mean velocity in the tubes, m/s
    double vwideal = 1.0;      // tube velocity aimed at when circuits are chosen, m/s

private:
    TLiquid* m_liquid;  // the document's, not owned
};

}  // namespace vantor
