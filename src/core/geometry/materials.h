#pragma once

// The materials a coil is built from: tubes, fins and casing. Conductivity in kW/(m·K),
// density in kg/m³, specific heat in kJ/(kg·K).

#include <array>
#include <string_view>

namespace vantor {

struct TMaterial {
    std::string_view Code;
    std::string_view Name;
    double Density;
    double Conductivity;
    double SpecificHeat;
};

inline constexpr std::array<TMaterial, 8> Materials{{
    {"Cu", "Copper", 8900, 0.384, 0.394},
    {"Al", "Aluminium", 2700, 0.209, 0.904},
    {"St", "Steel", 7850, 0.054, 0.49},
    {"GI", "Galvanised Iron", 7800, 0.054, 0.49},
    {"SS", "Stainless Steel", 7800, 0.054, 0.49},
    {"Ale", "Epoxy Coated Aluminium", 2700, 0.19, 0.904},
    {"TI", "Titanium", 4510, 0.0156, 0.544},
    {"Br", "Brass", 8522, 0.111, 0.385},
}};

inline constexpr int kCopper = 0;
inline constexpr int kAluminium = 1;
inline constexpr int kGalvanisedIron = 3;

inline bool IsMaterialIndex(int index) { return index >= 0 && index < static_cast<int>(Materials.size()); }

// The index of a material code, compared without regard to case; defaultIndex when unknown.
int MaterialIndex(std::string_view code, int defaultIndex);

// The material at index, or at defaultIndex when index is outside the table.
const TMaterial& MaterialAt(int index, int defaultIndex);

}  // namespace vantor
