// The calibrator window on a first-run coil: the duty factor stepped up three times, the
// results of the coil solved with it, Reset, and the fluid side switched off.

#include "core/model/first_run_coil.h"
#include "gui/calibration/calibrator_window.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "text/number_text.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

using namespace vantor;

class CalibrateFormTest : public QObject {
    Q_OBJECT

private:
    // Shows the window on the rig's coil, its calibration file in the folder.
    static void Open(TCalibrateForm& form, test::TFirstRunCoil& rig, const QTemporaryDir& folder)
    {
        form.SetCalibrationFile(folder.filePath(QStringLiteral("Vantor.cal")).toStdString());
        form.SetCoil(rig.Coil);
        form.show();
    }

private slots:
    // A first-run coil solved with stepped factors.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        test::TFirstRunCoil rig;
        QTemporaryDir folder;
        TCalibrateForm form;
        Open(form, rig, folder);
        QVERIFY(test::ShowExposed(form));
        for (int i = 0; i < 3; ++i) form.UpButton(cfDuty).click();
        VANTOR_VERIFY_TEXT_FITS(form);
    }

    // The window closed while an edit holds an unfinished factor: the edit's end reaches no
    // window that is gone, and the factor is not taken.
    void closedWhileEditing()
    {
        test::TFirstRunCoil rig;
        QTemporaryDir folder;
        auto form = std::make_unique<TCalibrateForm>();
        Open(*form, rig, folder);
        QVERIFY(test::ShowActive(*form));
        form->FactorEdit(cfAirDP).setFocus();
        QTRY_VERIFY(form->FactorEdit(cfAirDP).hasFocus());
        form->FactorEdit(cfAirDP).selectAll();
        QTest::keyClicks(&form->FactorEdit(cfAirDP), QStringLiteral("1.3"));
        form.reset();
        QCOMPARE(rig.Coil.AirDPFactor, 1.0);
    }

    void stepsSolveAndReset()
    {
        test::TFirstRunCoil rig;
        QTemporaryDir folder;
        TCalibrateForm form;
        Open(form, rig, folder);
        QCOMPARE(form.FactorEdit(cfDuty).text(), QStringLiteral("1.0000"));
        const double plainDuty = ParseDouble(form.ResultField(0).text().toStdString()).value_or(0);
        QVERIFY(plainDuty > 0);

        for (int i = 0; i < 3; ++i) form.UpButton(cfDuty).click();
        QCOMPARE(form.FactorEdit(cfDuty).text(), QStringLiteral("1.0003"));
        QVERIFY(qAbs(rig.Coil.DutyFactor - 1.0003) < 1e-6);
        // The result field shows the coil as solved with that factor.
        QCOMPARE(form.ResultField(0).text().toStdString(), FormatFixed(rig.Coil.Qt, 3));
        QVERIFY(form.StatusText().contains(QStringLiteral("544")));

        form.Reset();
        QCOMPARE(form.FactorEdit(cfDuty).text(), QStringLiteral("1.0000"));
        QCOMPARE(rig.Coil.DutyFactor, 1.0);
        QCOMPARE(form.ResultField(0).text().toStdString(), FormatFixed(plainDuty, 3));

        // An edit left with a number: the factor taken and the calibration file written.
        form.FactorEdit(cfAirDP).setFocus();
        form.FactorEdit(cfAirDP).selectAll();
        QTest::keyClicks(&form.FactorEdit(cfAirDP), QStringLiteral("1.2"));
        QTest::keyClick(&form.FactorEdit(cfAirDP), Qt::Key_Return);
        QCOMPARE(rig.Coil.AirDPFactor, 1.2);
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("Vantor.cal"))).size(), qint64(40));

        form.SetFluidSideEnabled(false);
        QVERIFY(!form.FactorEdit(cfFluidDP).isEnabled());
        QVERIFY(!form.ResultField(4).isEnabled());
        QVERIFY(form.FactorEdit(cfHo).isEnabled());
    }
};

VANTOR_GUI_TEST_MAIN(CalibrateFormTest)
#include "calibrator_window_test.moc"
