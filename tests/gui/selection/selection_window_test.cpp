// The coil selection window on a first-run document: a run in a small fixed face fills the
// table, and "Use this coil" leaves the document rated with the table's duty; the limits come
// back from the settings; the window and `vantor-cli select` list the same coils.

#include "document/rating_document.h"
#include "gui/selection/selection_table_model.h"
#include "gui/selection/selection_window.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/scripted_prompts.h"
#include "gui/text_fits.h"
#include "selection/selection_settings.h"
#include "rows/unit_choices.h"
#include "text/number_text.h"
#include "units/units_registry.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>

#include <memory>
#include <vector>

using namespace vantor;

class CoilSelectionFormTest : public QObject {
    Q_OBJECT

private:
    TUnitsRegistry m_units = StandardUnitsRegistry();
    std::unique_ptr<TSettingsStore> m_program;
    std::unique_ptr<TSettingsStore> m_shared;
    std::unique_ptr<TRatingDocument> m_doc;

    // 15 kW into the first-run air (25/17 °C, 0.98 m³/s, water at 45 °C) in a 609.6 x 1200 mm
    // casing, typed in the units the window shows: in Imperial 51182 Btu/hr (3412.14 Btu/hr in
    // a kW) in a 24 x 47.244 inch casing.
    void PrepareRun(TCoilSelectionForm& form, bool imperial = false)
    {
        form.DutyEdit().setValue(imperial ? 51182 : 15);
        form.FixedFaceCheck().setChecked(true);
        form.HeightEdit().setValue(imperial ? 24 : 609.6);
        form.LengthEdit().setValue(imperial ? 47.244 : 1200);
    }

    void ChooseUnits(bool imperial)
    {
        TUnitChoices choices;
        if (imperial) choices.Imperial();
        m_doc->ApplyUnitSystem(choices);
    }

    // The box whose suffix is the unit's label.
    static QDoubleSpinBox* EditIn(const TCoilSelectionForm& form, const QString& suffix)
    {
        for (QDoubleSpinBox* edit : form.findChildren<QDoubleSpinBox*>())
            if (edit->suffix() == suffix) return edit;
        return nullptr;
    }

    // Every number the settings keep.
    static std::vector<double> StoredNumbers()
    {
        const TSelectionSettings s = ReadSelectionSettings(TSettingsStore(TSettingsKey::Program));
        return {s.Limits.Margin,     s.Limits.MaxAirDrop,      s.Limits.MaxFluidDrop, s.Limits.MinTubeVelocity,
                s.Limits.MaxTubeVelocity, s.Limits.MaxFaceVelocity, s.Space.MinHeight, s.Space.MaxHeight,
                s.Space.MinLength,  s.Space.MaxLength,        s.Space.AspectLo,      s.Space.AspectHi,
                s.FixedHeight,      s.FixedLength};
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
        // The user's choice of Metric units: coil faces in millimetres.
        ChooseUnits(false);
    }

    void textFits_data()
    {
        QTest::addColumn<bool>("imperial");
        QTest::newRow("metric") << false;
        QTest::newRow("imperial") << true;
    }

    // The table after a run on the shipped catalogue, the inputs in either system's units.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        QFETCH(bool, imperial);
        ChooseUnits(imperial);
        TCoilSelectionForm form(*m_doc);
        QVERIFY(test::ShowExposed(form));
        PrepareRun(form, imperial);
        form.Run();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        QVERIFY(!form.Results().empty());
        // In fonts at 144 dpi the three input groups side by side are wider than the screen: they
        // scroll, and the window keeps to the screen.
        VANTOR_VERIFY_TEXT_FITS(form, {&form.Table()});
        if (QGuiApplication::primaryScreen()->logicalDotsPerInch() <= 96) {
            VANTOR_VERIFY_TEXT_FITS(form.Table());
        } else {
            // There the fifteen columns are wider than the screen too: the table scrolls
            // sideways, every column as wide as its texts.
            const QStringList cut = vantor::test::CutTexts(form.Table()).filter(QStringLiteral("(beyond the view's edge)"));
            QCOMPARE(cut.size(), vantor::test::CutTexts(form.Table()).size());
            QVERIFY(form.Table().horizontalScrollBar()->isVisible());
        }
    }

    void inputsThatCannotBeUsedAreReportedAndNothingRuns()
    {
        TCoilSelectionForm form(*m_doc);
        const auto prompts = vantor::test::ScriptPrompts(form);
        PrepareRun(form);
        // The rows are the two counts that go up to 20: lowest above highest.
        QList<QSpinBox*> rows;
        for (QSpinBox* count : form.findChildren<QSpinBox*>())
            if (count->maximum() == 20) rows << count;
        QCOMPARE(rows.size(), qsizetype(2));
        rows[0]->setValue(6);
        rows[1]->setValue(2);
        form.Run();
        QVERIFY(!form.Running());
        QCOMPARE(prompts->Messages, QStringList{"The rows must be a range of 1 or more."});
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
        QVERIFY(form.Results().empty());
        QVERIFY(!form.UseThisCoil());  // no row to take
        QCOMPARE(prompts->Messages.size(), qsizetype(1));
    }

    void useThisCoilLeavesTheDocumentWithTheTablesDuty()
    {
        TCoilSelectionForm form(*m_doc);
        PrepareRun(form);
        form.Run();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        QVERIFY(!form.Results().empty());
        QTableView& table = form.Table();
        const QAbstractItemModel& cells = *table.model();
        QCOMPARE(cells.rowCount(), static_cast<int>(form.Results().size()));
        // Ranked lightest first.
        QCOMPARE(cells.index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(cells.index(0, 3).data().toString(), QString::fromStdString(form.Results().front().Designation));

        // Sorted by the duty column, the last row is the largest duty; use that one.
        table.sortByColumn(5, Qt::AscendingOrder);
        const int row = cells.rowCount() - 1;
        table.setCurrentIndex(cells.index(row, 0));
        const QString model = cells.index(row, 3).data().toString();
        const double duty = cells.index(row, 5).data(TSelectionTableModel::kSortRole).toDouble();
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
        form.Table().setCurrentIndex(form.Table().model()->index(0, 0));
        QVERIFY(form.UseThisCoil());
        QCOMPARE(m_doc->HotWaterCoil().AirVolume(), airVolume);
    }

    // Every column, the weight that ranks the coils included, in view at the window's default
    // size, in imperial units as in metric, and the progress bar empty until a run.
    void tableShowsTheUsersUnitsAndFitsTheWindow_data()
    {
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<QString>("weightHeading");
        QTest::newRow("metric") << false << "Weight\nkg";
        QTest::newRow("imperial") << true << "Weight\nlb";
    }

    void tableShowsTheUsersUnitsAndFitsTheWindow()
    {
        QFETCH(bool, imperial);
        QFETCH(QString, weightHeading);
        ChooseUnits(imperial);
        TCoilSelectionForm form(*m_doc);
        const QProgressBar* progress = form.findChild<QProgressBar*>();
        QVERIFY(progress);
        QCOMPARE(progress->value(), progress->minimum());
        PrepareRun(form, imperial);
        QVERIFY(test::ShowExposed(form));
        form.Run();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        QVERIFY(!form.Results().empty());
        QCOMPARE(progress->value(), progress->maximum());

        const QTableView& table = form.Table();
        const QAbstractItemModel& cells = *table.model();
        const int weight = cells.columnCount() - 1;
        QCOMPARE(cells.headerData(weight, Qt::Horizontal).toString(), weightHeading);
        // The lightest coil's weight, converted here from kilograms (1 lb = 0.45359237 kg).
        const double kg = form.Results().front().DryWeight;
        const double shown = cells.index(0, weight).data().toString().toDouble();
        QVERIFY2(std::abs(shown - (imperial ? kg / 0.45359237 : kg)) <= 0.5,
                 qPrintable(QString("%1 shown for %2 kg").arg(shown).arg(kg)));
        QVERIFY(cells.headerData(7, Qt::Horizontal).toString().endsWith(imperial ? "InchWg" : "Pa"));

        QApplication::processEvents();
        const QHeaderView& header = *table.horizontalHeader();
        // The window's default width needs a screen as wide as a laptop's (the TextFits runs
        // give it one); a smaller screen or a large font makes the table scroll.
        const QScreen& screen = *QGuiApplication::primaryScreen();
        if (screen.availableGeometry().width() >= 1366 && screen.logicalDotsPerInch() <= 96)
            QVERIFY2(header.sectionViewportPosition(weight) + header.sectionSize(weight) <= table.viewport()->width(),
                     qPrintable(QString("the weight column ends at %1 of %2")
                                    .arg(header.sectionViewportPosition(weight) + header.sectionSize(weight))
                                    .arg(table.viewport()->width())));
        const QAbstractItemView& view = table;
        for (int column = 0; column < cells.columnCount(); ++column)
            QVERIFY2(header.sectionSize(column) >= std::max(view.sizeHintForColumn(column), header.sectionSizeHint(column)),
                     qPrintable(QString("column %1 is narrower than its texts").arg(column)));
    }

    // The document's own requirement and a casing from the settings give the same coils whatever
    // the units shown, and the settings keep their numbers after a close in either system.
    void imperialInputsSelectAsMetricDoesAndKeepTheSettings()
    {
        TSelectionSettings casing;
        casing.FixedFace = true;
        casing.FixedHeight = 0.6096;
        casing.FixedLength = 1.2;
        WriteSelectionSettings(*m_program, casing);
        QVERIFY(m_program->Flush());
        const std::vector<double> stored = StoredNumbers();

        std::vector<TSelectionResult> listed[2];
        for (const bool imperial : {false, true}) {
            ChooseUnits(imperial);
            {
                TCoilSelectionForm form(*m_doc);
                QCOMPARE(form.HeightEdit().suffix(), imperial ? QString(" inch") : QString(" mm"));
                QCOMPARE(form.HeightEdit().value(), imperial ? 24.0 : 609.6);  // 609.6 mm = 24 in
                QCOMPARE(form.DutyEdit().suffix(), imperial ? QString(" Btu/hr") : QString(" kW"));
                for (const QString& label : imperial ? QStringList{" cfm", " °F", " lb/s", " InchWg", " Psi", " fpm"}
                                                     : QStringList{" m³/s", " °C", " kg/s", " Pa", " kPa", " m/s"})
                    QVERIFY2(EditIn(form, label), qPrintable(label));
                bool airInUnits = false;
                for (const QLabel* text : form.findChildren<QLabel*>())
                    airInUnits = airInUnits || text->text().endsWith(imperial ? " InchHg" : " kPa");
                QVERIFY(airInUnits);
                form.Run();
                QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
                listed[imperial] = form.Results();
            }
            QCOMPARE(StoredNumbers(), stored);
        }
        QVERIFY(!listed[0].empty());
        QCOMPARE(listed[1].size(), listed[0].size());
        for (size_t i = 0; i < listed[0].size(); ++i) {
            QCOMPARE(listed[1][i].Designation, listed[0][i].Designation);
            QCOMPARE(listed[1][i].Duty, listed[0][i].Duty);
        }
    }

    // Values typed in inches and degrees Fahrenheit reach the selection as metres and kelvins.
    void valuesTypedInImperialReachTheRequestInSi()
    {
        ChooseUnits(true);
        TCoilSelectionForm form(*m_doc);
        form.FixedFaceCheck().setChecked(false);
        QCOMPARE(form.MaxHeightEdit().suffix(), QString(" inch"));
        form.MaxHeightEdit().setValue(48);
        QCOMPARE(form.DesignDropEdit().suffix(), QString(" °F"));
        form.DesignDropEdit().setValue(18);
        form.Run();
        form.CancelRun();
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        const TSelectionRequest& request = form.Request();
        QVERIFY(std::abs(request.Space.MaxHeight - 1.2192) < 1e-12);  // 48 × 25.4 mm
        QVERIFY(std::abs(request.Requirement.DesignDT - 10) < 1e-12);  // a drop of 18 °F is 10 K
    }

    void cancelStopsARun()
    {
        TCoilSelectionForm form(*m_doc);
        form.DutyEdit().setValue(30);
        form.FixedFaceCheck().setChecked(false);
        form.Run();
        form.CancelRun();
        // The run ends by itself soon after, and the window says why it stopped.
        QTRY_VERIFY_WITH_TIMEOUT(!form.Running(), 20000);
        bool told = false;
        for (const QLabel* label : form.findChildren<QLabel*>()) told = told || label->text().startsWith("Cancelled: ");
        QVERIFY(told);
    }
};

VANTOR_GUI_TEST_MAIN(CoilSelectionFormTest)
#include "selection_window_test.moc"
