#pragma once

// A heat-transfer fluid with its inlet, outlet and mean temperatures and its properties at the
// mean temperature. Fields are read directly; every setter of a temperature or of the
// pressure recomputes the properties at once (Update), so they are never stale.

#include <string>

namespace vantor {

class TFluid {
public:
    virtual ~TFluid() = default;

    virtual double GetT() const { return t; }
    // Mean temperature; the inlet is kept and the outlet moves to 2·value - tfi.
    virtual void SetT(double value);
    virtual std::string GetCaption() const = 0;
    virtual std::string GetShortCaption() const { return GetCaption(); }
    virtual std::string GetTitle() const { return {}; }
    // Pressure in bar; a value that is not a positive number is ignored.
    virtual void SetPf(double bar);
    virtual double GetPf() const { return Pf; }
    // Recomputes ro, Cp, mu, Ko, Pr, Tmin, Tmax and OutOfRange at t.
    virtual void Update() = 0;

    void SetTfi(double value);
    void SetTfo(double value);

    double Pf = 5.0;      // pressure, bar
    double t = 0.0;       // mean temperature, °C
    double tfi = 0.0;     // inlet temperature, °C
    double tfo = 0.0;     // outlet temperature, °C
    std::string Caption;  // name given at construction
    double m = 0.0;       // mass flow, kg/s
    double ro = 0.0;      // density, kg/m³
    double Cp = 0.0;      // specific heat, kJ/(kg·K)
    double mu = 0.0;      // dynamic viscosity, Pa·s
    double Ko = 0.0;      // thermal conductivity, kW/(m·K)
    double Pr = 0.0;      // Prandtl number, Cp·mu/Ko
    double Tmin = 0.0;    // validity range of the correlation last used, °C
    double Tmax = 0.0;
    bool UserProps = false;  // the user's properties replace the correlations
    double UserRo = 983.3;
    double UserCp = 4.185;
    double UserMu = 0.000463;
    double UserKo = 0.000653;
    int OutOfRange = 0;  // 1 when the properties are extrapolated or could not be computed

protected:
    TFluid(std::string caption, double massFlow, double inlet, double outlet);

    // Pr from Cp, mu and Ko; 0 while Ko is not positive.
    void UpdatePrandtl();
};

}  // namespace vantor
