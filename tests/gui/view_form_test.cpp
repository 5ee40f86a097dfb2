// The viewer: report lines written into its box, and its placement kept between runs.

#include "gui/forms/view_form.h"
#include "gui/widgets/report_view.h"
#include "gui_test_main.h"

#include <QTextBlock>
#include <QTextDocument>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class ViewFormTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void linesAreWrittenBoldOrRegular()
    {
        TViewForm viewer;
        viewer.Box().AppendLine("Coil Manufacturing Report", true);
        viewer.Box().AppendLine("Height\t544.0\tmm", false);
        viewer.Box().AppendLine("", false);
        QCOMPARE(viewer.windowTitle(), QString("Viewer"));
        QCOMPARE(viewer.Box().toPlainText(), QString("Coil Manufacturing Report\nHeight\t544.0\tmm\n\n"));
        const QTextDocument& document = *viewer.Box().document();
        QCOMPARE(document.findBlockByNumber(0).begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(document.findBlockByNumber(1).begin().fragment().charFormat().fontWeight(), int(QFont::Normal));
        QCOMPARE(document.defaultTextOption().tabs().size(), 2);
        QVERIFY(viewer.Box().isReadOnly());
    }

    void placementIsKept()
    {
        auto viewer = std::make_unique<TViewForm>();
        viewer->show();
        viewer->resize(320, 400);
        viewer->move(40, 50);
        viewer->hide();
        viewer = std::make_unique<TViewForm>();
        QCOMPARE(viewer->size(), QSize(320, 400));
        QCOMPARE(viewer->pos(), QPoint(40, 50));
    }
};

VANTOR_GUI_TEST_MAIN(ViewFormTest)
#include "view_form_test.moc"
