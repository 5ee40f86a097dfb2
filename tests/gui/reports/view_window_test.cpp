// The viewer: report lines written into its box, and its placement kept between runs.

#include "gui/reports/view_window.h"
#include "gui/widgets/report_view.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"

#include <QScreen>
#include <QScrollBar>
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

    // The viewer opens at the size that shows its text, within the screen.
    void opensAtTheSizeOfItsText()
    {
        TViewForm viewer;
        viewer.Box().AppendLine("Coil Manufacturing Report", true);
        for (int line = 0; line < 20; ++line)
            viewer.Box().AppendLine("Fin surface efficiency, wet and dry\t0.81344\t(fraction of the bare fin)", false);
        QVERIFY(ShowExposed(viewer));
        QVERIFY2(viewer.width() > 190 && viewer.height() > 230,
                 qPrintable(QString("%1 x %2").arg(viewer.width()).arg(viewer.height())));
        QTRY_COMPARE(viewer.Box().horizontalScrollBar()->maximum(), 0);
        QCOMPARE(viewer.Box().verticalScrollBar()->maximum(), 0);
        viewer.hide();

        // A text longer and wider than the screen: as large as the screen allows, no larger.
        for (int line = 0; line < 200; ++line) viewer.Box().AppendLine(QString(300, 'X').toStdString(), false);
        viewer.show();
        const QRect room = viewer.screen()->availableGeometry();
        QVERIFY(viewer.width() <= room.width() && viewer.height() <= room.height());
        QVERIFY(viewer.width() > room.width() / 2 && viewer.height() > room.height() / 2);
        QVERIFY(room.contains(viewer.frameGeometry()));
        viewer.hide();
        QVERIFY(!viewer.UserSized());
    }

    // A size the user gives the viewer is kept, also at the next start, whatever it shows.
    void userSizeIsKept()
    {
        auto viewer = std::make_unique<TViewForm>();
        viewer->Box().AppendLine("Hot Water Coil Diagnostics", true);
        viewer->show();
        viewer->resize(300, 260);
        viewer->hide();
        QVERIFY(viewer->UserSized());
        viewer = std::make_unique<TViewForm>();
        for (int line = 0; line < 40; ++line) viewer->Box().AppendLine(QString(120, 'X').toStdString(), false);
        viewer->show();
        QCOMPARE(viewer->size(), QSize(300, 260));
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
#include "view_window_test.moc"
