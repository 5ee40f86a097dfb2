// The fluid window: its rows over a liquid, the range label's colour, Cancel,
// and the main window's heating fluid and on-coil rows that open it and the air calculator.

#include "document/document_rows.h"
#include "document/rating_document.h"
#include "fluids/transport_props.h"
#include "gui/air_state/air_state_window.h"
#include "gui/air_state/air_state_dialog.h"
#include "gui/heating_fluid/fluid_window.h"
#include "gui/main/main_window.h"
#include "gui/widgets/entry_grid.h"
#include "gui/widgets/row_controls.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "units/units_registry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class FluidSpecFormTest : public QObject {
    Q_OBJECT

private:
    static QColor LabelColour(const TFluidSpecForm& form)
    {
        return form.RangeLabel().palette().color(QPalette::WindowText);
    }
    static void Choose(TFluidSpecForm& form, int row, long long index)
    {
        form.Rules().Rows().SetValue(1, row, index);
        emit form.Grid().OnDoSetData(1, row);
    }
    // Shows the window on the liquid, active.
    static bool Open(TFluidSpecForm& form, TLiquid& liquid)
    {
        form.SetLiquid(liquid);
        return ShowActive(form);
    }
    static void Type(TFluidSpecForm& form, int row, const QString& text)
    {
        form.Grid().SelectCell(1, row);
        form.Grid().setFocus();
        vantor::test::Type(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }


private slots:
    void init() { ClearSettings(); }

    void rangeLabelTurnsDarkRedOutsideTheRange()
    {
        TLiquid liquid("Water", 0.8, 130, 110, fcWater);
        TFluidSpecForm form;
        QVERIFY(Open(form, liquid));
        Choose(form, fsrAdditive, waCalciumChloride);
        QCOMPARE(form.RangeLabel().text(), QString("Valid range = [-30.0 .. 300.0] °C"));
        QCOMPARE(LabelColour(form), QColor(0, 128, 128));

        Choose(form, fsrFluidType, fcGlycerin);
        Type(form, fsrTemperature, "60");
        QCOMPARE(liquid.t, 60.0);
        QCOMPARE(form.RangeLabel().text(), QString("Valid range = [0.0 .. 50.0] °C"));
        QCOMPARE(LabelColour(form), QColor(128, 0, 0));
        QVERIFY(!form.Rules().Rows().RowEnabled(fsrAdditive));

        form.findChild<QPushButton*>("Cancel")->click();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(int(liquid.LiquidSpec), int(fcWater));
        QCOMPARE(liquid.tfo, 110.0);
        QCOMPARE(int(liquid.WaterAdditive), int(waNone));
    }

    // The fluid type list keeps to the keys: each key released picks a fluid and the window
    // follows; Enter and Escape close only the list, never the window.
    void listKeys()
    {
        TLiquid liquid("Glycerin", 0.8, 30, 20, fcGlycerin);
        TFluidSpecForm form;
        QVERIFY(Open(form, liquid));
        form.Grid().SelectCell(1, fsrFluidType);
        form.Grid().setFocus();
        const TRowControls& controls = form.Grid().RowControls();
        QTest::mouseClick(&controls.DropDownButton(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), &controls.List());

        const auto step = [&](Qt::Key key, TFluidCode fluid) {
            Press(key);
            QVERIFY(controls.ListVisible());
            QCOMPARE(QApplication::focusWidget(), &controls.List());
            QCOMPARE(int(liquid.LiquidSpec), int(fluid));
        };
        step(Qt::Key_Down, fcEthyleneGlycol);
        step(Qt::Key_Down, fcCalciumChloride);  // the additive rows go grey, the list stays
        QVERIFY(!form.Rules().Rows().RowEnabled(fsrAdditive));
        step(Qt::Key_End, fcCompressedAir);
        QVERIFY(form.Rules().Rows().RowEnabled(fsrPressure));
        step(Qt::Key_Up, fcCondensedSteam);
        step(Qt::Key_Home, fcWater);
        QCOMPARE(QString::fromStdString(form.Rules().Rows().Cell(1, fsrFluidType)), QString("Water"));

        Press(Qt::Key_Return);
        QVERIFY(!controls.ListVisible());
        QTRY_VERIFY(form.Grid().hasFocus());
        QVERIFY(form.isVisible());
        QCOMPARE(form.Grid().CurrentRow(), int(fsrFluidType));

        QTest::mouseClick(&controls.DropDownButton(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), &controls.List());
        Press(Qt::Key_Escape);
        QVERIFY(!controls.ListVisible());
        QVERIFY(form.isVisible());

        // The window's own Escape still cancels: the fluid the window opened with comes back.
        QTRY_VERIFY(form.Grid().hasFocus());
        Press(Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(int(liquid.LiquidSpec), int(fcGlycerin));
    }

    // Water with an additive (every row enabled, the longest additive names in its list), then
    // the longest fluid name; each drop-down list opened shows its items whole.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        TLiquid liquid("Water", 0.8, 130, 110, fcWater);
        TFluidSpecForm form;
        QVERIFY(Open(form, liquid));
        Choose(form, fsrAdditive, waPropyleneGlycol);
        VANTOR_VERIFY_TEXT_FITS(form);
        QCOMPARE(form.Grid().Rows().Cell(1, fsrPressure), std::string("5.0"));
        // A narrow value column (a width the user left): the lists widen to their items.
        form.Grid().SetColWidth(1, 60);
        for (const int row : {int(fsrAdditive), int(fsrFluidType)}) {
            form.Grid().SelectCell(1, row);
            QTest::mouseClick(&form.Grid().RowControls().DropDownButton(), Qt::LeftButton);
            QListWidget& list = form.Grid().RowControls().List();
            QVERIFY(list.isVisible());
            VANTOR_VERIFY_TEXT_FITS(list);
            QTest::keyClick(&list, Qt::Key_Escape);
        }
        Choose(form, fsrFluidType, fcCarbonDioxide);
        QCOMPARE(form.Grid().Rows().Cell(1, fsrFluidType), std::string("Liquid Carbon Dioxide"));
        VANTOR_VERIFY_TEXT_FITS(form);
    }

    void mainWindowRowsOpenTheirWindows()
    {
        TUnitsRegistry units = StandardUnitsRegistry();
        TVantorForm form(units);
        QVERIFY(ShowActive(form));
        TRatingDocument& doc = form.Document();
        doc.SetSaved(true);
        doc.SetModified(false);

        // Row 6: Engine Oil accepted; the row shows its caption and the document is modified.
        form.Grid().SelectCell(1, rowFluid);
        QToolButton& fluidButton = form.Grid().RowControls().PropEditButton();
        QVERIFY(fluidButton.isVisible());
        OnNextModal([](QWidget& window) {
            auto* dialog = qobject_cast<TFluidSpecForm*>(&window);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Heating Fluid"));
            Choose(*dialog, fsrFluidType, fcEngineOil);
            dialog->findChild<QPushButton*>("Accept")->click();
        });
        QTest::mouseClick(&fluidButton, Qt::LeftButton);
        QCOMPARE(QString::fromStdString(doc.Rows().Cell(1, rowFluid)), QString("Engine Oil"));
        QVERIFY(doc.Modified());
        QVERIFY(!doc.Solved());

        // Row 3: the calculator opens on the row's air at the document's barometer, name and
        // pressure fixed; the accepted state comes back as "db/wb".
        form.Grid().SelectCell(1, rowAirOn);
        const QString before = QString::fromStdString(doc.Rows().Cell(1, rowAirOn));
        QString shownPressure;
        connect(&form.OnCoilDlg(), &TAirStateDlg::BoxShown, this, [&shownPressure](TAirStateBox* box) {
            QCOMPARE(box->windowTitle(), QString("On Coil Air"));
            QCOMPARE(QString::fromStdString(box->Calc().Rows().Cell(1, asrName)), QString("On Coil"));
            QVERIFY(!box->Calc().Rows().RowEnabled(asrName));
            QVERIFY(!box->Calc().Rows().RowEnabled(asrPressure));
            shownPressure = QString::fromStdString(box->Calc().Rows().Cell(1, asrPressure));
            box->Calc().Rows().EnterText(asrWetBulb, "15");
            box->Calc().EditRow(asrWetBulb);
            box->AcceptState();
        });
        QTest::mouseClick(&form.Grid().RowControls().PropEditButton(), Qt::LeftButton);
        QCOMPARE(shownPressure, QString("101.325"));
        const QString after = QString::fromStdString(doc.Rows().Cell(1, rowAirOn));
        QCOMPARE(after, before.section('/', 0, 0) + "/15.0");
        QCOMPARE(doc.AirOn().wb, 15.0);
    }
};

VANTOR_GUI_TEST_MAIN(FluidSpecFormTest)
#include "fluid_window_test.moc"
