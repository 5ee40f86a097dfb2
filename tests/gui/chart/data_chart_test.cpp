// The data chart window: built from its series on showing, the step-by-step simulation of the
// main window's popup menu, copying on a double click, and saving the chart and the profile.

#include "document/rating_document.h"
#include "gui/chart/chart_panel.h"
#include "gui/chart/data_chart.h"
#include "gui/main/main_window.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "gui/scripted_prompts.h"
#include "units/units_registry.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

using namespace vantor;
using namespace vantor::test;

namespace {

// Three series: 20 to 80 and 30 to 50 shown, a hidden one reaching 500.
void FillThreeSeries(TDataChart& chart)
{
    chart.SetSeries({{20, 50, 80, 60}, {30, 40, 50, 45}, {500, 500, 500, 500}});
    chart.SetShownSeries({0, 1});
    chart.SetFirstIndex(0);
    chart.SetLastIndex(3);
    chart.SetCurveWidth(3);
    chart.SetLegends({"Supply", "Return", "Hidden"});
}

QStringList Texts(const std::vector<TLegendEntry>& entries)
{
    QStringList texts;
    for (const TLegendEntry& entry : entries) texts << entry.Text;
    return texts;
}

// A step-by-step simulation that found no solution, with its message.
TStepSimulation FailedSimulation()
{
    TStepSimulation failed;
    failed.Caption = "Step-by-Step Simulation";
    failed.Result = TResult::Error(SolveStatusCode(TSolveStatus::DataError),
                                   std::string(SimulationMessage(TSimulationOutcome::Unresolved)));
    return failed;
}

}  // namespace

class DataChartTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void showingBuildsTheShownSeries()
    {
        TDataChart chart;
        QCOMPARE(chart.windowTitle(), QString("Data Chart"));
        QCOMPARE(chart.Chart().Title(), QString("Temperature Profile"));
        QVERIFY(!chart.Chart().ShowXScale());
        FillThreeSeries(chart);
        QVERIFY(ShowExposed(chart));

        TChartPanel& panel = chart.Chart();
        QCOMPARE(panel.CurveCount(), 2);
        QCOMPARE(panel.Curve(0).LineColor, QColor(Qt::red));
        QCOMPARE(panel.Curve(1).LineColor, QColor(0, 128, 0));
        QCOMPARE(panel.Curve(0).LineWidth, 3);
        QCOMPARE(panel.Curve(0).PointCount(), 4);
        QCOMPARE(panel.Curve(1).Point(2).Y(), 50.0);
        // 20 to 80 widened by 5 % of the span; positions 0 to the last index + 1.
        QCOMPARE(panel.YMin(), 17.0);
        QCOMPARE(panel.YMax(), 83.0);
        QCOMPARE(panel.XMin(), 0.0);
        QCOMPARE(panel.XMax(), 4.0);
        QVERIFY(chart.Legend(0).isVisible() && chart.Legend(1).isVisible());
        QVERIFY(!chart.Legend(2).isVisible() && !chart.Legend(3).isVisible());
        QCOMPARE(chart.Legend(1).text(), QString("Return"));
        QCOMPARE(chart.Legend(1).palette().color(QPalette::WindowText), QColor(0, 128, 0));

        // Showing again builds afresh rather than adding curves.
        chart.hide();
        chart.SetShownSeries({1});
        chart.show();
        QCOMPARE(panel.CurveCount(), 1);
        QCOMPARE(panel.YMin(), 29.0);
        QCOMPARE(panel.YMax(), 51.0);
        chart.hide();
    }

    void aLastIndexBeyondTheSeriesStopsAtItsEnd()
    {
        TDataChart chart;
        FillThreeSeries(chart);
        chart.SetLastIndex(10);
        chart.Build();
        QCOMPARE(chart.Chart().Curve(0).PointCount(), 4);
        QCOMPARE(chart.Chart().XMax(), 11.0);
    }

    void savesTheChartAndTheProfile()
    {
        QTemporaryDir folder;
        TDataChart chart;
        FillThreeSeries(chart);
        QVERIFY(ShowExposed(chart));

        QVERIFY(chart.SaveChart(folder.filePath("chart.png")));
        const QImage picture(folder.filePath("chart.png"));
        // The same size whatever the window's, so that a report gets the same picture.
        QCOMPARE(picture.size(), kDataChartPictureSize);

        QVERIFY(chart.SaveChart(folder.filePath("chart.PDF")));
        QVERIFY(ReadFile(folder.filePath("chart.PDF")).startsWith("%PDF"));

        QVERIFY(chart.SaveProfile(folder.filePath("profile.csv")));
        QCOMPARE(ReadFile(folder.filePath("profile.csv")),
                 QByteArray("Position,Supply,Return\n0,20.000,30.000\n1,50.000,40.000\n2,80.000,50.000\n"
                            "3,60.000,45.000\n"));

        // A folder that does not exist: a message, no file.
        const TResult failed = chart.SaveProfile(folder.filePath("none/profile.csv"));
        QVERIFY(!failed);
        QVERIFY(!failed.Message.empty());
        QVERIFY(!chart.SaveChart(folder.filePath("none/chart.pdf")));
        chart.hide();
    }

    void aSavedChartCarriesItsLegendAndValues()
    {
        TDataChart chart;
        TStepSimulation drawn;
        drawn.Caption = "Step-by-Step Simulation";
        drawn.Series.resize(kProfileRows);
        for (auto& row : drawn.Series) row.fill(20.0);
        drawn.Legends = {"Fluid", "Air", "Surface", "Dew Point"};
        drawn.LastIndex = kProfileSteps - 1;
        drawn.DutyLabel = "Duty 18.3 kW";
        drawn.FluidLabel = "40.0 - 45.0 °C";
        drawn.AirLabel = "25.3 - 40.5 °C";
        PrepareStepSimulation(chart, drawn);
        QVERIFY(ShowExposed(chart));
        const TChartNotes notes = chart.PictureNotes();
        QCOMPARE(Texts(notes.Legend), QStringList({"Fluid", "Air", "Surface", "Dew Point"}));
        QCOMPARE(notes.Legend[3].Colour, chart.Legend(3).palette().color(QPalette::WindowText));
        // The value line says which temperatures are the fluid's and which the air's.
        QCOMPARE(Texts(notes.Values), QStringList({"Duty 18.3 kW", "Fluid 40.0 - 45.0 °C", "Air 25.3 - 40.5 °C"}));
        QCOMPARE(notes.Values[1].Colour, notes.Legend[0].Colour);

        // The picture's band under the chart is painted: its lower part differs from a blank one.
        QTemporaryDir folder;
        QVERIFY(chart.SaveChart(folder.filePath("chart.png")));
        const QImage picture(folder.filePath("chart.png"));
        const QImage band = picture.copy(0, picture.height() - 40, picture.width(), 40);
        QImage blank(band.size(), band.format());
        blank.fill(band.pixel(0, 0));
        QVERIFY(band != blank);
        // An unknown extension is refused, not written as something else.
        const TResult refused = chart.SaveChart(folder.filePath("chart.gif"));
        QVERIFY(!refused);
        QVERIFY(!QFileInfo::exists(folder.filePath("chart.gif")));
        chart.hide();
    }

    // The save buttons ask for the file through the prompts, and show a failure there.
    void saveButtonsAskThroughThePrompts()
    {
        QTemporaryDir folder;
        TDataChart chart;
        FillThreeSeries(chart);
        const auto prompts = ScriptPrompts(chart);
        QVERIFY(ShowExposed(chart));
        const auto click = [&chart](const QString& text) {
            for (QPushButton* button : chart.findChildren<QPushButton*>())
                if (button->text() == text) button->click();
        };
        prompts->Files << folder.filePath("profile") << folder.filePath("none/chart.png");
        click("Save &Profile...");
        QVERIFY(ReadFile(folder.filePath("profile.csv")).startsWith("Position,Supply,Return\n"));
        click("Save C&hart...");
        QCOMPARE(prompts->FileDialogs(), 2);
        QCOMPARE(prompts->Messages.size(), 1);
        // The chosen name's extension decides the type, whatever dots its folder has.
        QVERIFY(QDir(folder.path()).mkpath("my.charts"));
        prompts->Files << folder.filePath("my.charts/report.pdf") << folder.filePath("my.charts/report.svg");
        click("Save C&hart...");
        click("Save C&hart...");
        QVERIFY(ReadFile(folder.filePath("my.charts/report.pdf")).startsWith("%PDF"));
        QVERIFY(ReadFile(folder.filePath("my.charts/report.svg")).startsWith("<?xml"));
        chart.hide();
    }

    void aFailedSimulationShowsItsMessageInsteadOfAChart()
    {
        TDataChart chart;
        TStepSimulation drawn;
        drawn.Caption = "Step-by-Step Simulation";
        drawn.Series.assign(kProfileRows, {});
        drawn.Legends = {"Fluid", "Air", "Surface", "Dew Point"};
        drawn.LastIndex = kProfileSteps - 1;
        drawn.DutyLabel = "Duty 0 kW";
        PrepareStepSimulation(chart, drawn);
        QVERIFY(ShowExposed(chart));
        QCOMPARE(chart.Chart().CurveCount(), 4);
        QVERIFY(!chart.MessageLabel().isVisible());

        // The same window reused for a simulation that failed: no curves left from the last.
        chart.hide();
        const std::string_view message = SimulationMessage(TSimulationOutcome::Unresolved);
        PrepareStepSimulation(chart, FailedSimulation());
        QVERIFY(ShowExposed(chart));
        QCOMPARE(chart.windowTitle(), QString("Step-by-Step Simulation"));
        QVERIFY(chart.MessageLabel().isVisible());
        QCOMPARE(chart.MessageLabel().text(), QString::fromUtf8(message.data(), qsizetype(message.size())));
        QVERIFY(!chart.Chart().isVisible());
        QCOMPARE(chart.Chart().CurveCount(), 0);
        for (int i = 0; i < 4; ++i) QVERIFY(!chart.Legend(i).isVisible());
        QVERIFY(chart.DutyLabel().text().isEmpty());
        for (QPushButton* button : chart.findChildren<QPushButton*>())
            QCOMPARE(button->isEnabled(), button->text() == "Close");
        chart.hide();
    }

    // The step-by-step simulation of a first-run rating, then a failed one with its message.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        TUnitsRegistry units = StandardUnitsRegistry();
        TVantorForm form(units);
        QStringList cut{QStringLiteral("the chart did not show")};
        OnNextModal([&cut](QWidget& window) {
            cut = CutTexts(window);
            qobject_cast<QDialog*>(&window)->accept();
        });
        form.Stepbystepsimulation1Click();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));

        TDataChart chart;
        PrepareStepSimulation(chart, FailedSimulation());
        QVERIFY(ShowExposed(chart));
        VANTOR_VERIFY_TEXT_FITS(chart);
    }

    void stepSimulationFromThePopupMenu()
    {
        TUnitsRegistry units = StandardUnitsRegistry();
        TVantorForm form(units);
        QAction* command = MenuCommand(form.GridMenu(), "Step-by-Step Simulation");
        QVERIFY(command);

        QString title;
        int curves = 0;
        int points = 0;
        QStringList legends;
        QStringList values;
        QPixmap copied;
        double yMin = 0, yMax = 0, xMax = 0;
        OnNextModal([&](QWidget& window) {
            auto& chart = dynamic_cast<TDataChart&>(window);
            title = chart.windowTitle();
            TChartPanel& panel = chart.Chart();
            curves = panel.CurveCount();
            points = panel.Curve(0).PointCount();
            for (int i = 0; i < 4; ++i)
                if (chart.Legend(i).isVisible()) legends << chart.Legend(i).text();
            values << chart.DutyLabel().text() << chart.FluidLabel().text() << chart.AirLabel().text();
            yMin = panel.YMin();
            yMax = panel.YMax();
            xMax = panel.XMax();
            QApplication::clipboard()->clear();
            QTest::mouseDClick(&panel, Qt::LeftButton, {}, panel.rect().center());
            copied = QApplication::clipboard()->pixmap();
            chart.accept();
        });
        command->trigger();

        QVERIFY(form.Document().Solved());
        QCOMPARE(title, QString("Step-by-Step Simulation"));
        QCOMPARE(curves, 4);
        QCOMPARE(points, 100);
        QCOMPARE(legends, QStringList({"Fluid", "Air", "Surface", "Dew Point"}));
        QCOMPARE(values[0], QString("Duty 18.3 kW"));
        QVERIFY2(values[1].endsWith(" - 45.0 °C"), qPrintable(values[1]));
        QVERIFY2(values[2].endsWith(" - 40.5 °C"), qPrintable(values[2]));
        // From the dew point (12.1 °C for 25/17) to the entering fluid (45 °C), widened by 5 %.
        QVERIFY2(yMin > 10 && yMin < 12.1 && yMax > 45 && yMax < 47, qPrintable(QString("%1 %2").arg(yMin).arg(yMax)));
        QCOMPARE(xMax, 100.0);
        QVERIFY(!copied.isNull());
    }

#ifdef VANTOR_CLI
    // vantor-cli draws the step-by-step chart with the window's own routine: the same rating
    // gives the same picture, pixel for pixel, from a program given no display at all.
    void theCommandLineDrawsTheWindowsPicture()
    {
        QTemporaryDir folder;
        TUnitsRegistry units = StandardUnitsRegistry();
        TVantorForm form(units);
        QAction* command = MenuCommand(form.GridMenu(), "Step-by-Step Simulation");
        QVERIFY(command);
        TResult saved = TResult::Error(1, "not shown");
        OnNextModal([&](QWidget& window) {
            auto& chart = dynamic_cast<TDataChart&>(window);
            chart.resize(700, 500);  // the window's size does not matter
            saved = chart.SaveChart(folder.filePath("window.png"));
            chart.accept();
        });
        command->trigger();
        QVERIFY2(saved, saved.Message.c_str());

        QProcess cli;
        QProcessEnvironment environment = WithoutDisplay();
        environment.insert("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(VANTOR_CLI), {"simulate", "--no-settings", "--chart", folder.filePath("cli.png")});
        QVERIFY(cli.waitForFinished(30000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());

        const QImage window = QImage(folder.filePath("window.png")).convertToFormat(QImage::Format_ARGB32);
        const QImage drawn = QImage(folder.filePath("cli.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawn.size(), window.size());
        int differing = 0;
        for (int y = 0; y < window.height(); ++y)
            for (int x = 0; x < window.width(); ++x)
                if (window.pixel(x, y) != drawn.pixel(x, y)) ++differing;
        QCOMPARE(differing, 0);
    }
#endif
};

VANTOR_GUI_TEST_MAIN(DataChartTest)
#include "data_chart_test.moc"
