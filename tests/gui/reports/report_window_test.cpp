// The report window: copying, the font kept between runs, printing to a PDF file and the
// mail command; and the desktop program's command line.

#include "gui/mail/mail_sender.h"
#include "gui/reports/report_window.h"
#include "gui/widgets/report_view.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/scripted_prompts.h"
#include "settings/settings_store.h"
#include "startup.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextLayout>

using namespace vantor;
using namespace vantor::test;

namespace {

// The report as a PDF file in the folder; its path. `jobName` receives the print job's name.
QString PrintToPdf(TReportForm& form, const QTemporaryDir& folder, QString* jobName = nullptr)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("report.pdf"));
    form.PrintTo(printer);
    if (jobName) *jobName = printer.docName();
    return printer.outputFileName();
}

}  // namespace

class ReportFormTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void copy_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("footer");
        QTest::addColumn<QString>("copied");
        QTest::newRow("report") << QStringList{"", "Hot Water Coil", "Duty\t18.3\tkW", ""} << "Vantor 1.0.0.0"
                                << "\nHot Water Coil\nDuty\t18.3\tkW\n\nVantor 1.0.0.0\n";
        QTest::newRow("empty") << QStringList{} << "" << "";
    }

    void copy()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, footer);
        QFETCH(QString, copied);
        TReportForm form;
        TDocumentReport report;
        for (const QString& line : lines) report.Lines.push_back({line.toStdString(), line == "Hot Water Coil"});
        report.Footer = footer.toStdString();
        form.ShowReport(report);
        QApplication::clipboard()->setText("before");
        form.CopyAction().trigger();
        QCOMPARE(QApplication::clipboard()->text(), copied);
        QCOMPARE(form.StatusText(), QString("Copied to Clipboard..."));
        if (!footer.isEmpty()) {
            const QTextDocument& document = *form.RichEdit1().document();
            QVERIFY(document.findBlockByNumber(lines.size()).begin().fragment().charFormat().fontItalic());
            QCOMPARE(document.findBlockByNumber(2).blockFormat().tabPositions().size(), 2);
        }
    }

    void fontIsKept()
    {
        {
            TSettingsStore programKey(TSettingsKey::Program);
            programKey.WriteInteger("ReportForm", "FontSize", 13);
            programKey.WriteInteger("ReportForm", "FontColor", 0x0000ff);  // red
            programKey.WriteString("ReportForm", "FontName", "DejaVu Serif");
            QVERIFY(programKey.Flush());
        }
        auto form = std::make_unique<TReportForm>();
        QCOMPARE(form->RichEdit1().font().pointSize(), 13);
        QCOMPARE(form->RichEdit1().font().family(), QString("DejaVu Serif"));
        QCOMPARE(form->RichEdit1().palette().color(QPalette::Text), QColor(Qt::red));
        form->show();
        form->hide();  // stores placement and font
        const TSettingsStore programKey(TSettingsKey::Program);
        QCOMPARE(programKey.ReadInteger("ReportForm", "FontSize", 0), 13);
        QCOMPARE(programKey.ReadInteger("ReportForm", "FontCharSet", 0), 1);
        QCOMPARE(programKey.ReadString("ReportForm", "FontName", ""), std::string("DejaVu Serif"));
    }

    void tabStopsFollowTheFont_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("8 pt") << 8;
        QTest::newRow("16 pt") << 16;
        QTest::newRow("28 pt") << 28;
    }

    // At any font size each column's text ends before its tab stop (measured with the font's
    // metrics) and the next column starts at that stop in the laid-out line.
    void tabStopsFollowTheFont()
    {
        QFETCH(int, pointSize);
        {
            TSettingsStore programKey(TSettingsKey::Program);
            programKey.WriteInteger("ReportForm", "FontSize", pointSize);
            QVERIFY(programKey.Flush());
        }
        TReportForm form;
        form.SetTabStops({110, 170, 0});
        TDocumentReport report;
        report.Lines = {{"Hot Water Coil", true},         {"Air", true},
                        {"Barometer\t101.325\tkPa", false}, {"Pressure drop\t0.437\tkPa", false},
                        {"Fluid Pressure Drop\t12.53\tkPa", false}, {"Duty\t204729\tBtu/hr", false}};
        form.ShowReport(report);
        QVERIFY(ShowExposed(form));
        const QTextDocument& document = *form.RichEdit1().document();
        int checked = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QStringList cells = block.text().split('\t');
            if (cells.size() < 2) continue;
            const QList<QTextOption::Tab> stops = block.blockFormat().tabPositions();
            QVERIFY(stops.size() >= cells.size() - 1);
            const QFontMetricsF metrics(
                block.begin().fragment().charFormat().font().resolve(document.defaultFont()), form.RichEdit1().viewport());
            const QTextLine line = block.layout()->lineAt(0);
            double start = 0;
            int position = 0;
            for (int cell = 0; cell + 1 < cells.size(); ++cell) {
                const double end = start + metrics.horizontalAdvance(cells[cell]);
                QVERIFY2(end < stops[cell].position, qPrintable(QString("%1 ends at %2, its stop is at %3")
                                                                     .arg(cells[cell]).arg(end).arg(stops[cell].position)));
                position += int(cells[cell].size()) + 1;
                start = line.cursorToX(position);
                QCOMPARE(qRound(start), qRound(stops[cell].position));
                ++checked;
            }
        }
        QCOMPARE(checked, 8);
    }

    void printsToPdf()
    {
        QTemporaryDir folder;
        TReportForm form;
        form.Title = "Vantor";
        TDocumentReport report;
        report.Lines = {{"Hot Water Coil", true}, {"Duty\t18.3\tkW", false}};
        form.ShowReport(report);
        QString jobName;
        QFile pdf(PrintToPdf(form, folder, &jobName));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QCOMPARE(jobName, QString("Vantor"));
    }

    // The printed page has the screen's columns: at 16 pt a long label keeps its distance
    // from its value (read back from the PDF with pdftotext).
    void printKeepsTheColumnsAtALargeFont()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        {
            TSettingsStore programKey(TSettingsKey::Program);
            programKey.WriteInteger("ReportForm", "FontSize", 16);
            QVERIFY(programKey.Flush());
        }
        QTemporaryDir folder;
        TReportForm form;
        form.SetTabStops({110, 170, 0});
        TDocumentReport report;
        report.Lines = {{"Fluid Pressure Drop\t12.53\tkPa", false}, {"Duty\t204729\tBtu/hr", false}};
        form.ShowReport(report);
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", PrintToPdf(form, folder), "-"});
        QVERIFY(pdftotext.waitForFinished());
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(QRegularExpression("Fluid Pressure Drop {2,}12\\.53 {2,}kPa").match(text).hasMatch(), qPrintable(text));
    }

    void mailArguments()
    {
        TMapiControl mail;
        mail.Subject = "Vantor";
        mail.Body = "Duty\t18.3\tkW\n";
        mail.Recipients = {"a@example.com", "b@example.com"};
        mail.CopyTo = {"c@example.com"};
        mail.AttachedFiles = {"/tmp/x/coil.hqx"};
        QCOMPARE(mail.Arguments(), QStringList({"--utf8", "--cc", "c@example.com", "--subject", "Vantor", "--body",
                                                "Duty\t18.3\tkW\n", "--attach", "/tmp/x/coil.hqx", "a@example.com",
                                                "b@example.com"}));
    }

    void mailFailureIsShown_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("result");
        QTest::newRow("no mailer") << "exit 3" << int(TMapiControl::kSent);
        QTest::newRow("no xdg-email") << "" << int(TMapiControl::kNotSupported);
    }

    void mailFailureIsShown()
    {
        QFETCH(QString, script);
        QFETCH(int, result);
        QTemporaryDir folder;
        TReportForm form;
        form.Mail().Program = StandInProgram(folder.path(), script);
        QVERIFY(!form.Mail().Program.isEmpty());
        const auto prompts = ScriptPrompts(form.Mail());
        QCOMPARE(form.Mail().Send(), result);
        QTRY_COMPARE(prompts->Messages, QStringList{TMapiControl::NoMailProgramText()});
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Warning);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("fileName");  // relative to the working folder; empty: none
        QTest::addColumn<bool>("startupTime");
        QTest::newRow("hyphen in the path") << QStringList{"my-coils/a.hqx"} << "my-coils/a.hqx" << false;
        QTest::newRow("blank in the name") << QStringList{"my-coils/b", "c.hqx"} << "my-coils/b c.hqx" << false;
        QTest::newRow("switches are no file") << QStringList{"-automation", "--startup-time"} << "" << true;
        QTest::newRow("switch beside a file") << QStringList{"-embedding", "my-coils/a.hqx"} << "my-coils/a.hqx"
                                               << false;
        QTest::newRow("slash switch beside a file") << QStringList{"/Automation", "my-coils/a.hqx"} << "my-coils/a.hqx"
                                                     << false;
        QTest::newRow("missing file") << QStringList{"my-coils/none.hqx"} << "" << false;
        QTest::newRow("a folder") << QStringList{"my-coils"} << "" << false;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, fileName);
        QFETCH(bool, startupTime);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("my-coils"));
        for (const char* name : {"my-coils/a.hqx", "my-coils/b c.hqx"}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const TCommandLine parsed = ParseCommandLine(arguments);
        QDir::setCurrent(before);
        QCOMPARE(parsed.FileName, fileName.isEmpty() ? QString() : QDir(folder.path()).absoluteFilePath(fileName));
        QCOMPARE(parsed.StartupTime, startupTime);
    }
};

VANTOR_GUI_TEST_MAIN(ReportFormTest)
#include "report_window_test.moc"
