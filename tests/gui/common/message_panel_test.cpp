// The status-line message panel: a long text wraps inside the room the other panels leave,
// the status line grows to show it and shrinks again, the window keeps its width. In a
// status line of fixed panels, a message too long for the room beside them takes a line of
// its own under them.

#include "gui/common/message_panel.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"

#include <QMainWindow>
#include <QStatusBar>

using namespace vantor;
using namespace vantor::test;

namespace {

const QString kShort = QStringLiteral("Ready...");
const QString kLong = QStringLiteral(
    "El Alto Airport lies at 4061 m, above the calculator's 3063.8 m: barometer held at 70 kPa");

}  // namespace

class MessagePanelTest : public QObject {
    Q_OBJECT

private slots:
    void wrapsBesideFixedPanels()
    {
        QMainWindow window;
        for (int i = 0; i < 2; ++i) {
            auto* fixed = new QLabel(QStringLiteral("Not Solved"), &window);
            fixed->setFixedWidth(90);
            window.statusBar()->addWidget(fixed);
        }
        TMessagePanel* panel = AddMessagePanel(*window.statusBar());
        window.setCentralWidget(new QWidget(&window));
        window.resize(360, 240);
        QVERIFY(ShowExposed(window));

        panel->SetMessage(kShort);
        QTRY_VERIFY(ShowsWholeText(*panel));
        const int oneLine = window.statusBar()->height();
        QVERIFY(panel->width() > 360 - 2 * 90 - 40);  // the rest of the line

        panel->SetMessage(kLong);
        QTRY_VERIFY(ShowsWholeText(*panel));
        QVERIFY(window.statusBar()->height() >= oneLine + panel->fontMetrics().lineSpacing());
        QCOMPARE(panel->toolTip(), kLong);
        QCOMPARE(window.width(), 360);

        panel->SetMessage(kShort);
        QTRY_COMPARE(window.statusBar()->height(), oneLine);
        QCOMPARE(panel->toolTip(), kShort);
    }

    void aLongMessageTakesALineOfItsOwn()
    {
        QMainWindow window;
        auto* line = new TStatusLine(2, 90);
        window.statusBar()->addWidget(line, 1);
        window.setCentralWidget(new QWidget(&window));
        window.resize(404, 300);
        QVERIFY(ShowExposed(window));
        TMessagePanel& message = line->Message();

        message.SetMessage(QStringLiteral("coil.hqx"));
        QTRY_VERIFY(ShowsWholeText(message));
        QVERIFY(!line->MessageOnItsOwnLine());
        QCOMPARE(message.y(), line->Fixed(0).y());
        const int oneLine = line->height();

        message.SetMessage(kLong);
        QTRY_VERIFY(ShowsWholeText(message));
        QVERIFY(line->MessageOnItsOwnLine());
        QVERIFY(message.y() >= line->Fixed(0).geometry().bottom());
        QCOMPARE(message.width(), line->width());
        // Under the panels the text needs fewer lines than in the room beside them.
        const int lines = (message.contentsRect().height() + 1) / message.fontMetrics().lineSpacing();
        QVERIFY2(lines <= 2, qPrintable(QString::number(lines)));
        for (int panel = 0; panel < 2; ++panel) QCOMPARE(line->Fixed(panel).width(), 90);
        QCOMPARE(window.width(), 404);

        message.SetMessage(QStringLiteral("coil.hqx"));
        QTRY_COMPARE(line->height(), oneLine);
        QVERIFY(!line->MessageOnItsOwnLine());
    }
};

VANTOR_GUI_TEST_MAIN(MessagePanelTest)
#include "message_panel_test.moc"
