// The fin and tube editor window on a coil: typed values and spins reach the coil and the
// summary, the tube-range and settings hooks, Cancel, the circuit picture (the maker's file
// or a drawn one), the stored unit choices, and row 1 of the main window opening it.

#include "core/model/first_run_coil.h"
#include "document/document_rows.h"
#include "document/rating_document.h"
#include "gui/coil_editor/coil_editor_window.h"
#include "gui/main/main_window.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "settings/settings_store.h"
#include "units/units_registry.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextList>
#include <QUrl>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>

using namespace vantor;
using namespace vantor::test;

namespace {

// The document's rows, and its model values as their bits: equal prints, equal documents.
QStringList PrintOf(TRatingDocument& doc)
{
    QStringList print;
    for (int row = rowModel; row <= kDocumentRowCount; ++row)
        print << QString::fromStdString(doc.Rows().Cell(kValueColumn, row));
    const THotWaterCoil& coil = doc.HotWaterCoil();
    const TLiquidState& state = coil.LiquidState;
    for (const double x : {doc.Barometer(), doc.DesignDuty(), doc.AirOn().db, doc.AirOn().wb, doc.AirOn().ro,
                           doc.AirOff().db, doc.AirOff().wb, coil.AirVolume(), coil.FaceVelocity(), coil.AirMassFlow(),
                           coil.fHeight(), coil.fLength(), coil.Rows(), coil.fpi(), coil.Circ(), coil.Qt, coil.Qs,
                           coil.e, state.InletTemp(), state.LeavingTemp(), state.MassFlow(), state.vw, state.designdt})
        print << QString::number(std::bit_cast<std::uint64_t>(x));
    for (const TStatusPanel panel : {spEdit, spSolve, spFile}) print << QString::fromStdString(doc.StatusText(panel));
    print << QString::number(doc.Solved()) << QString::number(doc.Saved()) << QString::number(doc.Modified());
    return print;
}

}  // namespace

class FatFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TFirstRunCoil> m_coil;
    std::unique_ptr<TFatForm> m_form;
    std::unique_ptr<QTemporaryDir> m_makerRoot;
    int m_applied = 0;

    TFatForm& Form() { return *m_form; }
    THotWaterCoil& Coil() { return m_coil->Coil; }

    void TypeInto(TFatValue value, const QString& text)
    {
        TFmtEdit& edit = Form().Edit(value);
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Return);
    }

private slots:
    void init()
    {
        ClearSettings();
        m_makerRoot = std::make_unique<QTemporaryDir>();
        qputenv("VANTOR_MAKER_ROOT", QFile::encodeName(m_makerRoot->path()));
        m_coil = std::make_unique<TFirstRunCoil>();
        m_form = std::make_unique<TFatForm>();
        m_applied = 0;
        Form().SetTargetCoil(&Coil());
        Form().SetApplyCallback([this](bool) { ++m_applied; });
        Form().SetDesignDuty(40);
        QVERIFY(ShowActive(Form()));
    }

    void cleanup()
    {
        m_form.reset();
        m_coil.reset();
        qunsetenv("VANTOR_MAKER_ROOT");
    }

    // The first-run coil with its summary, on every page.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        VANTOR_VERIFY_TEXT_FITS(Form());
    }

    void showsTheCoilAndItsSummary()
    {
        QCOMPARE(Form().Edit(TFatValue::Rows).text(), QString("4.0"));
        QCOMPARE(Form().Edit(TFatValue::FinnedLength).text(), QString("720.0"));
        QCOMPARE(Form().Edit(TFatValue::FinPitch).text(), QString("2.1167"));
        QCOMPARE(Form().MaterialCombo(0).currentText(), QString("Cu"));
        QVERIFY(Form().PageHtml().contains("<li style=\"color:#000000\">14 tubes high</li>"));
        QVERIFY(Form().PageHtml().contains("Total Duty = "));
        QCOMPARE(Form().windowTitle(), QString::fromStdString(Coil().GetModelText()));
        // No hooks: the two buttons that need other windows are disabled.
        QVERIFY(!Form().TubeRangeButton().isEnabled());
        QVERIFY(!Form().SettingsButton().isEnabled());
    }

    void summaryListStartsAtTheLeftEdge()
    {
        QVERIFY(ShowExposed(Form()));
        QTextDocument& page = *Form().SummaryView().document();
        const QTextBlock first = page.begin();
        QVERIFY(first.textList());
        QCOMPARE(first.textList()->format().style(), QTextListFormat::ListCircle);
        QVERIFY(first.text().startsWith("Face Area = "));
        // The first line's text begins within a sixth of the page's width, room for the bullet
        // before it, and every line is drawn in its entry's colour.
        const QRect text = Form().SummaryView().cursorRect(QTextCursor(first));
        const int width = Form().SummaryView().viewport()->width();
        QVERIFY2(text.left() < width / 6, qPrintable(QString("text at %1 of %2").arg(text.left()).arg(width)));
        QVERIFY(text.left() >= QFontMetrics(first.begin().fragment().charFormat().font()).height() / 2);
        for (QTextBlock block = first; block.isValid(); block = block.next())
            if (block.text().contains("tubes high"))
                QCOMPARE(block.begin().fragment().charFormat().foreground().color(), QColor(Qt::black));
    }

    void typedValuesAndSpinsReachTheCoil()
    {
        TypeInto(TFatValue::Rows, "6");
        QCOMPARE(Coil().Rows(), 6.0);
        QCOMPARE(m_applied, 1);
        QVERIFY(Form().PageHtml().contains("tubes per circuit"));

        // Passing through an edit without typing changes nothing.
        Form().Edit(TFatValue::FinHeight).setFocus();
        Form().Edit(TFatValue::FinnedLength).setFocus();
        QCOMPARE(m_applied, 1);

        Form().Spin(TFatValue::FinDensity, true);
        QCOMPARE(Coil().fpi(), 14.0);
        QCOMPARE(Form().Edit(TFatValue::FinPitch).text(), QString("1.8143"));
        TypeInto(TFatValue::FinPitch, "2.54");
        QCOMPARE(Coil().fpi(), 10.0);
        QCOMPARE(Form().Edit(TFatValue::FinDensity).text(), QString("10.0000"));

        Form().MaterialCombo(2).setCurrentIndex(4);
        emit Form().MaterialCombo(2).activated(4);
        QCOMPARE(int(Coil().Geometry().ModelRecord().Mc), 4);
    }

    void hooksChooseTheRangeAndTheSettings()
    {
        bool databaseEdit = true, makerChoice = false;
        Form().AllowDatabaseEdit = false;
        Form().AllowMakerChoice = true;
        Form().SetChooseTubeRange([&](TModelRec& record, bool allowDatabaseEdit, bool allowMakerChoice) {
            databaseEdit = allowDatabaseEdit;
            makerChoice = allowMakerChoice;
            record.Sy = 0.03175;
            record.Model = "Wide";
            return true;
        });
        QVERIFY(Form().TubeRangeButton().isEnabled());
        QTest::mouseClick(&Form().TubeRangeButton(), Qt::LeftButton);
        QVERIFY(!databaseEdit);
        QVERIFY(makerChoice);
        QCOMPARE(Coil().Geometry().TubePitch(), 0.03175);
        QCOMPARE(Coil().fHeight(), 0.5715);  // 544 mm put on 63.5 mm steps
        QCOMPARE(Form().findChild<QLineEdit*>("TubeSizeEd")->text(), QString("Wide"));

        int settings = 0;
        Form().SetEditDesignSettings([&](TCoil& coil) {
            ++settings;
            coil.DesignVf = 2.0;
        });
        QTest::mouseClick(&Form().SettingsButton(), Qt::LeftButton);
        QCOMPARE(settings, 1);
        QCOMPARE(Coil().DesignVf, 2.0);
        Form().Size(TFatSizing::FaceArea);
        QVERIFY(std::abs(Coil().FaceVelocity() - 2.0) < 0.1);
    }

    void anUnreachableDutyEndsWithAFailedSizingAndABuildableCoil()
    {
        // 5000 kW needs more face than 9.144 m by 10 m: the face stops at its limits with
        // at most one circuit per tube (it once came out with 1600 circuits on 720 tubes).
        Form().SetDesignDuty(5000);
        QLabel* autoFace = nullptr;
        for (QLabel* label : Form().findChildren<QLabel*>())
            if (label->toolTip() == "Auto Size Height and Length") autoFace = label;
        QVERIFY(autoFace);
        emit autoFace->linkActivated("#");
        QVERIFY(Form().PageHtml().contains(
            "<li style=\"color:#FF0000\">Target Duty = 5000 kW: could not reach the duty within the coil's limits</li>"));
        const double tubes = Coil().Geometry().TubeCount();
        QVERIFY(Coil().Circ() <= tubes);
        QCOMPARE(std::fmod(tubes, Coil().Circ()), 0.0);
        QVERIFY(Form().PageHtml().contains("<li style=\"color:#000000\">0 unlinked tubes</li>"));

        // The next change clears the shortfall.
        Form().Spin(TFatValue::FinDensity, false);
        QVERIFY(!Form().PageHtml().contains("could not reach the duty"));
    }

    void cancelRestoresTheCoil()
    {
        const std::string model = Coil().GetModelText();
        const double volume = Coil().AirVolume();
        Form().Size(TFatSizing::RowsAndFins);
        Form().Spin(TFatValue::Circuits, true);
        QVERIFY(Coil().GetModelText() != model);
        Form().CancelClick();
        QCOMPARE(Coil().GetModelText(), model);
        QCOMPARE(Coil().AirVolume(), volume);
        QCOMPARE(Form().result(), int(QDialog::Rejected));

        // Escape cancels as the button does.
        QVERIFY(ShowActive(Form()));
        Form().Spin(TFatValue::Rows, true);
        QVERIFY(Coil().GetModelText() != model);
        QTest::keyClick(&Form(), Qt::Key_Escape);
        QCOMPARE(Coil().GetModelText(), model);
        QVERIFY(!Form().isVisible());
    }

    void circuitPictureIsTheMakersOrDrawn()
    {
        // 4 rows × 14 tubes high, 7 circuits: 8 tubes a circuit, no file: drawn.
        Form().ShowCircuitPicture();
        QVERIFY(Form().PageHtml().contains("<img src=\"circuit-picture.png\" height=\"220\">"));
        const QVariant drawn =
            Form().SummaryView().document()->resource(QTextDocument::ImageResource, QUrl("circuit-picture.png"));
        QVERIFY(!drawn.value<QImage>().isNull());
        QCOMPARE(drawn.value<QImage>().height(), 220);

        // The maker's picture in "CoilCirc/Images" of the maker root.
        QDir(m_makerRoot->path()).mkpath("CoilCirc/Images");
        QImage maker(33, 44, QImage::Format_RGB32);
        maker.fill(Qt::red);
        QVERIFY(maker.save(m_makerRoot->filePath("CoilCirc/Images/4r8t.png")));
        Form().ShowCircuitPicture();
        const QImage shown = Form()
                                 .SummaryView()
                                 .document()
                                 ->resource(QTextDocument::ImageResource, QUrl("circuit-picture.png"))
                                 .value<QImage>();
        QCOMPARE(shown.size(), QSize(33, 44));
        // The next change shows the summary again.
        Form().Spin(TFatValue::Rows, true);
        QVERIFY(Form().PageHtml().contains("tubes high"));
    }

    void unitChoicesAreStored()
    {
        Form().SetUnitChoices(1, 0);
        Form().Edit(TFatValue::FinHeight).SetUnitsValue(2);
        Form().accept();
        const TSettingsStore programKey(TSettingsKey::Program);
        QCOMPARE(programKey.ReadInteger("FatForm", "DesignDutyUnits", -1), 1);
        QCOMPARE(programKey.ReadInteger("FatForm", "FinnedLengthUnits", -1), 0);
        QCOMPARE(programKey.ReadInteger("FatForm", "FinHeightUnits", -1), 2);
        TFatForm again;
        QCOMPARE(again.DesignDutyEdit().UnitsValue(), 1);
        QCOMPARE(again.Edit(TFatValue::FinHeight).UnitsValue(), 2);
    }

    void rowOneOpensTheEditorAndTakesTheModel()
    {
        m_form.reset();
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
        TUnitsRegistry units = StandardUnitsRegistry();
        TVantorForm main(units);
        TRatingDocument& doc = main.Document();
        QVERIFY(main.FatForm().TargetCoil() == nullptr);
        bool hooksSet = false;
        OnNextModal([&hooksSet](QWidget& window) {
            auto* editor = qobject_cast<TFatForm*>(&window);
            if (!editor) return;
            // The main window gives the editor its coil maker and design settings windows.
            hooksSet = editor->TubeRangeButton().isEnabled() && editor->SettingsButton().isEnabled() &&
                       editor->AllowMakerChoice;
            editor->Spin(TFatValue::Rows, true);
            editor->accept();
        });
        const double rows = doc.Coil().Rows();
        QCOMPARE(int(main.EditModel()), int(TPropEditAnswer::Cancelled));
        QVERIFY(hooksSet);
        QCOMPARE(main.FatForm().AllowDatabaseEdit, main.MaintainerMode());
        QCOMPARE(doc.Coil().Rows(), rows + 1);
        QVERIFY(QString::fromStdString(doc.Rows().Cell(1, rowModel)).contains(QString("%1r").arg(rows + 1)));

        // Cancel puts the coil and row 1 back.
        OnNextModal([](QWidget& window) {
            if (auto* editor = qobject_cast<TFatForm*>(&window)) {
                editor->Spin(TFatValue::Rows, true);
                editor->CancelClick();
            }
        });
        main.EditModel();
        QCOMPARE(doc.Coil().Rows(), rows + 1);
        QVERIFY(QString::fromStdString(doc.Rows().Cell(1, rowModel)).contains(QString("%1r").arg(rows + 1)));
    }

    void anEmptyEntryKeepsTheValue()
    {
        const double height = Coil().fHeight();
        const double circuits = Coil().Circ();
        TFmtEdit& edit = Form().Edit(TFatValue::FinHeight);
        const QString shown = edit.text();
        edit.setFocus();
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClicks(&edit, "abc");  // refused by the edit: it stays empty
        QTest::keyClick(&edit, Qt::Key_Tab);
        QCOMPARE(Coil().fHeight(), height);
        QCOMPARE(Coil().Circ(), circuits);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(m_applied, 0);
    }

    void cancelLeavesTheDocumentAsItWas()
    {
        m_form.reset();
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
        TUnitsRegistry units = StandardUnitsRegistry();
        TVantorForm main(units);
        TRatingDocument& doc = main.Document();
        for (const bool imperial : {false, true}) {
            main.SetUnitSystem(imperial);
            for (const bool escape : {false, true}) {
                const QStringList before = PrintOf(doc);
                // Three openings in a row: nothing may drift from one to the next.
                for (int opening = 0; opening < 3; ++opening) {
                    OnNextModal([escape, opening](QWidget& window) {
                        auto* editor = qobject_cast<TFatForm*>(&window);
                        if (!editor) return;
                        if (opening == 1) editor->Size(TFatSizing::FaceArea);
                        if (opening == 2) editor->Spin(TFatValue::Rows, true);
                        if (escape)
                            QTest::keyClick(editor, Qt::Key_Escape);
                        else
                            editor->CancelClick();
                    });
                    main.EditModel();
                    QCOMPARE(PrintOf(doc), before);
                }
            }
            QVERIFY(main.Solve());
        }
    }

#ifdef VANTOR_CLI
    void acceptedSizingsRateAsTheCommandLineSizes()
    {
        m_form.reset();
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
        const std::pair<TFatSizing, const char*> sizings[] = {
            {TFatSizing::FaceArea, "face-area"}, {TFatSizing::Height, "height"}, {TFatSizing::Length, "length"},
            {TFatSizing::Rows, "rows"},          {TFatSizing::Fins, "fins"},     {TFatSizing::RowsAndFins, "rows-and-fins"}};
        for (const auto& [sizing, by] : sizings) {
            ClearSettings();
            TUnitsRegistry units = StandardUnitsRegistry();
            TVantorForm main(units);
            OnNextModal([sizing = sizing](QWidget& window) {
                auto* editor = qobject_cast<TFatForm*>(&window);
                if (!editor) return;
                editor->SetDesignDuty(20);
                editor->Size(sizing);
                editor->accept();
            });
            main.EditModel();
            QVERIFY(main.Solve());
            QProcess cli;
            cli.start(VANTOR_CLI, {"size", "--no-settings", "--json", "--by", by, "--design-duty", "20"});
            QVERIFY(cli.waitForFinished(60000));
            QCOMPARE(cli.exitCode(), 0);
            const double duty = QJsonDocument::fromJson(cli.readAllStandardOutput()).object()["Qt"].toDouble();
            QVERIFY2(std::abs(main.Document().HotWaterCoil().Qt - duty) < 1e-9, by);
        }
    }
#endif
};

VANTOR_GUI_TEST_MAIN(FatFormTest)
#include "coil_editor_window_test.moc"
