// The design settings window on a first-run coil: the defaults shown, the limits applied on
// leaving an edit, and closing storing and applying what the window shows.

#include "core/model/first_run_coil.h"
#include "gui/design_settings/design_settings_window.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/scripted_prompts.h"
#include "gui/text_fits.h"
#include "settings/settings_store.h"

#include <QCheckBox>
#include <QDir>
#include <QTabWidget>

using namespace vantor;

class CoilSettingsFormTest : public QObject {
    Q_OBJECT

private:
    // Types text into the edit and leaves it with Tab.
    static void TypeAndLeave(TFmtEdit& edit, const QString& text)
    {
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Tab);
    }

private slots:
    void init() { vantor::test::ClearSettings(); }

    // Every page on a first-run coil.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        test::TFirstRunCoil rig;
        TCoilSettingsForm form;
        form.SetCoil(rig.Coil);
        QVERIFY(test::ShowExposed(form));
        for (int page = 0; page < form.PageControl().count(); ++page) {
            form.PageControl().setCurrentIndex(page);
            VANTOR_VERIFY_TEXT_FITS(form);
        }
        form.reject();
    }

    void firstUseShowsTheDefaultsAndClosingAppliesThem()
    {
        test::TFirstRunCoil rig;
        TCoilSettingsForm form;
        form.SetCoil(rig.Coil);
        QCOMPARE(form.PageControl().currentIndex(), 0);
        QCOMPARE(form.AspectEdit().text(), QStringLiteral("1.4"));
        QCOMPARE(form.VfEdit().text(), QStringLiteral("2.80"));
        QCOMPARE(form.RowsEdit().text(), QStringLiteral("4.0"));
        QCOMPARE(form.FinsEdit().text(), QStringLiteral("8.0000"));
        QCOMPARE(form.AirOnEdit().text(), QStringLiteral("5.0/2.0"));
        QCOMPARE(form.FluidInEdit().text(), QStringLiteral("45.0"));
        QVERIFY(form.UseFoulingBox().isChecked());
        // SetCoil applies the stored values at once.
        QCOMPARE(rig.Coil.DesignVf, 2.8);
        QCOMPARE(rig.Coil.DesignRows, 4.0);

        form.show();
        form.close();
        const TSettingsStore store(TSettingsKey::Program);
        QCOMPARE(store.ReadFloat("CoilSettingsForm", "DesignVf", 0), 2.8);
        QCOMPARE(store.ReadString("CoilSettingsForm", "DesignAirOn", ""), std::string("5.0/2.0"));
    }

    void closingWarnsWhenTheValuesCannotBeStored()
    {
        // A folder where the settings file belongs: nothing can be written there.
        QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Korvane/Vantor.ini"));
        test::TFirstRunCoil rig;
        TCoilSettingsForm form;
        const auto prompts = test::ScriptPrompts(form);
        form.SetCoil(rig.Coil);
        QVERIFY(prompts->Messages.isEmpty());
        form.show();
        form.close();
        QCOMPARE(prompts->Messages.size(), qsizetype(1));
        QVERIFY(!prompts->Messages.front().isEmpty());
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
        QCOMPARE(rig.Coil.DesignVf, 2.8);  // the values still reach the coil
    }

    void leavingAnEditLimitsItsValue()
    {
        test::TFirstRunCoil rig;
        TCoilSettingsForm form;
        form.SetCoil(rig.Coil);
        QVERIFY(test::ShowExposed(form));
        TypeAndLeave(form.AspectEdit(), QStringLiteral("0.3"));
        QCOMPARE(form.AspectEdit().text(), QStringLiteral("0.5"));
        TypeAndLeave(form.VfEdit(), QStringLiteral("0.5"));
        QCOMPARE(form.VfEdit().text(), QStringLiteral("1.00"));
        form.PageControl().setCurrentIndex(1);
        TypeAndLeave(form.FluidInEdit(), QStringLiteral("300"));
        QCOMPARE(form.FluidInEdit().text(), QStringLiteral("250.0"));
        TypeAndLeave(form.RowsEdit(), QStringLiteral("5.4"));
        QCOMPARE(form.RowsEdit().text(), QStringLiteral("5.0"));
        // A dry bulb alone takes the wet bulb at 45 % RH (13.08 °C at 20 °C, 101.325 kPa).
        TypeAndLeave(form.AirOnEdit(), QStringLiteral("20"));
        QCOMPARE(form.AirOnEdit().text(), QStringLiteral("20.0/13.1"));
        form.PageControl().setCurrentIndex(3);
        form.UseFoulingBox().setChecked(false);

        form.close();
        QCOMPARE(rig.Coil.DesignAspect, 0.5);
        QCOMPARE(rig.Coil.DesignVf, 1.0);
        QCOMPARE(rig.Coil.DesignRows, 5.0);
        QVERIFY(!rig.Coil.UseFouling);
        const TSettingsStore store(TSettingsKey::Program);
        QCOMPARE(store.ReadFloat("CoilSettingsForm", "DesignFluidIn", 0), 250.0);
        QCOMPARE(store.ReadString("CoilSettingsForm", "DesignAirOn", ""), std::string("20.0/13.1"));
        QVERIFY(!store.ReadBool("CoilSettingsForm", "UseFouling", true));

        // A second window (the next start) shows what was stored; Restore Defaults and
        // closing writes the defaults.
        TCoilSettingsForm again;
        again.SetCoil(rig.Coil);
        QCOMPARE(again.AspectEdit().text(), QStringLiteral("0.5"));
        again.ResetAutoClick();
        QCOMPARE(again.AspectEdit().text(), QStringLiteral("1.4"));
        QCOMPARE(rig.Coil.DesignAspect, 0.5);  // nothing applied before the close
        again.show();
        again.close();
        QCOMPARE(rig.Coil.DesignAspect, 1.4);
        const TSettingsStore reread(TSettingsKey::Program);
        QCOMPARE(reread.ReadFloat("CoilSettingsForm", "DesignVf", 0), 2.8);
    }
};

VANTOR_GUI_TEST_MAIN(CoilSettingsFormTest)
#include "design_settings_window_test.moc"
