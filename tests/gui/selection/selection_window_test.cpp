// The coil selection window on a first-run document: a run in a small fixed face fills the
// table, and "Use this coil" leaves the document rated with the table's duty; the limits come
// back from the settings; the window and `vantor-cli select` list the same coils.

#include "document/rating_document.h"
#include "gui/selection/selection_window.h"
#include "gui/gui_test_main.h"
#include "selection/selection_settings.h"
#include "text/number_text.h"
#include "units/units_registry.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableWidget>

#include <memory>

using namespace vantor;

class CoilSelectionFormTest : public QObject {
    Q_OBJECT

private:
    TUnitsRegistry m_units = StandardUnitsRegistry();
    std::unique_ptr<TSettingsStore> m_program;
    std::unique_ptr<TSettingsStore> m_shared;
    std::unique_ptr<TRatingDocument> m_doc;

    // 15 kW into the first-run air (25/17 °C, 0.98 m³/s, water at 45 °C) in a 609.6 x 1200 mm casing.
    void PrepareRun(TCoilSelectionForm& form)
    {
        form.DutyEdit().setValue(15);
        form.FixedFaceCheck().setChecked(true);
        form.HeightEdit().setValue(609.6);
        form.LengthEdit().setValue(1200);
    }

private slots:
    void init()
    {
        vantor::test::ClearSettings();
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
        m_program = std::make_unique<TSettingsStore>(TSettingsKey::Program);
        m_shared = std::make_unique<TSettingsStore>(TSettingsKey::Shared);
        m_doc = std::make_unique<TRatingDocument>(TDocumentServices{m_units, *m_program, *m_shared, TFolderEnvironment::FromProcess(), nullptr, {}});
        QVERIFY(m_doc->Solve());
    }

    void useThisCoilLeavesTheDocumentWithTheTablesDuty()
    {
        TCoilSelectionForm form(*m_doc);
        PrepareRun(form);
        form.Run();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        QVERIFY(!form.Results().empty());
        QTableWidget& table = form.Table();
        QCOMPARE(table.rowCount(), static_cast<int>(form.Results().size()));
        // Ranked lightest first.
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(table.item(0, 3)->text(), QString::fromStdString(form.Results().front().Designation));

        // Sorted by the duty column, the last row is the largest duty; use that one.
        table.sortItems(5, Qt::AscendingOrder);
        const int row = table.rowCount() - 1;
        table.setCurrentCell(row, 0);
        const QString model = table.item(row, 3)->text();
        const double duty = table.item(row, 5)->data(Qt::UserRole).toDouble();
        double largest = 0;
        for (const TSelectionResult& r : form.Results()) largest = std::max(largest, r.Duty);
        QCOMPARE(duty, largest);

        QVERIFY(form.UseThisCoil());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(m_doc->Solved());
        QCOMPARE(QString::fromStdString(m_doc->HotWaterCoil().GetModelText()), model);
        QCOMPARE(int(m_doc->CalcMode()), int(TCalcMode::HeatingDuty));
        QCOMPARE(int(m_doc->HotWaterCoil().LiquidState.ctrl), int(TFluidControl::Flow));
        QVERIFY2(std::abs(m_doc->DesignDuty() - duty) < 1e-3,
                 qPrintable(QString("document %1 kW, table %2 kW").arg(m_doc->DesignDuty()).arg(duty)));
    }

    void limitsAreKeptInTheSettings()
    {
        {
            TCoilSelectionForm form(*m_doc);
            PrepareRun(form);
        }
        const TSelectionSettings stored = ReadSelectionSettings(TSettingsStore(TSettingsKey::Program));
        QVERIFY(stored.FixedFace);
        QCOMPARE(stored.FixedHeight, 0.6096);
        TCoilSelectionForm again(*m_doc);
        QVERIFY(again.FixedFaceCheck().isChecked());
        QCOMPARE(again.LengthEdit().value(), 1200.0);
    }

    void windowAndSelectCommandListTheSameCoilsForTheFirstRunDocument()
    {
        TCoilSelectionForm form(*m_doc);
        QVERIFY(form.DistinctCheck().isChecked());
        form.Run();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 60000);
        QVERIFY(!form.Results().empty());

        // The document's own values, to full precision, and the window's default limits.
        const THotWaterCoil& coil = m_doc->HotWaterCoil();
        QProcess cli;
        cli.start(QStringLiteral(VANTOR_CLI),
                  {"select", "--no-settings", "--all-makers", "--distinct", "--json", "--design-duty",
                   QString::fromStdString(FormatShortest(m_doc->DesignDuty())), "--air-volume",
                   QString::fromStdString(FormatShortest(coil.AirVolume())), "--design-dt",
                   QString::fromStdString(FormatShortest(coil.LiquidState.designdt))});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        const QJsonArray list = QJsonDocument::fromJson(cli.readAllStandardOutput()).array();
        QCOMPARE(list.size(), static_cast<qsizetype>(form.Results().size()));
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonObject listed = list[i].toObject();
            const TSelectionResult& shown = form.Results()[static_cast<size_t>(i)];
            QCOMPARE(listed["Model"].toString(), QString::fromStdString(shown.Designation));
            QCOMPARE(listed["Range"].toString(), QString::fromStdString(shown.Range));
            QVERIFY(std::abs(listed["Qt"].toDouble() - shown.Duty) < 1e-9);
            QVERIFY(std::abs(listed["FluidFlow"].toDouble() - shown.FluidFlow) < 1e-12);
        }
    }

    void useThisCoilHandsTheDocumentItsOwnAirVolume()
    {
        // An air volume the window's three decimals cannot show.
        QVERIFY(m_doc->SetRowValue(rowAirVelocity, 2.4567));
        const double airVolume = m_doc->HotWaterCoil().AirVolume();
        QVERIFY(m_doc->Solve());
        TCoilSelectionForm form(*m_doc);
        PrepareRun(form);
        form.Run();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        QVERIFY(!form.Results().empty());
        form.Table().setCurrentCell(0, 0);
        QVERIFY(form.UseThisCoil());
        QCOMPARE(m_doc->HotWaterCoil().AirVolume(), airVolume);
    }

    void cancelStopsARun()
    {
        TCoilSelectionForm form(*m_doc);
        form.DutyEdit().setValue(30);
        form.FixedFaceCheck().setChecked(false);
        form.Run();
        form.CancelRun();
        QVERIFY(!form.Running());
    }
};

VANTOR_GUI_TEST_MAIN(CoilSelectionFormTest)
#include "selection_window_test.moc"
