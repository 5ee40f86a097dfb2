// The pressure calculator and the location picker on the shipped location databases: typed
// values, keys, the picker's lists and status line, a place taken back, the row editor.

#include "gui/locations/barometer_window.h"
#include "gui/locations/location_picker_window.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/scripted_prompts.h"
#include "locations/location_builder.h"
#include "gui/text_fits.h"
#include "settings/settings_store.h"

#include <QLabel>
#include <QDir>
#include <QListWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class AltBaromFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TAltBaromForm> m_form;

    void Retype(QLineEdit& edit, const QString& text)
    {
        edit.setFocus();
        QTRY_VERIFY(edit.hasFocus());
        edit.selectAll();
        Type(text);
    }

    static int Row(const QListWidget& list, const QString& text)
    {
        const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? -1 : list.row(found.first());
    }

    // Search, with the place accepted in the picker.
    void SearchFor(const QString& place)
    {
        OnNextModal([place](QWidget& window) {
            auto* picker = qobject_cast<TSelectLocationForm*>(&window);
            QVERIFY(picker);
            picker->PlaceList().setCurrentRow(Row(picker->PlaceList(), place));
            picker->accept();
        });
        m_form->Search();
    }

private slots:
    void initTestCase() { qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR); }

    void init()
    {
        ClearSettings();
        m_form = std::make_unique<TAltBaromForm>();
        QVERIFY(ShowActive(*m_form));
    }

    void cleanup() { m_form.reset(); }

    void startsFromTheDefaultsAndSaysReady()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Barometer"));
        QCOMPARE(m_form->PressureEdit().text(), QStringLiteral("101.325"));
        QCOMPARE(m_form->AltitudeEdit().text(), QStringLiteral("0.0"));
        QCOMPARE(m_form->StatusText(), QStringLiteral("Ready..."));
        QCOMPARE(m_form->SearchButton().toolTip(), QStringLiteral("Search for Location"));
        QVERIFY(m_form->Picker() != nullptr);
    }

    // 2000 m: 101.325·exp(−2000/8284.24) = 79.592 kPa.
    void typedValuesWorkOutTheOther()
    {
        Retype(m_form->AltitudeEdit(), "2000");
        Press(Qt::Key_Return);
        QCOMPARE(m_form->PressureEdit().text(), QStringLiteral("79.592"));
        QCOMPARE(m_form->StatusText(), QStringLiteral("Altitude modified by user"));
        QVERIFY(m_form->isVisible());  // Enter moves on, it does not accept

        Retype(m_form->PressureEdit(), "101.325");
        Press(Qt::Key_Down);  // leaving the edit
        QCOMPARE(m_form->AltitudeEdit().text(), QStringLiteral("0.0"));
        QCOMPARE(m_form->StatusText(), QStringLiteral("Pressure modified by user"));
        QVERIFY(m_form->AltitudeEdit().hasFocus());
        Press(Qt::Key_Up);
        QVERIFY(m_form->PressureEdit().hasFocus());

        // Beyond the range: limited to 120 kPa, whose altitude is −1401.35 m.
        Retype(m_form->PressureEdit(), "150");
        Press(Qt::Key_Return);
        QCOMPARE(m_form->PressureEdit().text(), QStringLiteral("120.000"));
        Press(Qt::Key_Return);
        QCOMPARE(m_form->AltitudeEdit().text(), QStringLiteral("-1401.4"));
    }

    void acceptTakesAPendingEditAndTheSettingsKeepIt()
    {
        Retype(m_form->AltitudeEdit(), "500");
        m_form->accept();  // without leaving the edit
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QCOMPARE(m_form->Altitude(), 500.0);
        QVERIFY(std::fabs(m_form->Pressure() - 95.3904) < 1e-3);  // 101.325·exp(−500/8284.24)
        const TSettingsStore shared(TSettingsKey::Shared);
        QVERIFY(std::fabs(shared.ReadFloat("Barometer", "Pressure", 0) - 95.3904) < 1e-3);
        QCOMPARE(shared.ReadFloat("Barometer", "Altitude", 0), 500.0);
    }

    void thePickerShowsASouthernPlace()
    {
        TSelectLocationForm& picker = *m_form->Picker();
        picker.PresetPlace("Johannesburg, South Africa");
        picker.show();
        QCOMPARE(picker.windowTitle(), QStringLiteral("Select Location"));
        QCOMPARE(picker.DatabaseList().item(0)->text(), QStringLiteral("+All"));
        QCOMPARE(picker.DatabaseList().count(), 8);
        QCOMPARE(picker.DatabaseList().currentItem()->text(), QStringLiteral("+All"));
        QCOMPARE(picker.PlaceList().currentItem()->text(), QStringLiteral("Johannesburg"));
        QCOMPARE(picker.Grid().item(0, 1)->text(), QStringLiteral("26.20S"));
        QCOMPARE(picker.Grid().item(1, 1)->text(), QStringLiteral("28.05E"));
        QCOMPARE(picker.Grid().item(3, 1)->text(), QStringLiteral("1753 m"));
        QCOMPARE(picker.Grid().columnWidth(0), 100);
        QCOMPARE(picker.PlacePanel(), QStringLiteral("Johannesburg, South Africa"));
        QVERIFY(picker.RecordPanel().startsWith("Record "));
        QVERIFY(picker.NotePanel().contains("not design data"));

        // Another database lists its regions; a region its places.
        picker.DatabaseList().setCurrentRow(Row(picker.DatabaseList(), "Oceania"));
        QCOMPARE(picker.RegionList().item(0)->text(), QStringLiteral("+All"));
        picker.RegionList().setCurrentRow(Row(picker.RegionList(), "New Zealand"));
        QVERIFY(Row(picker.PlaceList(), "Auckland") >= 0);
        QCOMPARE(Row(picker.PlaceList(), "Sydney"), -1);
        picker.PlaceList().setCurrentRow(Row(picker.PlaceList(), "Auckland"));
        QCOMPARE(picker.PlacePanel(), QStringLiteral("Auckland, New Zealand"));
        QCOMPARE(picker.Grid().item(0, 1)->text(), QStringLiteral("36.85S"));
        picker.reject();
        const TSettingsStore program(TSettingsKey::Program);
        QCOMPARE(QString::fromStdString(program.ReadString("SelectLocationForm", "Place", "")), QStringLiteral("Auckland"));
    }

    // The place with the longest name shipped, taken from the picker.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        VANTOR_VERIFY_TEXT_FITS(*m_form);
        SearchFor("Petropavlovsk-Kamchatsky");
        QCOMPARE(m_form->LastLocation(), std::string("Petropavlovsk-Kamchatsky, Russia"));
        const QStatusBar* status = m_form->findChild<QStatusBar*>();
        QVERIFY(status);
        VANTOR_VERIFY_TEXT_FITS(*m_form, {status});
        VANTOR_VERIFY_TEXT_FITS(*status);
    }

    // The longest place and region names shipped.
    void locationPickerTextFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        TSelectLocationForm& picker = *m_form->Picker();
        picker.PresetPlace("Petropavlovsk-Kamchatsky, Russia");
        QVERIFY(ShowExposed(picker));
        QCOMPARE(picker.PlaceList().currentItem()->text(), QStringLiteral("Petropavlovsk-Kamchatsky"));
        VANTOR_VERIFY_TEXT_FITS(picker);
        picker.DatabaseList().setCurrentRow(Row(picker.DatabaseList(), "Africa"));
        picker.RegionList().setCurrentRow(Row(picker.RegionList(), "Democratic Republic of Congo"));
        QVERIFY(picker.PlaceList().count() > 0);
        picker.PlaceList().setCurrentRow(0);
        VANTOR_VERIFY_TEXT_FITS(picker);
        picker.reject();
    }

    void aPlaceAcceptedGivesItsAltitude()
    {
        SearchFor("Nairobi");
        QCOMPARE(m_form->LastLocation(), std::string("Nairobi, Kenya"));
        QCOMPARE(m_form->AltitudeEdit().text(), QStringLiteral("1795.0"));
        QCOMPARE(m_form->StatusText(), QString::fromUtf8("Nairobi: 29.0/17.0 °C"));
    }

    // A place above the calculator's range holds the pressure at its limit; the status line
    // says so whole at the window's default size, on a second line, and as its tooltip.
    void aHeldPressureIsShownWhole()
    {
        const QString user = qEnvironmentVariable("XDG_DATA_HOME") + "/korvane/Common Files";
        QVERIFY(QDir().mkpath(user));
        QVERIFY(WriteFile(user + "/places.csv",
                          "South America,Bolivia,El Alto Airport,-16.51,-68.19,-4,4061,17,8,-3,4.0,20,-6,14\n"));
        TBuildSummary summary;
        QVERIFY(BuildLocationDatabases((user + "/places.csv").toStdString(), user.toStdString(), summary));
        SearchFor("El Alto Airport");
        const QString held =
            "El Alto Airport lies at 4061 m, above the calculator's 3063.8 m: barometer held at 70 kPa";
        QCOMPARE(m_form->StatusText(), held);
        QCOMPARE(m_form->Pressure(), 70.0);
        const QLabel* panel = LabelShowing(*m_form, held);
        QVERIFY(panel);
        QTRY_VERIFY(ShowsWholeText(*panel));
        QVERIFY(panel->height() >= 2 * panel->fontMetrics().lineSpacing());
        QCOMPARE(panel->toolTip(), held);
        QDir(user).removeRecursively();
    }

    void aMissingDatabaseIsNamed()
    {
        const QString user = qEnvironmentVariable("XDG_DATA_HOME") + "/korvane/Common Files";
        QVERIFY(QDir().mkpath(user));
        QVERIFY(WriteFile(user + "/Regions.idx", "[+All]\n+All=0\nMars=1\n[Mars]\n+All=0\n"));
        const auto prompts = ScriptPrompts(*m_form->Picker());
        m_form->Picker()->show();
        QTRY_COMPARE(prompts->Messages.size(), qsizetype(1));
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
        QCOMPARE(prompts->Messages.front(), QStringLiteral("The +All Database has not been installed...\r\n"
                                         "Please install the Korvane Geoplace Database."));
        QVERIFY(m_form->Picker()->NotePanel().isEmpty());  // the user's own databases carry no note
        m_form->Picker()->reject();
        QDir(user).removeRecursively();
    }

    void theRowEditorReturnsThePressureOnAccept()
    {
        QWidget owner;
        TVariant value = 90.0;
        OnNextModal([](QWidget& window) {
            auto* form = qobject_cast<TAltBaromForm*>(&window);
            QVERIFY(form);
            QCOMPARE(form->PressureEdit().text(), QStringLiteral("90.000"));
            form->SetAltitude(1000);
            form->accept();
        });
        QCOMPARE(int(EditBarometer(owner, value)), int(TPropEditAnswer::Accepted));
        QVERIFY(std::fabs(std::get<double>(value) - 89.8033) < 1e-3);  // 101.325·exp(−1000/8284.24)

        OnNextModal([](QWidget& window) { qobject_cast<QDialog*>(&window)->reject(); });
        value = 95.0;
        QCOMPARE(int(EditBarometer(owner, value)), int(TPropEditAnswer::Ignored));
        QCOMPARE(std::get<double>(value), 95.0);
        QCOMPARE(owner.findChildren<TAltBaromForm*>().size(), qsizetype(1));  // one calculator per window
    }
};

VANTOR_GUI_TEST_MAIN(AltBaromFormTest)
#include "barometer_window_test.moc"
