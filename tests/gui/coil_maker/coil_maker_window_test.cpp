// The coil maker window on the shipped catalogue: the record's range found and selected, a
// pick copied back, the catalogue edited through the INI editor (the user's copy written,
// read again, and a spoilt copy reported while the installed catalogue keeps serving).

#include "geometry/coil_makers.h"
#include "gui/coil_maker/coil_maker_window.h"
#include "gui/ini_editor/ini_editor_window.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "gui/scripted_prompts.h"

#include <Qsci/qsciscintilla.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

using namespace vantor;

class CoilMakerFormTest : public QObject {
    Q_OBJECT

private:
    static QString UserCatalogue()
    {
        return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/korvane/Common Files/CoilMakers.xml");
    }

private slots:
    void init()
    {
        vantor::test::ClearSettings();
        QFile::remove(UserCatalogue());
        qputenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR);
    }

    void opensOnTheRecordsRangeAndAcceptsAnother()
    {
        TCoilMakers catalogue;
        TIniEditorForm editor;
        TCoilMakerForm form(catalogue, editor);
        QVERIFY(!form.DatabaseButtonShown());
        QVERIFY(!form.MakerList().isEnabled());

        TModelRec rec;  // the built-in 1/2 inch range
        rec.Mnf = "typical";
        rec.Model = "1/2 inch";
        rec.tf = 0.00015;
        rec.fHeight = 0.61;
        form.CurrentRecord() = rec;
        QVERIFY(test::ShowExposed(form));
        QCOMPARE(form.MakerList().currentText(), QStringLiteral("Typical"));
        QTreeWidgetItem* current = form.RangeList().currentItem();
        QVERIFY(current);
        QCOMPARE(current->text(0), QStringLiteral("1/2 inch"));
        QCOMPARE(form.CurrentTubeLabel().text(),
                 QStringLiteral("typical, 1/2 inch, 12.5222, 13.3350, 33.00, 38.10, 0.1500, Staggered, Cu, Al, "
                                "1.000, 1.000, 0"));

        // The first row (3/8 inch) picked with the keyboard and accepted.
        form.RangeList().setFocus();
        form.RangeList().setCurrentItem(form.RangeList().topLevelItem(0));
        QCOMPARE(form.RangeList().topLevelItem(0)->text(0), QStringLiteral("3/8 inch"));
        const QPoint firstRow = form.RangeList().visualItemRect(form.RangeList().topLevelItem(0)).center();
        QTest::mouseClick(form.RangeList().viewport(), Qt::LeftButton, {}, firstRow);
        QTest::mouseDClick(form.RangeList().viewport(), Qt::LeftButton, {}, firstRow);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.CurrentRecord().Model, std::string("3/8 inch"));
        QCOMPARE(form.CurrentRecord().Mnf, std::string("Typical"));
        QCOMPARE(int(form.CurrentRecord().Tube), 3);
        QCOMPARE(form.CurrentRecord().fHeight, 0.61);
    }

    // Every shipped maker in turn, with its ranges listed.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        TCoilMakers catalogue;
        TIniEditorForm editor;
        TCoilMakerForm form(catalogue, editor);
        form.CurrentRecord().Mnf = "Typical";
        form.ShowDatabaseButton(true);
        form.EnableMakerChoice(true);
        QVERIFY(test::ShowExposed(form));
        QVERIFY(form.MakerList().count() > 1);
        for (int maker = 0; maker < form.MakerList().count(); ++maker) {
            form.MakerList().setCurrentIndex(maker);
            QVERIFY(form.RangeList().topLevelItemCount() > 0);
            VANTOR_VERIFY_TEXT_FITS(form);
        }
    }

    void acceptWithNoRowLeavesTheRecord()
    {
        TCoilMakers catalogue;
        TIniEditorForm editor;
        TCoilMakerForm form(catalogue, editor);
        TModelRec rec;
        rec.Mnf = "Nobody";
        form.CurrentRecord() = rec;
        form.show();
        QCOMPARE(form.MakerList().currentIndex(), -1);
        QCOMPARE(form.RangeList().topLevelItemCount(), 0);
        form.AcceptAction();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(form.CurrentRecord() == rec);
    }

    void editingTheCatalogueWritesTheUsersCopyAndReadsItAgain()
    {
        TCoilMakers catalogue;
        TIniEditorForm editor;
        TCoilMakerForm form(catalogue, editor);
        form.ShowDatabaseButton(true);
        form.EnableMakerChoice(true);
        QVERIFY(form.DatabaseButtonShown());
        const auto prompts = vantor::test::ScriptPrompts(form);
        const QStringList& messages = prompts->Messages;
        form.CurrentRecord().Mnf = "Typical";
        form.show();
        const int makers = form.MakerList().count();
        QVERIFY(makers > 0);

        // A new maker added in the editor, saved and the editor closed.
        vantor::test::OnNextModal([](QWidget& window) {
            auto* ini = qobject_cast<TIniEditorForm*>(&window);
            QVERIFY(ini);
            QString text = ini->Editor().text();
            text.replace(QStringLiteral("</catalog>"),
                         QStringLiteral("<item><maker>Zeta</maker><model name=\"z\" d=\"4\">"
                                        "<tube id=\"12.5222\" od=\"13.335\"/><pat sx=\"33\" sy=\"38.1\"/>"
                                        "</model></item></catalog>"));
            ini->Editor().setText(text);
            QVERIFY(ini->Save());
            ini->close();
        });
        form.EditDatabase();
        QVERIFY(QFile::exists(UserCatalogue()));
        QCOMPARE(form.MakerList().count(), makers + 1);
        QCOMPARE(form.MakerList().itemText(makers), QStringLiteral("Zeta"));
        QVERIFY(messages.isEmpty());

        // Spoilt on line 2: the message names the file and the line; the makers stay.
        vantor::test::OnNextModal([](QWidget& window) {
            auto* ini = qobject_cast<TIniEditorForm*>(&window);
            QVERIFY(ini);
            ini->Editor().setText(QStringLiteral("<catalog>\n<item><maker>Broken</maker>\n</catalog>\n"));
            QVERIFY(ini->Save());
            ini->close();
        });
        form.EditDatabase();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(UserCatalogue()), qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(QStringLiteral("line 3")), qPrintable(messages[0]));
        QCOMPARE(form.MakerList().count(), makers);  // the installed catalogue
        QVERIFY(form.RangeList().topLevelItemCount() > 0);
    }
};

VANTOR_GUI_TEST_MAIN(CoilMakerFormTest)
#include "coil_maker_window_test.moc"
