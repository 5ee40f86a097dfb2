// The program's prompts: the extension a save dialog adds from the chosen filter.

#include "gui/common/prompts.h"
#include "gui/gui_test_main.h"

using namespace vantor;

class PromptsTest : public QObject {
    Q_OBJECT

private slots:
    void filterExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        const QString pictures = "PNG picture (*.png)";
        const QString pdf = "PDF document (*.pdf)";
        QTest::newRow("no extension takes the chosen one") << "/tmp/chart" << pdf << "/tmp/chart.pdf";
        QTest::newRow("the first of several patterns") << "a" << "Text Files (*.ini *.txt)" << "a.ini";
        QTest::newRow("an offered extension stays") << "/tmp/chart.png" << pdf << "/tmp/chart.png";
        QTest::newRow("an extension nobody offers") << "/tmp/report.v2" << pdf << "/tmp/report.v2.pdf";
        QTest::newRow("a dot in a folder is no extension") << "/tmp/v1.2/chart" << pictures << "/tmp/v1.2/chart.png";
        QTest::newRow("all files add nothing") << "notes" << "All Files (*)" << "notes";
        QTest::newRow("nothing chosen stays nothing") << "" << "CSV file (*.csv)" << "";
    }
    void filterExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        const QString filters = "PNG picture (*.png);;PDF document (*.pdf);;Text Files (*.ini *.txt);;All Files (*)";
        // "All Files" among the filters lets any extension stand.
        const QString offered = chosen.contains("(*)") ? filters : QString(filters).remove(";;All Files (*)");
        QCOMPARE(WithFilterExtension(name, chosen, offered), expected);
    }
};

VANTOR_GUI_TEST_MAIN(PromptsTest)
#include "prompts_test.moc"
