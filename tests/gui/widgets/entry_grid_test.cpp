// The entry grid's editing rules, driven by keys and clicks and checked on its property rows.

#include "gui/widgets/custom_edit.h"
#include "gui/widgets/entry_grid.h"
#include "gui/widgets/row_controls.h"
#include "gui/common/units_picker.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/scripted_prompts.h"
#include "rows/num_field.h"

#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace vantor;
using namespace vantor::test;

using TGridOperation = std::function<void(TEntryGrid&)>;
Q_DECLARE_METATYPE(TGridOperation)

namespace {

enum Row { CoilModel = 1, Barometer, OnCoil, FluidControl, FluidInlet, Steps, Pump, FinCount };

const std::vector<std::string> kLines = {
    "Property; Value; Units",
    "Coil Model; %s; ; PE",
    "Barometer; %0.3f; kPa; PE; 70; 120",
    "On Coil; %0.1f/%0.1f; °C; PE; -10; 45",
    "Fluid Control; enum; ; Temperature; Flow",
    "Fluid Inlet; %0.1f; °C; NPE; 5.0; 150",
    "Steps; %0.1f; ; Spin; -10; 10",
    "Pump; check",
    "Fin Count; %d; ; NPE; 0; 100",
};

}  // namespace

class EntryGridTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TEntryGrid> m_grid;
    std::unique_ptr<QSignalSpy> m_setData;
    std::unique_ptr<QSignalSpy> m_beeps;

    TEntryGrid& Grid() { return *m_grid; }
    QString Cell(int row) const { return QString::fromStdString(m_grid->Rows().Cell(1, row)); }
    double Stored(int row) const { return *VariantNumber(m_grid->GetValue(1, row)); }

    void Select(int row, int col = 1)
    {
        m_grid->SelectCell(col, row);
        m_grid->setFocus();
    }
    QPoint CellCentre(int col, int row) const { return m_grid->CellRect(col, row).center(); }
    bool Notified(int row) const
    {
        return m_setData->count() == 1 && m_setData->at(0).at(0).toInt() == 1 && m_setData->at(0).at(1).toInt() == row;
    }

private slots:
    void init()
    {
        m_grid = std::make_unique<TEntryGrid>();
        m_grid->resize(400, 300);
        m_grid->SetRows(kLines);
        m_grid->SetUnits(Barometer, utPressureBar, 0, 0, ft_Fixed, 1.0, 0.0);
        m_grid->SetUnits(FluidInlet, utTemperature, 0, 0, ft_Fixed, 1.0, 0.0);
        m_grid->SetValue(1, Barometer, 101.325);
        m_grid->SetValue(1, FluidInlet, 45.0);
        QVERIFY(ShowActive(*m_grid));
        m_setData = std::make_unique<QSignalSpy>(m_grid.get(), &TEntryGrid::OnDoSetData);
        m_beeps = std::make_unique<QSignalSpy>(m_grid.get(), &TEntryGrid::Beeped);
    }

    void cleanup()
    {
        m_setData.reset();
        m_beeps.reset();
        m_grid.reset();
    }

    void typedKeysAreFilteredByTheRowFormat_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("editorText");
        QTest::addColumn<int>("beeps");
        QTest::newRow("real refuses letters") << int(Barometer) << "1a2.5" << "12.5" << 1;
        QTest::newRow("pair takes the slash") << int(OnCoil) << "24/17x" << "24/17" << 1;
        QTest::newRow("integer refuses the point") << int(FinCount) << "1.5" << "15" << 1;
        QTest::newRow("text takes anything") << int(CoilModel) << "4r 12f" << "4r 12f" << 0;
    }

    void typedKeysAreFilteredByTheRowFormat()
    {
        QFETCH(int, row);
        QFETCH(QString, keys);
        QFETCH(QString, editorText);
        QFETCH(int, beeps);
        Select(row);
        Type(keys);
        QVERIFY(Grid().Editor());
        QCOMPARE(Grid().Editor()->text(), editorText);
        QCOMPARE(m_beeps->count(), beeps);
        QCOMPARE(m_setData->count(), 0);
    }

    void enteredTextIsCheckedAndShownInTheRowFormat_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("beeped");
        QTest::newRow("in range") << int(Barometer) << "101.3" << "101.300" << false;
        QTest::newRow("above the range: the high limit") << int(Barometer) << "150" << "120.000" << true;
        QTest::newRow("within half a per cent of the low limit") << int(Barometer) << "69.8" << "69.800" << false;
        QTest::newRow("below the range: the low limit") << int(Barometer) << "60" << "70.000" << true;
        QTest::newRow("pair") << int(OnCoil) << "24/17" << "24.0/17.0" << false;
        QTest::newRow("pair with one number") << int(OnCoil) << "24" << "24.0" << false;
        QTest::newRow("pair above the range") << int(OnCoil) << "50/17" << "45.0/17.0" << true;
        QTest::newRow("integer") << int(FinCount) << "12" << "12" << false;
        QTest::newRow("text") << int(CoilModel) << "544 720 4r 12f 7c" << "544 720 4r 12f 7c" << false;
    }

    void enteredTextIsCheckedAndShownInTheRowFormat()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, beeped);
        Select(row);
        Type(typed);
        Press(Qt::Key_Return);
        QVERIFY(!Grid().Editor());
        QCOMPARE(Cell(row), shown);
        QCOMPARE(m_beeps->count(), beeped ? 1 : 0);
        QVERIFY(Notified(row));
    }

    void textThatIsNoNumberLeavesTheCell_data()
    {
        // An empty text or a lone sign would read as 0 and become the low limit.
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "abc";
        QTest::newRow("a lone minus") << "-";
        QTest::newRow("a lone point") << ".";
        QTest::newRow("empty") << "";
    }

    void textThatIsNoNumberLeavesTheCell()
    {
        QFETCH(QString, typed);
        Select(Barometer);
        Press(Qt::Key_Return);
        if (typed.isEmpty()) {
            Grid().Editor()->clear();
        } else {
            QApplication::clipboard()->setText(typed);
            Press(Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(Grid().Editor()->text(), typed);
        Press(Qt::Key_Return);
        QCOMPARE(Cell(Barometer), QString("101.325"));
        QCOMPARE(m_beeps->count(), 1);
        QCOMPARE(m_setData->count(), 0);
    }

    void enterOpensTheEditorAndEscapeKeepsTheCell()
    {
        Select(FluidInlet);
        Press(Qt::Key_Return);
        QVERIFY(Grid().Editor());
        QCOMPARE(Grid().Editor()->selectedText(), QString("45.0"));
        Type("99");
        Press(Qt::Key_Escape);
        QVERIFY(!Grid().Editor());
        QCOMPARE(Cell(FluidInlet), QString("45.0"));
        QCOMPARE(m_setData->count(), 0);
    }

    void leavingTheCellEndsTheEdit()
    {
        Select(FluidInlet);
        Type("80");
        Grid().SelectCell(1, Barometer);
        QVERIFY(!Grid().Editor());
        QCOMPARE(Stored(FluidInlet), 80.0);
        QVERIFY(Notified(FluidInlet));
    }

    void editorIsOnlyForEditableValueCells_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("name column") << 0 << int(Barometer);
        QTest::newRow("units column") << 2 << int(Barometer);
        QTest::newRow("enumeration") << 1 << int(FluidControl);
        QTest::newRow("check box") << 1 << int(Pump);
    }

    void editorIsOnlyForEditableValueCells()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        Select(row, col);
        Press(Qt::Key_Return);
        QVERIFY(!Grid().Editor());
    }

    void arrowKeysStepThroughAnEnumerationRow_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("right: next") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("right from the last: the first") << 1 << int(Qt::Key_Right) << 0;
        QTest::newRow("left from the first: the last") << 0 << int(Qt::Key_Left) << 1;
    }

    void arrowKeysStepThroughAnEnumerationRow()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        Grid().SetValue(1, FluidControl, static_cast<long long>(from));
        Select(FluidControl);
        Press(static_cast<Qt::Key>(key));
        QCOMPARE(Grid().GetValue(1, FluidControl), TVariant(static_cast<long long>(to)));
        QCOMPARE(Grid().CurrentCol(), 1);
        QVERIFY(Notified(FluidControl));
    }

    void doubleClickStepsAnEnumerationRow()
    {
        Select(FluidControl);
        QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(1, FluidControl));
        QCOMPARE(Cell(FluidControl), QString("Flow"));
        QVERIFY(m_setData->count() >= 1);
    }

    void dropDownListPicksAnItem()
    {
        Select(FluidControl);
        const TRowControls& controls = Grid().RowControls();
        QVERIFY(controls.DropDownButton().isVisible());
        QTest::mouseClick(&controls.DropDownButton(), Qt::LeftButton);
        QVERIFY(controls.ListVisible());
        QCOMPARE(controls.List().count(), 2);
        QCOMPARE(controls.List().currentRow(), 0);
        const QRect flow = controls.List().visualItemRect(controls.List().item(1));
        QTest::mousePress(controls.List().viewport(), Qt::LeftButton, {}, flow.center());
        QVERIFY(!controls.ListVisible());
        QCOMPARE(Cell(FluidControl), QString("Flow"));
        QVERIFY(Notified(FluidControl));
    }

    // The list keeps to the keys while the owner refreshes its rows on every change, as the
    // windows do: each key released sets the value, only Enter or Escape closes the list.
    void listKeys()
    {
        connect(m_grid.get(), &TEntryGrid::OnDoSetData, m_grid.get(), [this] { m_grid->RowsChanged(); });
        Grid().SetEnumStrings(FluidControl, {"Temperature", "Flow", "Capacity", "Bypass"});
        Select(FluidControl);
        const TRowControls& controls = Grid().RowControls();
        const auto open = [&] {
            QTest::mouseClick(&controls.DropDownButton(), Qt::LeftButton);
            QVERIFY(controls.ListVisible());
            QTRY_COMPARE(QApplication::focusWidget(), &controls.List());
        };
        open();
        const auto step = [&](Qt::Key key, const QString& shown, int notices) {
            Press(key);
            QVERIFY2(controls.ListVisible(), qPrintable(shown));
            QCOMPARE(QApplication::focusWidget(), &controls.List());
            QCOMPARE(Cell(FluidControl), shown);
            QCOMPARE(controls.List().currentItem()->text(), shown);
            QCOMPARE(m_setData->count(), notices);
        };
        step(Qt::Key_Down, "Flow", 1);
        step(Qt::Key_Down, "Capacity", 2);
        step(Qt::Key_End, "Bypass", 3);
        step(Qt::Key_Down, "Bypass", 3);  // the last stays; nothing changed, nothing told
        step(Qt::Key_Home, "Temperature", 4);
        step(Qt::Key_Up, "Temperature", 4);
        step(Qt::Key_Down, "Flow", 5);
        QCOMPARE(Grid().CurrentRow(), int(FluidControl));

        Press(Qt::Key_Return);
        QVERIFY(!controls.ListVisible());
        QTRY_VERIFY(Grid().hasFocus());
        QCOMPARE(Grid().CurrentRow(), int(FluidControl));
        QCOMPARE(Cell(FluidControl), QString("Flow"));
        QVERIFY(controls.DropDownButton().isVisible());

        open();
        QCOMPARE(controls.List().currentItem()->text(), QString("Flow"));
        Press(Qt::Key_Escape);
        QVERIFY(!controls.ListVisible());
        QTRY_VERIFY(Grid().hasFocus());
        QCOMPARE(m_setData->count(), 5);

        // A refresh that changes the row's strings is a new list: the old one closes.
        open();
        Grid().SetEnumStrings(FluidControl, {"Temperature", "Flow"});
        QVERIFY(!controls.ListVisible());
    }

    void spinButtonsStepOnTheIncrementGrid_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<bool>("up");
        QTest::addColumn<double>("to");
        QTest::newRow("up between grid points") << 2.35 << true << 3.0;
        QTest::newRow("up from a negative value") << -2.35 << true << -2.0;
        QTest::newRow("up from a grid point") << 3.0 << true << 4.0;
        QTest::newRow("down between grid points") << 2.35 << false << 2.0;
        QTest::newRow("up near the limit stops there") << 9.5 << true << 10.0;
    }

    void spinButtonsStepOnTheIncrementGrid()
    {
        QFETCH(double, from);
        QFETCH(bool, up);
        QFETCH(double, to);
        Grid().SetValue(1, Steps, from);
        Select(Steps);
        const TRowControls& controls = Grid().RowControls();
        QToolButton& button = up ? controls.SpinUpButton() : controls.SpinDownButton();
        QVERIFY(button.isVisible());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(Stored(Steps), to);
        QVERIFY(Notified(Steps));
    }

    void spinAtTheLimitDoesNothing()
    {
        Grid().SetValue(1, Steps, 10.0);
        Select(Steps);
        QTest::mouseClick(&Grid().RowControls().SpinUpButton(), Qt::LeftButton);
        QCOMPARE(Stored(Steps), 10.0);
        QCOMPARE(m_setData->count(), 0);
    }

    void checkBoxWritesTheRow()
    {
        Grid().SetValue(1, Pump, false);
        Select(Pump);
        QCheckBox& check = Grid().RowControls().CheckBox();
        QVERIFY(check.isVisible());
        QVERIFY(!check.isChecked());
        QStyleOptionButton option;
        option.initFrom(&check);
        const QRect box = check.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &check);
        QTest::mouseClick(&check, Qt::LeftButton, {}, box.center());
        QCOMPARE(Grid().GetValue(1, Pump), TVariant(true));
        QCOMPARE(Cell(Pump), QString("[x]"));
        QVERIFY(Notified(Pump));
    }

    void changingUnitsKeepsTheQuantity()
    {
        Grid().SetUnits(FluidInlet, utTemperature, 0, 1, ft_Fixed, 1.0, 0.0);
        QCOMPARE(Cell(FluidInlet), QString("113.0"));
        QCOMPARE(QString::fromStdString(Grid().Rows().Cell(2, FluidInlet)), QString("°F"));
        QCOMPARE(Stored(FluidInlet), 45.0);
        QCOMPARE(Grid().Rows().RowRangeHi(FluidInlet), 302.0);
    }

    void unitCellOpensThePicker()
    {
        Grid().SetOnUnitsClick(TEntryGrid::UnitsPicker);
        QSignalSpy afterUnits(&Grid(), &TEntryGrid::OnAfterRightClick);
        QStringList listed;
        OnNextModal([&listed](QWidget& window) {
            auto* picker = qobject_cast<TUnitsForm*>(&window);
            if (!picker) return;
            for (int i = 0; i < picker->List().count(); ++i) listed << picker->List().item(i)->text();
            QTest::keyClick(&picker->List(), Qt::Key_Down);
            QTest::keyClick(&picker->List(), Qt::Key_Down);
            QTest::keyClick(&picker->List(), Qt::Key_Escape);  // keeps the unit highlighted
        });
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(2, FluidInlet));
        QCOMPARE(listed, QStringList({"°C", "°F", "K"}));
        QCOMPARE(Cell(FluidInlet), QString("318.15"));
        QCOMPARE(Stored(FluidInlet), 45.0);
        QCOMPARE(afterUnits.count(), 1);
        QCOMPARE(afterUnits.at(0).at(0).toInt(), int(FluidInlet));
    }

    void unitCellOfATextRowOpensNothing()
    {
        Grid().SetOnUnitsClick(TEntryGrid::UnitsPicker);
        Grid().SetValue(1, CoilModel, std::string("544 720 4r 12f 7c"));
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(2, CoilModel));
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(Cell(CoilModel), QString("544 720 4r 12f 7c"));
    }

    void failedRowOperationsSayWhichRow_data()
    {
        QTest::addColumn<TGridOperation>("operation");
        QTest::addColumn<QString>("message");
        QTest::newRow("units of a text row") << TGridOperation([](TEntryGrid& grid) {
            grid.SetUnits(CoilModel, utTemperature, 0, 1, ft_Fixed, 1.0, 0.0);
        }) << "Error setting units, row 1";
        QTest::newRow("enum strings of a numeric row")
            << TGridOperation([](TEntryGrid& grid) { grid.SetEnumStrings(Barometer, {"a", "b"}); })
            << "Error setting enum strings, row 2";
        QTest::newRow("significant digits of a text row")
            << TGridOperation([](TEntryGrid& grid) { grid.SetSigDigs(CoilModel, 3); })
            << "Error setting significant digits, row 1";
        QTest::newRow("enabling a row beyond the rows")
            << TGridOperation([](TEntryGrid& grid) { grid.SetRowEnabled(99, false); }) << "Error setting enabled row 99";
        QTest::newRow("property editor beyond the rows") << TGridOperation([](TEntryGrid& grid) {
            grid.SetPropertyEditor(99, [](TVariant&) { return TPropEditAnswer::Accepted; });
        }) << "Error setting property editor, row 99";
    }

    void failedRowOperationsSayWhichRow()
    {
        QFETCH(TGridOperation, operation);
        QFETCH(QString, message);
        const auto prompts = ScriptPrompts(Grid());
        operation(Grid());
        QCOMPARE(prompts->Messages, QStringList{message});
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Information);
    }

    void aLineThatDescribesNoRowIsAnErrorAndATextRow()
    {
        const auto prompts = ScriptPrompts(Grid());
        Grid().SetRows({"Property; Value; Units", "Design Duty; %0.1f; kW; PE; low; 500", "Pump; check"});
        QCOMPARE(prompts->Messages, QStringList{"Error initialising Design Duty"});
        QCOMPARE(prompts->Kinds.front(), TMessageKind::Error);
        QCOMPARE(Grid().Rows().RowCount(), 3);  // the header, the text row and "Pump"
    }

    void disabledRowIsGreyAndTakesNoEdits()
    {
        Grid().SetRowEnabled(FluidControl, false);
        Grid().SetRowEnabled(FluidInlet, false);
        const QModelIndex inlet = Grid().model()->index(FluidInlet - 1, 1);
        QCOMPARE(Grid().model()->data(inlet, Qt::ForegroundRole).value<QColor>(),
                 QApplication::palette().color(QPalette::Disabled, QPalette::Text));
        Select(FluidInlet);
        Press(Qt::Key_Return);
        QVERIFY(!Grid().Editor());
        Select(FluidControl);
        QCOMPARE(Grid().RowControls().Shown(), TRowControls::None);
        Press(Qt::Key_Right);
        QCOMPARE(Cell(FluidControl), QString("Temperature"));
    }

    void propertyEditorButtonNeedsAHandler()
    {
        Select(Barometer);
        QVERIFY(!Grid().RowControls().PropEditButton().isVisible());
        TVariant handed;
        Grid().SetPropertyEditor(Barometer, [&handed](TVariant& value) {
            handed = value;
            value = 95.0;
            return TPropEditAnswer::Accepted;
        });
        QToolButton& button = Grid().RowControls().PropEditButton();
        QVERIFY(button.isVisible());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(handed, TVariant(101.325));
        QCOMPARE(Cell(Barometer), QString("95.000"));
        QVERIFY(Notified(Barometer));
    }

    void cancelledPropertyEditorChangesNothing()
    {
        for (const TPropEditAnswer answer : {TPropEditAnswer::Cancelled, TPropEditAnswer::Ignored}) {
            Grid().SetPropertyEditor(Barometer, [answer](TVariant& value) {
                value = 80.0;
                return answer;
            });
            Select(Barometer);
            QTest::mouseClick(&Grid().RowControls().PropEditButton(), Qt::LeftButton);
            QCOMPARE(Cell(Barometer), QString("101.325"));
            QCOMPARE(m_setData->count(), 0);
        }
    }

    void editorMayRebuildTheRows()
    {
        Grid().SetPropertyEditor(Barometer, [this](TVariant& value) {
            m_grid->SetRows(kLines);
            value = 90.0;
            return TPropEditAnswer::Accepted;
        });
        Select(Barometer);
        QTest::mouseClick(&Grid().RowControls().PropEditButton(), Qt::LeftButton);
        QCOMPARE(Cell(Barometer), QString("90.000"));
    }

    void notificationMayRebuildTheRowsDuringAnEdit()
    {
        connect(m_grid.get(), &TEntryGrid::OnDoSetData, m_grid.get(), [this] { m_grid->SetRowEnabled(FinCount, false); });
        Select(FluidInlet);
        Type("60");
        Press(Qt::Key_Return);
        QVERIFY(!Grid().Editor());
        QCOMPARE(Stored(FluidInlet), 60.0);
        QVERIFY(!Grid().Rows().RowEnabled(FinCount));
    }
};

VANTOR_GUI_TEST_MAIN(EntryGridTest)
#include "entry_grid_test.moc"
