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
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension takes the filter's") << "/tmp/chart" << "PDF document (*.pdf)" << "/tmp/chart.pdf";
        QTest::newRow("the first of several patterns") << "a" << "Text Files (*.ini *.txt)" << "a.ini";
        QTest::newRow("an extension of its own stays") << "/tmp/chart.png" << "PDF document (*.pdf)" << "/tmp/chart.png";
        QTest::newRow("a dot in a folder is no extension")
            << "/tmp/v1.2/chart" << "PNG picture (*.png)" << "/tmp/v1.2/chart.png";
        QTest::newRow("all files add nothing") << "notes" << "All Files (*)" << "notes";
        QTest::newRow("nothing chosen stays nothing") << "" << "CSV file (*.csv)" << "";
    }
    void filterExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(WithFilterExtension(name, filter), expected);
    }
};

VANTOR_GUI_TEST_MAIN(PromptsTest)
#include "prompts_test.moc"
