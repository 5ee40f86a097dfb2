// "Customise Units": the Metric and Imperial presets, Accept and Cancel, the conversion shown
// in the status line, the stored choices, and the choices applied to another grid.

#include "gui/units/units_window.h"
#include "gui/widgets/entry_grid.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "units/unit_tables.h"

#include <QAction>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class SetUnitsFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TSetUnitsForm> m_form;

    TSetUnitsForm& Form() { return *m_form; }

    int RowOf(TUnitsType type)
    {
        for (int row = 1; row < Form().Grid().Rows().RowCount(); ++row)
            if (Form().RowType(row) == type) return row;
        return 0;
    }
    QString Shown(TUnitsType type) { return QString::fromStdString(Form().Grid().Rows().Cell(1, RowOf(type))); }
    void Trigger(const char* action) { Form().findChild<QAction*>(action)->trigger(); }

    void ShowForm() { QVERIFY(ShowActive(Form())); }

    // The row's unit chosen as a user does: the value cell, then the Right arrow.
    void StepRow(TUnitsType type, int steps)
    {
        Form().Grid().SelectCell(1, RowOf(type));
        Form().Grid().setFocus();
        for (int i = 0; i < steps; ++i) Press(Qt::Key_Right);
    }

private slots:
    void init()
    {
        ClearSettings();
        m_form = std::make_unique<TSetUnitsForm>();
    }

    void cleanup() { m_form.reset(); }

    void listsEveryTypeButNoneAndEnergyPerVolume()
    {
        QCOMPARE(Form().Grid().Rows().RowCount(), 56);
        QCOMPARE(RowOf(utNone), 0);
        QCOMPARE(RowOf(utEnergyPerVol), 0);
        QCOMPARE(QString::fromStdString(Form().Grid().Rows().Cell(0, 1)), QString("Air Flow - Primary"));
    }

    void firstRunTakesTheMetricChoices()
    {
        QCOMPARE(Form().UnitChoice(utTemperature), MetricUnits(utTemperature, 0));
        QCOMPARE(Form().UnitChoice(utAirFlowPrim), MetricUnits(utAirFlowPrim, 0));
        QCOMPARE(Shown(utTemperature), QString("°C"));
    }

    void imperialAndMetricSwitchEveryTypeButProportion()
    {
        ShowForm();
        StepRow(utProportion, 1);
        Trigger("AcceptAction");
        QCOMPARE(Form().UnitChoice(utProportion), 1);
        ShowForm();
        Trigger("ImperialAction");
        QCOMPARE(Shown(utTemperature), QString("°F"));
        QCOMPARE(Shown(utAirFlowPrim), QString("cfm"));
        QCOMPARE(Form().UnitChoice(utProportion), 1);
        Trigger("MetricAction");
        QCOMPARE(Shown(utTemperature), QString("°C"));
        QCOMPARE(Form().UnitChoice(utProportion), 1);
    }

    void acceptTakesTheRowsAndCancelRestores()
    {
        ShowForm();
        StepRow(utTemperature, 2);
        QCOMPARE(Shown(utTemperature), QString("K"));
        QCOMPARE(Form().UnitChoice(utTemperature), 0);  // a row is no choice until accepted
        Trigger("AcceptAction");
        QCOMPARE(Form().result(), int(QDialog::Accepted));
        QCOMPARE(Form().UnitChoice(utTemperature), 2);

        ShowForm();
        Trigger("ImperialAction");
        StepRow(utVelocity, 1);
        Trigger("CancelAction");
        QCOMPARE(Form().result(), int(QDialog::Rejected));
        QCOMPARE(Form().UnitChoice(utTemperature), 2);
        QCOMPARE(Form().UnitChoice(utAirFlowPrim), MetricUnits(utAirFlowPrim, 0));
        QCOMPARE(Shown(utTemperature), QString("K"));
    }

    void choicesAndColumnWidthsAreKept()
    {
        ShowForm();
        Trigger("ImperialAction");
        Trigger("AcceptAction");
        Form().Grid().SetColWidth(0, 140);
        m_form.reset();  // stores
        m_form = std::make_unique<TSetUnitsForm>();
        QCOMPARE(Form().UnitChoice(utTemperature), ImperialUnits(utTemperature, 0));
        QCOMPARE(Form().Grid().ColWidth(0), 140);
    }

    void statusLineShowsTheConversion_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("status");
        QTest::newRow("temperature in °F") << int(utTemperature) << 1 << "From °C to °F  X 1.8 + 32";
        QTest::newRow("barometer in Psi") << int(utPressureBar) << 1 << "From kPa to Psi  X 0.1450";
        QTest::newRow("unit 0 of its type") << int(utVelocity) << 0 << "From m/s to m/s  X 1.00";
    }

    void statusLineShowsTheConversion()
    {
        QFETCH(int, type);
        QFETCH(int, steps);
        QFETCH(QString, status);
        ShowForm();
        StepRow(static_cast<TUnitsType>(type), steps);
        QCOMPARE(Form().StatusText(), status);
    }

    void choicesApplyToTheRowsOfAGrid()
    {
        TEntryGrid grid;
        grid.SetRows({"Property; Value; Units", "Fluid Inlet; %0.1f; °C; NPE; 5; 150", "Name; %s"});
        grid.SetUnits(1, utTemperature, 0, 0, ft_Fixed, 1.0, 0.0);
        grid.SetValue(1, 1, 20.0);
        grid.SetValue(1, 2, std::string("Coil"));
        Form().Imperial();
        Form().ApplyUnitChoices(grid);
        QCOMPARE(grid.Rows().Cell(1, 1), std::string("68.0"));
        QCOMPARE(grid.Rows().Cell(2, 1), std::string("°F"));
        QCOMPARE(grid.Rows().Cell(1, 2), std::string("Coil"));
    }
};

VANTOR_GUI_TEST_MAIN(SetUnitsFormTest)
#include "units_window_test.moc"
