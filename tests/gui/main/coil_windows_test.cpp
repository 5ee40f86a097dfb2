// The coil windows as the main window holds them: made at start-up with the stored design
// settings applied to the document's coil, and the calibrator offered in the grid menu only
// in maintainer mode, its Accept kept in the document.

#include "document/rating_document.h"
#include "gui/calibration/calibrator_window.h"
#include "gui/coil_maker/coil_maker_window.h"
#include "gui/main/main_window.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "model/hot_water_coil.h"
#include "settings/settings_store.h"
#include "units/units_registry.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <memory>

using namespace vantor;

class CoilWindowsMainFormTest : public QObject {
    Q_OBJECT

private:
    TUnitsRegistry m_units = StandardUnitsRegistry();

    static void StoreMakerUser(const char* user)
    {
        TSettingsStore maker(TSettingsKey::Maker);
        maker.WriteString("Korvane", "user", user);
        QVERIFY(maker.Flush().IsOk());
    }

private slots:
    void init()
    {
        vantor::test::ClearSettings();
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
    }

    void startUpAppliesTheStoredDesignSettings()
    {
        {
            TSettingsStore program(TSettingsKey::Program);
            program.WriteFloat("CoilSettingsForm", "DesignVf", 3.5);
            program.WriteFloat("CoilSettingsForm", "DesignFins", 11);
            QVERIFY(program.Flush().IsOk());
        }
        StoreMakerUser("someone");
        TVantorForm form(m_units);
        QCOMPARE(form.Document().HotWaterCoil().DesignVf, 3.5);
        QCOMPARE(form.Document().HotWaterCoil().DesignFins, 11);
        QCOMPARE(form.Document().HotWaterCoil().DesignRows, 4.0);  // the default, not the coil's own 3
        QVERIFY(!form.MaintainerMode());
        QVERIFY(!form.AllowDatabaseEdit());
        QVERIFY(!test::MenuCommand(form.GridMenu(), QStringLiteral("Calibrate Coil Performance")));
        QVERIFY(!form.CoilMakerForm().DatabaseButtonShown());
    }

    void maintainerCalibratesFromTheGridMenu()
    {
        StoreMakerUser("kzmaint");
        TVantorForm form(m_units);
        QVERIFY(form.AllowDatabaseEdit());
        QVERIFY(test::MenuCommand(form.GridMenu(), QStringLiteral("Calibrate Coil Performance")));

        vantor::test::OnNextModal([](QWidget& window) {
            auto* calibrator = qobject_cast<TCalibrateForm*>(&window);
            QVERIFY(calibrator);
            for (int i = 0; i < 3; ++i) calibrator->UpButton(cfDuty).click();
            calibrator->accept();
        });
        form.CalibrateCoil1Click();
        QVERIFY(qAbs(form.Document().HotWaterCoil().DutyFactor - 1.0003) < 1e-6);
        QVERIFY(qAbs(form.Document().Factors().Duty - 1.0003) < 1e-6);
        QVERIFY(!form.Document().Saved());
    }
};

VANTOR_GUI_TEST_MAIN(CoilWindowsMainFormTest)
#include "coil_windows_test.moc"
