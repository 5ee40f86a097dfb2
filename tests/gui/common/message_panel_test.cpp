// The status-line message panel: a long text wraps inside the room the other panels leave,
// the status line grows to show it and shrinks again, the window keeps its width.

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
};

VANTOR_GUI_TEST_MAIN(MessagePanelTest)
#include "message_panel_test.moc"
