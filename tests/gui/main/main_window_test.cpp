// The main window on the rating document: the status line through an edit, a solve and a
// save; the unsaved-work and overwrite questions answered by the test; "Copy to XML"; the
// report and the viewer fed by the document; the unit system switch.

#include "document/document_rows.h"
#include "document/rating_document.h"
#include "gui/file_properties/file_properties_window.h"
#include "gui/common/page_opener.h"
#include "gui/reports/report_window.h"
#include "gui/main/main_window.h"
#include "gui/reports/view_window.h"
#include "gui/widgets/entry_grid.h"
#include "gui/widgets/report_view.h"
#include "gui/widgets/row_controls.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "gui/scripted_prompts.h"
#include "reports/file_properties.h"
#include "settings/settings_store.h"
#include "units/units_registry.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <deque>
#include <memory>

using namespace vantor;
using namespace vantor::test;

Q_DECLARE_METATYPE(vantor::TAnswer)

class VantorFormTest : public QObject {
    Q_OBJECT

private:
    TUnitsRegistry m_units = StandardUnitsRegistry();
    std::unique_ptr<TVantorForm> m_form;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::shared_ptr<TScriptedPrompts> m_prompts;

    TVantorForm& Form() { return *m_form; }
    TRatingDocument& Doc() { return m_form->Document(); }
    QString Path(const QString& name) const { return m_folder->filePath(name); }
    QStringList Panels() const
    {
        return {m_form->StatusText(spEdit), m_form->StatusText(spSolve), m_form->StatusText(spFile)};
    }
    QString Cell(int col, int row) const { return QString::fromStdString(m_form->Document().Rows().Cell(col, row)); }

    void Type(int row, const QString& text)
    {
        if (!Form().isVisible()) QVERIFY(ShowActive(Form()));
        Form().Grid().SelectCell(1, row);
        Form().Grid().setFocus();
        vantor::test::Type(text);
        Press(Qt::Key_Return);
    }

    void SaveAs(const QString& name)
    {
        m_prompts->Files << Path(name);
        QVERIFY(Form().SaveWithDialog());
    }

private slots:
    void init()
    {
        ClearSettings();
        m_folder = std::make_unique<QTemporaryDir>();
        m_form = std::make_unique<TVantorForm>(m_units);
        m_prompts = ScriptPrompts(Form());
    }

    void cleanup() { m_form.reset(); }

    // The Fluid Control list keeps to the keys while the document refreshes the rows after
    // each pick: the rows that follow the control change with it, the list stays open until
    // Enter or Escape.
    void listKeys()
    {
        QVERIFY(ShowActive(Form()));
        Form().Grid().SelectCell(1, rowControl);
        Form().Grid().setFocus();
        const TRowControls& controls = Form().Grid().RowControls();
        QTest::mouseClick(&controls.DropDownButton(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), &controls.List());

        const auto step = [&](Qt::Key key, const QString& control, bool byFlow) {
            Press(key);
            QVERIFY(controls.ListVisible());
            QCOMPARE(QApplication::focusWidget(), &controls.List());
            QCOMPARE(Cell(1, rowControl), control);
            QCOMPARE(Doc().Rows().RowEnabled(rowFluidFlow), byFlow);
            QCOMPARE(Doc().Rows().RowEnabled(rowDesignDT), !byFlow);
        };
        QCOMPARE(Cell(1, rowControl), QString("Flow"));  // a new rating's control
        step(Qt::Key_Up, "Temperature", false);
        QCOMPARE(Form().StatusText(spEdit), QString("Modified"));
        step(Qt::Key_Down, "Flow", true);
        step(Qt::Key_Home, "Temperature", false);
        step(Qt::Key_End, "Flow", true);
        step(Qt::Key_Up, "Temperature", false);

        Press(Qt::Key_Return);
        QVERIFY(!controls.ListVisible());
        QTRY_VERIFY(Form().Grid().hasFocus());
        QCOMPARE(Form().Grid().CurrentRow(), int(rowControl));
        QCOMPARE(Cell(1, rowControl), QString("Temperature"));

        QTest::mouseClick(&controls.DropDownButton(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), &controls.List());
        Press(Qt::Key_Escape);
        QVERIFY(!controls.ListVisible());
        QTRY_VERIFY(Form().Grid().hasFocus());
        QVERIFY(Form().isVisible());
        QCOMPARE(Cell(1, rowControl), QString("Temperature"));
    }

    // The solve's warnings show whole in the status line at the window's default size, on
    // further lines when they must, and as the panel's tooltip.
    void warningsAreShownWhole()
    {
        Type(rowFluidFlow, "20");
        Form().Action(TTechAction::Solve).trigger();
        const QString warnings = Form().StatusText(spFile);
        QVERIFY(warnings.startsWith("Tube Velocity "));
        QVERIFY(warnings.contains(" is outside its row's range "));
        const QLabel* shown = LabelShowing(Form(), warnings);
        QVERIFY(shown);
        QTRY_VERIFY(ShowsWholeText(*shown));
        QCOMPARE(shown->toolTip(), warnings);
        // Two warnings at once, as the document joins them.
        const QString both = warnings + "; Air Volume 271.577 m³/s is outside its row's range 0.100 m³/s to "
                                        "100.000 m³/s; rated with 271.577 m³/s";
        Form().SetStatusText(spFile, both);
        QTRY_VERIFY(ShowsWholeText(*shown));
        // The other panels keep their widths.
        for (const TStatusPanel fixed : {spEdit, spSolve}) {
            const QLabel* panel = LabelShowing(Form(), Form().StatusText(fixed));
            QVERIFY(panel);
            QCOMPARE(panel->width(), 90);
        }
    }

    void statusFollowsEditSolveAndSave()
    {
        QCOMPARE(Form().windowTitle(), QString("Vantor 1.0.0.0"));
        QCOMPARE(Panels(), QStringList({"Ready...", "Not Solved", ""}));
        Type(rowFluidInlet, "80");
        QCOMPARE(Cell(1, rowFluidInlet), QString("80.0"));
        QCOMPARE(Panels(), QStringList({"Modified", "Not Solved", ""}));
        QVERIFY(!Doc().Saved());

        QCOMPARE(Form().Action(TTechAction::Solve).shortcut(), QKeySequence(Qt::Key_F9));
        Form().Action(TTechAction::Solve).trigger();
        QVERIFY(Doc().Solved());
        QCOMPARE(Panels(), QStringList({"Modified", "Solved...", ""}));
        QVERIFY(Form().ReportForm().RichEdit1().toPlainText().contains("Hot Water Coil"));

        QCOMPARE(Form().Action(TTechAction::Save).shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
        m_prompts->Files << Path("coil");  // the extension is added
        Form().Action(TTechAction::Save).trigger();
        QVERIFY(QFile::exists(Path("coil.hqx")));
        QCOMPARE(Panels(), QStringList({"Ready...", "Solved...", "coil.hqx"}));
        QCOMPARE(Form().DialogFolder(), m_folder->path());

        Type(rowDesignDT, "12");
        QCOMPARE(Panels(), QStringList({"Modified", "Not Solved", "coil.hqx"}));
    }

    void unsavedWorkQuestion_data()
    {
        QTest::addColumn<TAnswer>("answer");
        QTest::addColumn<QString>("openName");  // the document's file after the answer
        QTest::addColumn<bool>("firstSaved");   // the edit reached a.hqx
        QTest::newRow("Yes saves, then opens") << TAnswer::Yes << "b.hqx" << true;
        QTest::newRow("No opens without saving") << TAnswer::No << "b.hqx" << false;
        QTest::newRow("Cancel keeps the first file") << TAnswer::Cancel << "a.hqx" << false;
    }

    void unsavedWorkQuestion()
    {
        QFETCH(TAnswer, answer);
        QFETCH(QString, openName);
        QFETCH(bool, firstSaved);
        SaveAs("b.hqx");
        SaveAs("a.hqx");
        const QByteArray saved = ReadFile(Path("a.hqx"));
        Type(rowFluidInlet, "80");

        m_prompts->Answers = {answer};
        m_prompts->Files << Path("b.hqx");
        Form().Action(TTechAction::Open).trigger();
        QCOMPARE(m_prompts->Questions, QStringList({"a.hqx not saved.\nSave now?"}));
        QCOMPARE(QFileInfo(QString::fromStdString(Doc().FileName())).fileName(), openName);
        QCOMPARE(ReadFile(Path("a.hqx")) != saved, firstSaved);
        QCOMPARE(m_prompts->FileDialogs(), answer == TAnswer::Cancel ? 2 : 3);
        QCOMPARE(Doc().Saved(), answer != TAnswer::Cancel);
    }

    // A sized coil is new work: the status says so and opening another file asks first.
    void coilSizeSolveIsUnsavedWork()
    {
        QVERIFY(Doc().EnterRowText(rowCalcMode, "Coil Size"));
        SaveAs("a.hqx");
        QCOMPARE(Panels(), QStringList({"Ready...", "Not Solved", "a.hqx"}));
        Form().Action(TTechAction::Solve).trigger();
        QCOMPARE(Panels(), QStringList({"Modified", "Solved...", "a.hqx"}));
        const QString sized = Cell(1, rowModel);
        QVERIFY(sized != "544 x 720  4r  12f  7c");
        Form().Action(TTechAction::Solve).trigger();
        QCOMPARE(Cell(1, rowModel), sized);

        m_prompts->Answers = {TAnswer::Cancel};
        m_prompts->Files << Path("b.hqx");
        Form().Action(TTechAction::Open).trigger();
        QCOMPARE(m_prompts->Questions, QStringList({"a.hqx not saved.\nSave now?"}));
        QCOMPARE(Cell(1, rowModel), sized);
    }

    void openingAFileRatesItsCoil()
    {
        SaveAs("a.hqx");
        QVERIFY(Doc().EnterRowText(rowCalcMode, "Coil Size"));
        m_prompts->Answers = {TAnswer::No};
        m_prompts->Files << Path("a.hqx");
        Form().Action(TTechAction::Open).trigger();
        QCOMPARE(Panels(), QStringList({"Ready...", "Not Solved", "a.hqx"}));
        QCOMPARE(Cell(1, rowCalcMode), QString("Heating Duty"));
        QVERIFY(Doc().Rows().RowEnabled(rowModel));
        Form().Action(TTechAction::Solve).trigger();
        QCOMPARE(Cell(1, rowModel), QString("544 x 720  4r  12f  7c"));
    }

    // "Yes, save" onto a file marked read-only: the message, then the Save As dialog.
    void readOnlyFileOffersSaveAs()
    {
        SaveAs("a.hqx");
        QFile::setPermissions(Path("a.hqx"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray saved = ReadFile(Path("a.hqx"));
        Type(rowFluidInlet, "80");
        m_prompts->Requests.clear();
        m_prompts->Answers = {TAnswer::Yes};
        m_prompts->Files << Path("b.hqx") << QString();  // Save As b.hqx, then no file to open
        Form().Action(TTechAction::Open).trigger();
        QCOMPARE(m_prompts->Messages, QStringList{Path("a.hqx") + " is read-only"});
        QCOMPARE(m_prompts->Kinds.front(), TMessageKind::Error);
        QCOMPARE(m_prompts->FileDialogs(), 2);
        QCOMPARE(ReadFile(Path("a.hqx")), saved);
        QVERIFY(ReadFile(Path("b.hqx")).contains("<tfi>80.000</tfi>"));
        QCOMPARE(Panels(), QStringList({"Ready...", "Not Solved", "b.hqx"}));
    }

    void untitledWork()
    {
        Type(rowFluidInlet, "80");
        // Opening would lose the inputs: the question comes, Cancel keeps them.
        m_prompts->Files << Path("b.hqx");
        Form().OpenWithDialog();
        QCOMPARE(m_prompts->Questions, QStringList({"Untitled not saved.\nSave now?"}));
        QCOMPARE(m_prompts->FileDialogs(), 0);
        // Closing keeps them in the settings: no question.
        m_prompts->Questions.clear();
        QVERIFY(Form().close());
        QVERIFY(m_prompts->Questions.isEmpty());
        m_form = std::make_unique<TVantorForm>(m_units);
        QCOMPARE(Cell(1, rowFluidInlet), QString("80.0"));
    }

    void placementAndColumnsAreKept()
    {
        QVERIFY(ShowExposed(Form()));
        Form().move(40, 60);
        Form().resize(520, 380);
        Form().Grid().SetColWidth(0, 120);
        Form().Grid().SetColWidth(1, 140);
        QVERIFY(Form().close());
        m_form = std::make_unique<TVantorForm>(m_units);
        QCOMPARE(Form().pos(), QPoint(40, 60));
        QCOMPARE(Form().size(), QSize(520, 380));
        QCOMPARE(Form().Grid().ColWidth(0), 120);
        QCOMPARE(Form().Grid().ColWidth(1), 140);
    }

    // Another running copy stored a barometer while this window was open; this window's
    // close, without an edit of it, keeps that value.
    void anotherCopysChangeSurvivesTheClose()
    {
        QVERIFY(Form().close());  // the first close stores the values in their written form
        m_form = std::make_unique<TVantorForm>(m_units);
        {
            TSettingsStore other(TSettingsKey::Program);
            other.WriteFloat("VantorForm", "Pressure", 95.5);
            QVERIFY(other.Flush());
        }
        QVERIFY(Form().close());
        QCOMPARE(TSettingsStore(TSettingsKey::Program).ReadFloat("VantorForm", "Pressure", 0.0), 95.5);
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<TAnswer>("answer");
        QTest::addRow("Yes") << TAnswer::Yes;
        QTest::addRow("No") << TAnswer::No;
        QTest::addRow("Cancel") << TAnswer::Cancel;
    }

    void overwriteQuestion()
    {
        QFETCH(TAnswer, answer);
        SaveAs("a.hqx");
        const QByteArray saved = ReadFile(Path("a.hqx"));
        Type(rowFluidInlet, "80");
        m_prompts->Answers = {answer};
        m_prompts->Files << Path("a.hqx");
        QCOMPARE(Form().SaveWithDialog(), answer == TAnswer::Yes);
        QCOMPARE(m_prompts->Questions, QStringList({"OK to overwrite " + Path("a.hqx") + " ?"}));
        QCOMPARE(ReadFile(Path("a.hqx")) != saved, answer == TAnswer::Yes);
        QCOMPARE(Doc().Saved(), answer == TAnswer::Yes);
    }

    void copyToXml()
    {
        Form().CopyToXml();
        const QString text = QApplication::clipboard()->text();
        const QStringList lines = text.split("\r\n");
        QCOMPARE(lines.size(), 3 + 12 + 1);
        QCOMPARE(lines[0], QString("<?xml version=\"1.0\"?>"));
        QCOMPARE(lines[1], QString("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                                   "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"));
        QCOMPARE(lines[2], QString("<_544_x_720__4r__12f__7c>"));
        QCOMPARE(lines[3], QString("  <Barometer Units=\"kPa\">101.325</Barometer>"));
        QCOMPARE(lines[6], QString("  <Air_Velocity Units=\"m/s\">2.50</Air_Velocity>"));
        QCOMPARE(lines[8], QString("  <Fluid_Control Units=\"\">Flow</Fluid_Control>"));
        QCOMPARE(lines[13], QString("  <Design_Duty__ Units=\"kW\">20.000</Design_Duty__>"));
        QCOMPARE(lines.last(), QString("</_544_x_720__4r__12f__7c>"));
        // Well-formed: every element name is a name XML accepts.
        QXmlStreamReader reader(text);
        int elements = 0;
        while (!reader.atEnd())
            if (reader.readNext() == QXmlStreamReader::StartElement) ++elements;
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(elements, 13);
    }

    void reportFollowsTheDocument()
    {
        Form().FirstActivation();
        Form().ToggleReport();
        QVERIFY(Form().ReportForm().isVisible());
        QCOMPARE(Form().ReportForm().windowTitle(), QString("Vantor Report"));
        QCOMPARE(Form().ReportForm().RichEdit1().toPlainText(), QString("Not Solved\n"));
        QVERIFY(Form().Solve());
        const QString report = Form().ReportForm().RichEdit1().toPlainText();
        QVERIFY(report.contains("Hot Water Coil"));
        QVERIFY(report.endsWith("\nVantor 1.0.0.0\n"));
        Form().ToggleReport();
        QVERIFY(!Form().ReportForm().isVisible());

        Form().CopyResult();
        QVERIFY(QApplication::clipboard()->text().startsWith("Make,Typical"));
    }

    void viewerCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("solves");
        QTest::newRow("Diagnostics") << "Diagnostics" << true;
        QTest::newRow("Manufacturing Report") << "Manufacturing Report" << false;
    }

    void viewerCommands()
    {
        QFETCH(QString, command);
        QFETCH(bool, solves);
        QAction* action = MenuCommand(Form().GridMenu(), command);
        QVERIFY(action);
        QString shown;
        OnNextModal([&shown](QWidget& window) {
            if (auto* viewer = qobject_cast<TViewForm*>(&window)) {
                shown = viewer->Box().toPlainText();
                viewer->accept();
            }
        });
        action->trigger();
        QVERIFY(!shown.trimmed().isEmpty());
        QCOMPARE(Doc().Solved(), solves);
    }

    void gridMenuHoldsTheBuiltCommands()
    {
        QStringList texts;
        for (QAction* item : Form().GridMenu().actions())
            if (!item->isSeparator()) texts << item->text();
        QCOMPARE(texts, QStringList({"Diagnostics", "Typical Airconditioning Conditions",
                                     "Plot process on Aerograph", "Manufacturing Report",
                                     "Coil Selection...", "Step-by-Step Simulation", "Properties...", "Clip screen", "Copy to XML"}));
    }

    void plotWithoutChartProgram()
    {
        Form().PlotprocessonAerograph1Click();
        QCOMPARE(m_prompts->Messages.size(), 1);
        const QString shown = m_prompts->Messages.front();
        QVERIFY2(shown.endsWith("\nnot found..."), qPrintable(shown));
        QVERIFY(Doc().Solved());
        QVERIFY(QFile::exists(QDir::home().filePath("Documents/Korvane/Vantor/NoName.psy")));
    }

    // The properties are saved with the data file and come back with it; an accepted change
    // is work to save.
    void propertiesTravelWithTheDataFile()
    {
        SaveAs("a.hqx");
        OnNextModal([](QWidget& window) {
            auto& properties = dynamic_cast<TFilePropertiesForm&>(window);
            QVERIFY(properties.GeneralPageShown());
            QCOMPARE(properties.GeneralText({}), QString("a.hqx"));
            properties.findChild<QLineEdit*>("edProjectName")->setText("North Wing");
            properties.accept();
        });
        Form().ShowFileProperties();
        QVERIFY(!Doc().Saved());
        QCOMPARE(Form().StatusText(spEdit), QString("Modified"));
        m_prompts->Files << Path("a.hqx");
        m_prompts->Answers.push_back(TAnswer::Yes);  // overwrite
        QVERIFY(Form().SaveWithDialog());
        QVERIFY(ReadFile(Path("a.hqx")).contains("<projectname>North Wing</projectname>"));

        Form().FileProperties().ProjectName = "other";
        QVERIFY(Form().OpenDataFile(Path("a.hqx")));
        QCOMPARE(Form().FileProperties().ProjectName, std::string("North Wing"));

        // Cancel changes nothing, and leaves the document saved.
        OnNextModal([](QWidget& window) {
            window.findChild<QLineEdit*>("edProjectName")->setText("South Wing");
            dynamic_cast<QDialog&>(window).reject();
        });
        Form().ShowFileProperties();
        QVERIFY(Doc().Saved());
        QCOMPARE(Form().FileProperties().ProjectName, std::string("North Wing"));
    }

    void unitSystem()
    {
        Form().SetUnitSystem(true);
        QCOMPARE(Cell(2, rowBarometer), QString("InchHg"));
        QCOMPARE(Cell(2, rowFluidInlet), QString("°F"));
        QCOMPARE(Cell(1, rowFluidInlet), QString("113.0"));
        Form().SetUnitSystem(false);
        QCOMPARE(Cell(2, rowBarometer), QString("kPa"));
        QCOMPARE(Cell(1, rowFluidInlet), QString("45.0"));
    }

    // After Imperial the grid shows the model's values: the rows read as the report does and
    // a solve with unchanged inputs changes none of them.
    void imperialGridAgreesWithTheReport()
    {
        Form().FirstActivation();
        QVERIFY(Form().Solve());
        Form().SetUnitSystem(true);
        const QString report = Form().ReportForm().RichEdit1().toPlainText();
        const QString lines[] = {"Barometer\t" + Cell(1, rowBarometer) + "\tInchHg",
                                 "On Coil\t" + Cell(1, rowAirOn) + "\t°F",
                                 "Duty\t" + Cell(1, rowDesignDuty) + "\tBtu/hr"};
        for (const QString& line : lines) QVERIFY2(report.contains("\n" + line + "\n"), qPrintable(line + " in\n" + report));
        QCOMPARE(Cell(1, rowBarometer), QString("29.9213"));
        QStringList shown;
        for (int row = rowModel; row <= rowCalcMode; ++row) shown << Cell(1, row);
        QVERIFY(Form().Solve());
        for (int row = rowModel; row <= rowCalcMode; ++row) QCOMPARE(Cell(1, row), shown[row - rowModel]);
    }

    // A value longer than its column widens the column and the window; a cut cell shows its
    // text as a tooltip.
    void longValuesWidenTheValueColumn()
    {
        QVERIFY(ShowExposed(Form()));
        QTRY_VERIFY(Form().Activated());
        TEntryGrid& grid = Form().Grid();
        grid.SetColWidth(1, 60);
        const int windowWidth = Form().width();
        Doc().Rows().SetCell(1, rowModel, "457.2 x 620.444  4r  12.5f  11c");
        grid.CellsChanged();
        const int needed = grid.fontMetrics().horizontalAdvance("457.2 x 620.444  4r  12.5f  11c");
        QVERIFY2(grid.ColWidth(1) > needed, qPrintable(QString::number(grid.ColWidth(1))));
        QVERIFY(Form().width() > windowWidth);
        const QModelIndex model = grid.model()->index(rowModel - 1, 1);
        QVERIFY(!grid.model()->data(model, Qt::ToolTipRole).isValid());
        grid.SetColWidth(1, 40);
        QCOMPARE(grid.model()->data(model, Qt::ToolTipRole).toString(), QString("457.2 x 620.444  4r  12.5f  11c"));
    }

    // Solved, with the longest kind of message the status line shows: a solve's warning.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        QVERIFY(ShowExposed(Form()));
        QTRY_VERIFY(Form().Activated());
        QVERIFY(Form().Solve());
        VANTOR_VERIFY_TEXT_FITS(Form());
        const QString warning = QString::fromUtf8("Air Volume 271.577 m³/s is outside its row's range 0.100 m³/s "
                                                  "to 100.000 m³/s; rated with 271.577 m³/s");
        Form().SetStatusText(spFile, warning);
        const QLabel* panel = LabelShowing(Form(), warning);
        QVERIFY(panel);
        VANTOR_VERIFY_TEXT_FITS(Form(), {panel});
        VANTOR_VERIFY_TEXT_FITS(*panel);
    }

    // Help on a machine whose opener cannot show the page says so and names the page.
    void helpFailureNamesThePage_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("opener fails") << "exit 3";
        QTest::newRow("no opener") << "";
    }

    void helpFailureNamesThePage()
    {
        QFETCH(QString, script);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Common Files"));
        const QString page = root.filePath("Common Files/Coils.htm");
        QVERIFY(WriteFile(page, "<html></html>"));
        qputenv("VANTOR_MAKER_ROOT", QFile::encodeName(root.path()));
        Form().HelpOpener().Program = StandInProgram(root.path(), script);
        QVERIFY(!Form().HelpOpener().Program.isEmpty());
        const auto prompts = ScriptPrompts(Form().HelpOpener());
        Form().ShowHelp();
        QTRY_COMPARE(prompts->Messages.size(), qsizetype(1));
        qunsetenv("VANTOR_MAKER_ROOT");
        const QString shown = prompts->Messages.front();
        QVERIFY2(shown.contains("could not be opened"), qPrintable(shown));
        QVERIFY2(shown.contains(QFileInfo(page).absoluteFilePath()), qPrintable(shown));
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
    }

    void helpThatIsNotInstalledIsAnError()
    {
        QTemporaryDir root;
        qputenv("VANTOR_MAKER_ROOT", QFile::encodeName(root.path()));
        const auto prompts = ScriptPrompts(Form().HelpOpener());
        Form().ShowHelp();
        qunsetenv("VANTOR_MAKER_ROOT");
        QCOMPARE(prompts->Messages.size(), qsizetype(1));
        QVERIFY2(prompts->Messages.front().endsWith(" is not installed."), qPrintable(prompts->Messages.front()));
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Error);
    }

    void clipScreen()
    {
        QVERIFY(ShowExposed(Form()));
        const QString name = Form().ClipScreen();
        QCOMPARE(QFileInfo(name).fileName(), QString("Vantor.jpg"));
        const QImage picture(name);
        QCOMPARE(picture.size(), Form().size());
        QCOMPARE(QApplication::clipboard()->image().size(), Form().size());
        QFile::remove(name);
    }

    void startFileOpensAtFirstActivation()
    {
        SaveAs("start.hqx");
        m_form = std::make_unique<TVantorForm>(m_units);
        m_form->SetStartFile(Path("start.hqx"));
        m_form->show();
        QTRY_VERIFY(m_form->Activated());
        QCOMPARE(m_form->StatusText(spFile), QString("start.hqx"));
        QVERIFY(m_form->Document().Saved());
    }

    void emptiedCellKeepsItsValue_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("barometer") << int(rowBarometer);
        QTest::newRow("on coil") << int(rowAirOn);
        QTest::newRow("air volume") << int(rowAirVolume);
        QTest::newRow("fluid inlet") << int(rowFluidInlet);
    }

    void emptiedCellKeepsItsValue()
    {
        // Letters are refused, so the cell is confirmed empty: the value stays, with a beep,
        // instead of the row's low limit.
        QFETCH(int, row);
        const QString before = Cell(1, row);
        QSignalSpy beeps(&Form().Grid(), &TEntryGrid::Beeped);
        Type(row, "abc");
        QCOMPARE(Cell(1, row), before);
        QVERIFY(!beeps.isEmpty());
        QCOMPARE(Panels().front(), QString("Ready..."));
        QVERIFY(Doc().Saved());
    }

    void storedValuesThatCannotBeUsedAreShownOnce()
    {
        TSettingsStore program(TSettingsKey::Program);
        program.WriteString("VantorForm", "Pressure", "5");
        QVERIFY(program.Flush());
        m_form = std::make_unique<TVantorForm>(m_units);
        const auto prompts = ScriptPrompts(*m_form);
        m_form->show();
        QTRY_VERIFY(m_form->Activated());
        QTRY_COMPARE(prompts->Messages.size(), qsizetype(1));
        const QString shown = prompts->Messages.front();
        QVERIFY(shown.startsWith("Values of the settings that could not be used as they stood:"));
        QVERIFY(shown.contains("Pressure: 5 is outside 70 to 120; 101.325 used"));
        QCOMPARE(Cell(1, rowBarometer), QString("101.325"));
    }
};

VANTOR_GUI_TEST_MAIN(VantorFormTest)

#include "main_window_test.moc"
