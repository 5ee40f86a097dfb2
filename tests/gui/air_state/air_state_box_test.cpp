// The air state calculator window: typing into its rows, the highlighted pair, the restore
// on leaving, the clipboard commands, state files, and the dialog component that opens it
// with its settings.

#include "fluids/air_state_text.h"
#include "fluids/psx_file.h"
#include "gui/air_state/air_state_window.h"
#include "gui/air_state/air_state_dialog.h"
#include "gui/widgets/entry_grid.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "gui/scripted_prompts.h"
#include "settings/settings_store.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class AirStateBoxTest : public QObject {
    Q_OBJECT

private:
    TPsyPoint m_point;
    std::unique_ptr<TAirStateBox> m_box;

    TAirStateBox& Box() { return *m_box; }
    QString Cell(int row) const { return QString::fromStdString(m_box->Calc().Rows().Cell(1, row)); }
    void Type(int row, const QString& text)
    {
        Box().Grid().SelectCell(1, row);
        Box().Grid().setFocus();
        vantor::test::Type(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    bool Highlighted(int row) const
    {
        const QModelIndex index = m_box->Grid().model()->index(row - 1, 1);
        return m_box->Grid().model()->data(index, Qt::ForegroundRole).value<QColor>() ==
               QApplication::palette().color(QPalette::Highlight);
    }
    void ShowBox(bool modal = true)
    {
        m_box = std::make_unique<TAirStateBox>(m_point, TAirConDlgSettings{}, true, true, modal);
        QVERIFY(ShowActive(*m_box));
    }

private slots:
    void init()
    {
        ClearSettings();
        m_point = TPsyPoint{"On Coil"};
        ParseAirState("24/17", m_point.State, 101.325, 0.5);
        ShowBox();
    }
    void cleanup() { m_box.reset(); }

    // The state as opened, then a wet bulb above the dry bulb and its message.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        VANTOR_VERIFY_TEXT_FITS(Box());
        Type(asrWetBulb, "30");
        const QString message = Box().StatusText(0);
        QVERIFY(message.startsWith("Wet Bulb > Dry Bulb"));
        const QLabel* panel = LabelShowing(Box(), message);
        QVERIFY(panel);
        VANTOR_VERIFY_TEXT_FITS(Box(), {panel});
        VANTOR_VERIFY_TEXT_FITS(*panel);
    }

    void typedRelativeHumidityKeepsTheDryBulbAndMarksThePair()
    {
        QCOMPARE(Box().StatusText(0), QString("Ready..."));
        QVERIFY(Box().Action(TTechAction::Cancel).isVisible());
        QVERIFY(!Box().Action(TTechAction::Solve).isVisible());
        QSignalSpy edits(&Box(), &TAirStateBox::EditAirconItem);
        Type(asrRelHumidity, "60");
        QCOMPARE(Cell(asrRelHumidity), QString("60.0"));
        QCOMPARE(Cell(asrDryBulb), QString("24.0"));
        QCOMPARE(int(Box().Calc().Combination().PairCode), int(pcDbRH));
        QVERIFY(Highlighted(asrDryBulb));
        QVERIFY(Highlighted(asrRelHumidity));
        QVERIFY(!Highlighted(asrWetBulb));
        QCOMPARE(edits.count(), 1);
    }

    void invalidStateIsShownThenRestoredOnClose()
    {
        Type(asrDryBulb, "10");
        QCOMPARE(Box().StatusText(0), QString("Wet Bulb > Dry Bulb °C..."));
        QCOMPARE(Cell(asrDryBulb), QString("10.0"));
        Box().AcceptState();
        // An invalid state is no answer.
        QCOMPARE(Box().Result(), int(QDialog::Rejected));
        QCOMPARE(m_point.State.db, 24.0);
    }

    // The status line's messages show whole at the window's default size, wrapped when they
    // must be, and as the tooltip.
    void messagesAreShownWhole()
    {
        Type(asrDryBulb, "10");
        Box().Action(TTechAction::Save).trigger();
        const QString refused = QStringLiteral("Can\"t save invalid data...");
        QCOMPARE(Box().StatusText(0), refused);
        const QLabel* panel = LabelShowing(Box(), refused);
        QVERIFY(panel);
        QTRY_VERIFY(ShowsWholeText(*panel));
        QCOMPARE(panel->toolTip(), refused);

        Type(asrWetBulb, "12");
        QCOMPARE(Box().StatusText(0), QString("Wet Bulb > Dry Bulb °C..."));
        QTRY_VERIFY(ShowsWholeText(*panel));
    }

    void clipboardCommands()
    {
        QApplication::clipboard()->setText(QStringLiteral("30/20"));
        Box().Action(TTechAction::Paste).trigger();
        QCOMPARE(Cell(asrDryBulb), QString("30.0"));
        QVERIFY(Highlighted(asrDryBulb) && Highlighted(asrWetBulb));
        Box().Action(TTechAction::Copy).trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("30.000/20.000"));
        Box().Action(TTechAction::View).trigger();
        QVERIFY(QApplication::clipboard()->text().startsWith("Property,Value,Units\r\nName,\"On Coil\",\r\n"));
        Box().Action(TTechAction::CopyXml).trigger();
        QVERIFY(QApplication::clipboard()->text().contains("<item code=\"db\" caption=\"Dry Bulb\" units=\"°C\">30.0</item>"));
    }

    void stateFilesThroughTheCommands()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("air.psx");
        const auto prompts = ScriptPrompts(Box());
        prompts->Files << file;
        Box().Action(TTechAction::Save).trigger();
        QVERIFY(QFile::exists(file));
        QVERIFY(prompts->Requests.back().Access == TFileAccess::Save);

        Type(asrDryBulb, "28");
        prompts->Files << file;
        Box().Action(TTechAction::Open).trigger();
        QCOMPARE(Cell(asrDryBulb), QString("24.0"));
        // Saved at the barometer in use: nothing to warn about.
        QVERIFY(prompts->Messages.isEmpty());

        // A damaged file: a message names it and the state stays.
        QVERIFY(WriteFile(file, QByteArray(60, 'x')));
        Type(asrDryBulb, "26");
        prompts->Files << file;
        Box().Action(TTechAction::Open).trigger();
        QCOMPARE(prompts->Messages, QStringList{"Error reading file " + file});
        QCOMPARE(Cell(asrDryBulb), QString("26.0"));

        // A value no air can have is refused as well, before it reaches a row.
        TMoistAirState wild = m_point.State;
        wild.db = 1e300;
        QVERIFY(WriteFile(file, QByteArray::fromStdString(EncodePsx(wild))));
        prompts->Files << file;
        Box().Action(TTechAction::Open).trigger();
        QCOMPARE(prompts->Messages.last(), "Error reading file " + file + ": dry bulb 1E300 °C is outside -100 to 200 °C");
        QCOMPARE(Cell(asrDryBulb), QString("26.0"));

        // A state saved at another barometer loads as it is, with a warning naming the difference.
        TMoistAirState high = m_point.State;
        ParseAirState("20/15", high, 85.0, 0.5);
        QVERIFY(WriteFile(file, QByteArray::fromStdString(EncodePsx(high))));
        QVERIFY(Box().LoadFile(file));
        QCOMPARE(Cell(asrPressure), QString("85.000"));
        QCOMPARE(prompts->Kinds.back(), TMessageKind::Warning);
        QVERIFY2(prompts->Messages.last().contains("85 kPa, 16.325 kPa below the 101.325 kPa in use"),
                 qPrintable(prompts->Messages.last()));

        // An invalid state is not saved.
        QFile::remove(file);
        QApplication::setActiveWindow(&Box());
        QVERIFY(QTest::qWaitForWindowActive(&Box()));
        Type(asrDryBulb, "5");
        Box().Action(TTechAction::Save).trigger();
        QCOMPARE(Box().StatusText(0), QString("Can\"t save invalid data..."));
        QVERIFY(!QFile::exists(file));
    }

    // Escape ends an edit first, then cancels the modal window as Cancel does; a window
    // without Cancel stays open.
    void escapeActsAsCancel()
    {
        Type(asrDryBulb, "28");
        Box().Grid().SelectCell(1, asrWetBulb);
        vantor::test::Type("1");
        Press(Qt::Key_Escape);
        QVERIFY(Box().isVisible());
        QCOMPARE(Cell(asrWetBulb), QString("17.0"));
        Press(Qt::Key_Escape);
        QVERIFY(!Box().isVisible());
        QCOMPARE(Box().Result(), int(QDialog::Rejected));

        ShowBox(false);
        Box().Grid().setFocus();
        Press(Qt::Key_Escape);
        QVERIFY(Box().isVisible());
    }

    // However wide the stored sizes or a value, no column and no window grows past the screen.
    void widthsStayWithinTheScreen()
    {
        TAirConDlgSettings settings;
        settings.Stored = true;
        settings.ColWidths = {85, 50000, 52};
        m_box = std::make_unique<TAirStateBox>(m_point, settings, true, true, true);
        const int screenWidth = m_box->screen()->availableGeometry().width();
        QVERIFY(Box().Grid().ColWidth(1) <= screenWidth);
        Box().Calc().Point().ItemName = std::string(3000, 'W');
        Box().Calc().Refresh();
        Box().Grid().CellsChanged();
        Box().Align();
        QVERIFY(Box().Grid().ColWidth(1) <= screenWidth);
        QVERIFY2(Box().width() <= screenWidth, qPrintable(QString::number(Box().width())));
    }

    void dialogOpensModallyAndKeepsItsSettings()
    {
        m_box.reset();
        {
            TAirStateDlg dlg(QStringLiteral("TestDlg"), nullptr);
            dlg.Data().Caption = "On Coil Air";
            dlg.Data().Modal = true;
            dlg.Data().EditPressure = false;
            dlg.Data().SetTemperature("22/16");
            connect(&dlg, &TAirStateDlg::BoxShown, this, [](TAirStateBox* box) {
                QCOMPARE(box->windowTitle(), QString("On Coil Air"));
                QVERIFY(!box->Calc().Rows().RowEnabled(asrPressure));
                QVERIFY(box->Calc().Rows().SetRowUnitsValue(asrDryBulb, 1));  // °F
                box->Calc().Rows().EnterText(asrDryBulb, "77");
                box->Calc().EditRow(asrDryBulb);
                box->AcceptState();
            });
            QCOMPARE(dlg.Execute(), int(QDialog::Accepted));
            QCOMPARE(QString::fromStdString(dlg.Data().Temperature()), QString("25.0/16.0"));
            QVERIFY(dlg.Data().Point.FormLeft > -99);
        }
        const TSettingsStore programKey(TSettingsKey::Program);
        QCOMPARE(programKey.ReadInteger("TestDlg", "Row3", -1), 1);
        QVERIFY(programKey.ValueExists("TestDlg", "FormLeft"));
        TAirStateDlg again(QStringLiteral("TestDlg"), nullptr);
        QCOMPARE(again.Data().Settings.RowUnits[asrDryBulb], 1);
    }
};

VANTOR_GUI_TEST_MAIN(AirStateBoxTest)
#include "air_state_box_test.moc"
