// The "Properties" window on the file properties: Cancel puts back what it opened with,
// "Keep as default" stores the project and user fields, the "General" page shows the data
// file's facts and is hidden without one, and Enter, Down and Up move between the controls.

#include "gui/file_properties/file_properties_window.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/scripted_prompts.h"
#include "gui/text_fits.h"
#include "settings/settings_store.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class FilePropertiesFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<TSettingsStore> m_programKey;
    TFileProperties m_properties;

    template <class T>
    static T& Control(TFilePropertiesForm& form, const char* name)
    {
        T* control = form.findChild<T*>(QString::fromLatin1(name));
        if (!control) qFatal("no control %s", name);
        return *control;
    }

    // Shows the window modally; `act` runs while it is open.
    int Show(TFilePropertiesForm& form, std::function<void(TFilePropertiesForm&)> act)
    {
        OnNextModal([&form, act](QWidget&) {
            act(form);
            // A failed check leaves the window open: close it, so the test goes on.
            if (form.isVisible()) form.reject();
        });
        return form.exec();
    }

private slots:
    void init()
    {
        ClearSettings();
        m_folder = std::make_unique<QTemporaryDir>();
        m_programKey = std::make_unique<TSettingsStore>(std::filesystem::path(m_folder->filePath("Vantor.ini").toStdString()));
        m_properties = TFileProperties();
        m_properties.ProjectName = "North Wing";
        m_properties.Description = "Heating\r\nAHU 3";
        m_properties.Author = "Ann";
        m_properties.Date = std::chrono::year{2012} / std::chrono::March / 5;
    }

    void cancelPutsBackWhatTheWindowOpenedWith()
    {
        const TFileProperties opened = m_properties;
        TFilePropertiesForm form(m_properties, *m_programKey);
        const int result = Show(form, [](TFilePropertiesForm& f) {
            QCOMPARE(Control<QLineEdit>(f, "edProjectName").text(), QString("North Wing"));
            QCOMPARE(Control<QPlainTextEdit>(f, "edDescription").toPlainText(), QString("Heating\nAHU 3"));
            QCOMPARE(Control<QDateEdit>(f, "edDate").date(), QDate(2012, 3, 5));
            Control<QLineEdit>(f, "edProjectName").setText("South Wing");
            Control<QPlainTextEdit>(f, "edDescription").setPlainText("one\ntwo\nthree");
            Control<QLineEdit>(f, "edAuthor").setText("Bob");
            Control<QDateEdit>(f, "edDate").setDate(QDate(2013, 1, 2));
            QVERIFY(f.Modified());
            QTest::keyClick(&f, Qt::Key_Escape);
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(m_properties == opened);
        QVERIFY(!m_programKey->SectionExists(kFilePropertiesSection));
    }

    void acceptKeepsTheEditsAndTheDefaults()
    {
        TFilePropertiesForm form(m_properties, *m_programKey);
        const int result = Show(form, [](TFilePropertiesForm& f) {
            QCOMPARE(f.Pages().currentIndex(), 0);
            QVERIFY(!f.KeepAsDefault().isChecked());
            Control<QLineEdit>(f, "edProjectNumber").setText("P-17");
            Control<QPlainTextEdit>(f, "edDescription").setPlainText("one\ntwo\nthree");
            Control<QLineEdit>(f, "edCompany").setText("Korvane");
            f.KeepAsDefault().setChecked(true);
            f.accept();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(m_properties.ProjectNumber, std::string("P-17"));
        QCOMPARE(m_properties.Description, std::string("one\r\ntwo\r\nthree"));
        QCOMPARE(m_properties.EncodedDescription(), std::string("one%13%10two%13%10three"));

        // Stored: the next new file starts with these.
        const TSettingsStore reread(std::filesystem::path(m_folder->filePath("Vantor.ini").toStdString()));
        const TFilePropertiesDefaults defaults = ReadFilePropertiesDefaults(reread);
        QCOMPARE(defaults, (TFilePropertiesDefaults{"North Wing", "P-17", "Ann", "Korvane"}));

        // Opening again clears the check box and starts Cancel from the accepted values.
        Show(form, [](TFilePropertiesForm& f) {
            QVERIFY(!f.KeepAsDefault().isChecked());
            Control<QLineEdit>(f, "edProjectNumber").setText("P-99");
            f.reject();
        });
        QCOMPARE(m_properties.ProjectNumber, std::string("P-17"));
    }

    void defaultsThatCannotBeKeptAreReported()
    {
        // A folder where the settings file belongs: the defaults cannot be written.
        QVERIFY(QDir().mkpath(m_folder->filePath("Vantor.ini")));
        TFilePropertiesForm form(m_properties, *m_programKey);
        const auto prompts = ScriptPrompts(form);
        const int result = Show(form, [](TFilePropertiesForm& f) {
            Control<QLineEdit>(f, "edProjectNumber").setText("P-17");
            f.KeepAsDefault().setChecked(true);
            f.accept();
        });
        QCOMPARE(result, int(QDialog::Accepted));  // the file's own properties are still taken
        QCOMPARE(m_properties.ProjectNumber, std::string("P-17"));
        QCOMPARE(prompts->Messages.size(), qsizetype(1));
        QVERIFY(prompts->Messages.front().startsWith("The defaults could not be kept: "));
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
    }

    void acceptRefusesTextADataFileCannotStore()
    {
        TFilePropertiesForm form(m_properties, *m_programKey);
        const auto prompts = ScriptPrompts(form);
        const int result = Show(form, [](TFilePropertiesForm& f) {
            // Pasted text can hold control characters; Qt's text is always well-formed UTF-16.
            Control<QLineEdit>(f, "edCompany").setText(QString("A") + QChar(0x01) + "B");
            f.Pages().setCurrentIndex(0);
            f.accept();
            QVERIFY(f.isVisible());
            QCOMPARE(f.Pages().currentIndex(), 1);
            QCOMPARE(f.focusWidget(), &Control<QLineEdit>(f, "edCompany"));
            Control<QLineEdit>(f, "edCompany").setText("Korvane");
            f.accept();
        });
        QCOMPARE(prompts->Messages,
                 QStringList{"Registered Organization: the text holds a control character a data file cannot store"});
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(m_properties.Company, std::string("Korvane"));
    }

    // Every page of a saved file's properties.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        m_properties.Company = "Korvane Heating and Ventilating Engineers";
        const QString file = m_folder->filePath("North Wing heating coil AHU 3.hqx");
        QVERIFY(WriteFile(file, QByteArray(2048, 'x')));
        TFilePropertiesForm form(m_properties, *m_programKey);
        form.SetFileName(file);
        QStringList cut;
        Show(form, [&cut](TFilePropertiesForm& f) {
            for (int page = 0; page < f.Pages().count(); ++page) {
                f.Pages().setCurrentIndex(page);
                cut << CutTexts(f);
            }
            f.reject();
        });
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    }

    void generalPageShowsTheFileFacts()
    {
        TFilePropertiesForm form(m_properties, *m_programKey);
        Show(form, [](TFilePropertiesForm& f) {
            QVERIFY(!f.GeneralPageShown());
            f.reject();
        });

        const QString file = m_folder->filePath("Coil A.hqx");
        QVERIFY(WriteFile(file, QByteArray(2048, 'x')));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
        form.SetFileName(file);
        Show(form, [&](TFilePropertiesForm& f) {
            QVERIFY(f.GeneralPageShown());
            QCOMPARE(f.GeneralText({}), QString("Coil A.hqx"));
            QCOMPARE(f.GeneralText("Location:"), m_folder->path());
            QCOMPARE(f.GeneralText("Size:"), QString("2.00 KB (2048 bytes)"));
            QCOMPARE(f.GeneralText("Modified:"),
                     QLocale().toString(QFileInfo(file).lastModified(), QLocale::ShortFormat));
            QVERIFY(!f.GeneralText("Type:").isEmpty());
            QVERIFY(f.AttributeChecked("Read Only"));
            QVERIFY(!f.AttributeChecked("Hidden"));
            QVERIFY(!f.AttributeChecked("Archive"));
            f.reject();
        });

        form.SetFileName(m_folder->filePath("gone.hqx"));
        Show(form, [](TFilePropertiesForm& f) {
            QVERIFY(!f.GeneralPageShown());
            f.reject();
        });
    }

    void enterDownAndUpMoveBetweenTheControls()
    {
        TFilePropertiesForm form(m_properties, *m_programKey);
        Show(form, [](TFilePropertiesForm& f) {
            QLineEdit& name = Control<QLineEdit>(f, "edProjectName");
            QLineEdit& number = Control<QLineEdit>(f, "edProjectNumber");
            QPlainTextEdit& comments = Control<QPlainTextEdit>(f, "edDescription");
            QApplication::setActiveWindow(&f);
            QVERIFY(QTest::qWaitForWindowActive(&f));
            name.setFocus();
            QTRY_VERIFY(name.hasFocus());
            QTest::keyClick(&name, Qt::Key_Return);
            QTRY_VERIFY(number.hasFocus());
            QTest::keyClick(&number, Qt::Key_Up);
            QTRY_VERIFY(name.hasFocus());
            QTest::keyClick(&name, Qt::Key_Down);
            QTRY_VERIFY(number.hasFocus());
            QTest::keyClick(&number, Qt::Key_Down);
            QTRY_VERIFY(comments.hasFocus());
            // The comments take line breaks, and Up and Down move inside them.
            comments.setPlainText("a");
            comments.moveCursor(QTextCursor::End);
            QTest::keyClick(&comments, Qt::Key_Return);
            QTest::keyClick(&comments, Qt::Key_Up);
            QTest::keyClick(&comments, Qt::Key_Down);
            QVERIFY(comments.hasFocus());
            QCOMPARE(comments.toPlainText(), QString("a\n"));
            QVERIFY2(f.isVisible(), "Enter does not close the window");
            f.reject();
        });
    }
};

VANTOR_GUI_TEST_MAIN(FilePropertiesFormTest)
#include "file_properties_window_test.moc"
