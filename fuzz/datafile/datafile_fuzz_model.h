#pragma once

// A fresh hot-water coil with its air, fluid and file properties for each fuzz input, the
// shipped catalogue for the rematch, and a user folder that cannot be written, so that no
// input makes the target write a file.

#include "datafile/data_file.h"
#include "fluids/liquid.h"
#include "geometry/coil_makers.h"
#include "model/hot_water_coil.h"
#include "psychro/psychro.h"
#include "reports/file_properties.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <unordered_set>

namespace vantor::fuzz {

inline TCoilMakers& Catalogue()
{
    static TCoilMakers makers([] {
        TFolderEnvironment env;
        env.MakerRootOverride = VANTOR_SHARE_DIR;
        env.XdgDataHome = "/nonexistent/vantor-fuzz";
        env.Home = "/nonexistent/vantor-fuzz";
        return env;
    }());
    return makers;
}

struct TFuzzModel {
    TMoistAirState AirOn;
    TMoistAirState AirOff;
    TLiquid Liquid{"Water", 0.8, 45, 35, 0};
    THotWaterCoil Coil{TCoilAttachment{AirOn, AirOff, Liquid}, "544 720 4r 12f 7c",
                       TTubeRange{&Catalogue(), "Typical", 4}};
    TFileProperties Properties;

    TFuzzModel()
    {
        SetState(AirOn, 101.325, 25, 17, pcDbWb);
        AirOff = AirOn;
        Coil.SetFaceVelocity(2.5);
        Coil.LiquidState.SetVelocity(1.0);
    }

    TDataFileModel Model() { return {Coil, Properties, Catalogue()}; }

    // Whatever was read, the coil rates in bounded time and writes a data file that reads
    // back as one.
    void RateAndWriteBack()
    {
        Coil.Solve();
        TXMLFile file;
        BuildDataFile(file, Coil, Properties);
        std::ostringstream stream;
        file.Document().save(stream);
        const std::string text = stream.str();
        if (!FirstWritten(text)) return;
        TFuzzModel again;
        if (ReadDataFile(text, again.Model()).Code != dfOk) std::abort();
    }

private:
    // Many inputs leave the same model and so write the same file (a read that stops early
    // keeps the defaults); reading a file is deterministic, so each written file is read back
    // once. The hashes kept are bounded; when full, they start again.
    static bool FirstWritten(const std::string& text)
    {
        static std::unordered_set<std::size_t> seen;
        if (seen.size() >= kWrittenFilesKept) seen.clear();
        return seen.insert(std::hash<std::string>{}(text)).second;
    }

    static constexpr std::size_t kWrittenFilesKept = 1u << 16;
};

}  // namespace vantor::fuzz
