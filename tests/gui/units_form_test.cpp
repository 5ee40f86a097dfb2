// The units picker: its list, its size, and that every way of closing it picks the unit
// highlighted.

#include "gui/forms/units_form.h"
#include "gui_test_helpers.h"
#include "gui_test_main.h"

#include <QListWidget>

using namespace vantor;
using namespace vantor::test;

class UnitsFormTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheUnitsOfTheTypeWithTheCurrentHighlighted()
    {
        const TUnitsForm picker(utTemperature, 1);
        QStringList labels;
        for (int i = 0; i < picker.List().count(); ++i) labels << picker.List().item(i)->text();
        QCOMPARE(labels, QStringList({"°C", "°F", "K"}));
        QCOMPARE(picker.SelectedIndex(), 1);
        // Three items and half an item of room: no scroll bar.
        QVERIFY(picker.height() >= 3 * picker.List().sizeHintForRow(0));
    }

    void closingPicksTheHighlightedUnit_data()
    {
        QTest::addColumn<int>("closeKey");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("escape does not cancel") << int(Qt::Key_Escape);
    }

    void closingPicksTheHighlightedUnit()
    {
        QFETCH(int, closeKey);
        OnNextModal([closeKey](QWidget& window) {
            auto& list = static_cast<TUnitsForm&>(window).List();
            QTest::keyClick(&list, Qt::Key_Down);
            QTest::keyClick(&list, static_cast<Qt::Key>(closeKey));
        });
        QCOMPARE(TUnitsForm::Pick(utTemperature, 0, QPoint(10, 10), nullptr), 1);
    }

    void clickPicksTheItem()
    {
        OnNextModal([](QWidget& window) {
            auto& list = static_cast<TUnitsForm&>(window).List();
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
        });
        QCOMPARE(TUnitsForm::Pick(utTemperature, 0, QPoint(10, 10), nullptr), 2);
    }
};

VANTOR_GUI_TEST_MAIN(UnitsFormTest)
#include "units_form_test.moc"
