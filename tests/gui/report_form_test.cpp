// The report window: copying, the font kept between runs, printing to a PDF file and the
// mail command; and the desktop program's command line.

#include "gui/forms/mapi_control.h"
#include "gui/forms/report_form.h"
#include "gui/widgets/report_view.h"
#include "gui_test_helpers.h"
#include "gui_test_main.h"
#include "settings/settings_store.h"
#include "startup.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>

using namespace vantor;
using namespace vantor::test;

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

    void printsToPdf()
    {
        QTemporaryDir folder;
        TReportForm form;
        form.Title = "Vantor";
        TDocumentReport report;
        report.Lines = {{"Hot Water Coil", true}, {"Duty\t18.3\tkW", false}};
        form.ShowReport(report);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("report.pdf"));
        form.PrintTo(printer);
        QFile pdf(folder.filePath("report.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QCOMPARE(printer.docName(), QString("Vantor"));
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
        QString program = folder.filePath("missing-mailer");
        if (!script.isEmpty()) {
            program = folder.filePath("mailer");
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(("#!/bin/sh\n" + script + "\n").toUtf8());
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        form.Mail().Program = program;
        QString shown;
        CloseNextMessageBox(shown);
        QCOMPARE(form.Mail().Send(), result);
        QTRY_COMPARE(shown, TMapiControl::NoMailProgramText());
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
#include "report_form_test.moc"
