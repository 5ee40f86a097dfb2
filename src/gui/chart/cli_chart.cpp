#include "gui/chart/cli_chart.h"

#include "document/rating_document.h"
#include "gui/chart/data_chart.h"
#include "gui/common/qt_text.h"
#include "text/file_io.h"

#include <QApplication>

#include <array>
#include <memory>

namespace vantor {

TResult WriteSimulationChartFile(const TStepSimulation& simulation, const std::string& fileName)
{
    std::unique_ptr<QApplication> own;
    if (!QCoreApplication::instance()) {
        // The platform given as an argument overrides QT_QPA_PLATFORM: no display is asked for.
        static char program[] = "vantor-cli";
        static char platformOption[] = "-platform";
        static char offscreen[] = "offscreen";
        static std::array<char*, 4> arguments{program, platformOption, offscreen, nullptr};
        static int count = 3;
        own = std::make_unique<QApplication>(count, arguments.data());
    } else if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return TResult::Error(fwFailed, "Charts need a widget application");
    }
    return WriteStepSimulationChart(simulation, ToQString(fileName));
}

}  // namespace vantor
