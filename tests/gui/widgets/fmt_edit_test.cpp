// The formatted number edit: typed keys, the check at Enter and on leaving, units through its
// label, and the stored value it reads.

#include "gui/common/units_picker.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/widgets/fmt_edit_label.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalSpy>

#include <memory>

using namespace vantor;
using namespace vantor::test;

class FmtEditTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_window;
    TFmtEdit* m_edit = nullptr;
    TFmtEdit* m_other = nullptr;
    TFmtEditLabel* m_label = nullptr;
    std::unique_ptr<QSignalSpy> m_beeps;

    TFmtEdit& Edit() { return *m_edit; }

    // A barometer edit: "%0.3f", kPa, 70 to 120.
    void MakeBarometer()
    {
        Edit().SetFormatStr("%0.3f");
        Edit().SetUnitsType(utPressureBar);
        Edit().SetRange(70, 120);
        Edit().SetValue(101.325);
    }

    // Replaces the text as a user does: into the edit, all selected, then the keys.
    void Retype(const QString& text)
    {
        Edit().setFocus();
        Edit().selectAll();
        Type(text);
    }

    double StoredValue() { return *VariantNumber(Edit().Value()); }

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(m_window.get());
        m_edit = new TFmtEdit(m_window.get());
        m_other = new TFmtEdit(m_window.get());
        m_label = new TFmtEditLabel(m_window.get());
        layout->addWidget(m_edit);
        layout->addWidget(m_label);
        layout->addWidget(m_other);
        QVERIFY(ShowActive(*m_window));
        m_beeps = std::make_unique<QSignalSpy>(m_edit, &KzCustomEdit::Beeped);
    }

    void cleanup()
    {
        m_beeps.reset();
        m_window.reset();
    }

    void enterChecksTheTypedValue_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("beeped");
        QTest::newRow("barometer in range") << "%0.3f" << 70.0 << 120.0 << "101.3" << "101.300" << false;
        QTest::newRow("barometer above: the limit") << "%0.3f" << 70.0 << 120.0 << "150" << "120.000" << true;
        QTest::newRow("barometer within half a per cent") << "%0.3f" << 70.0 << 120.0 << "69.8" << "69.800" << false;
        QTest::newRow("below a zero limit") << "%0.1f" << 0.0 << 100.0 << "-1" << "0.0" << true;
        QTest::newRow("within half a per cent above") << "%0.1f" << 0.0 << 100.0 << "100.4" << "100.4" << false;
        QTest::newRow("no range") << "%0.1f" << 0.0 << 0.0 << "1000" << "1000.0" << false;
        QTest::newRow("general takes the exponent") << "%0.4g" << 0.0 << 0.0 << "1.5e3" << "1500" << false;
        QTest::newRow("pair") << "%0.1f/%0.1f" << -10.0 << 45.0 << "24/17" << "24.0/17.0" << false;
        QTest::newRow("pair with one number") << "%0.1f/%0.1f" << -10.0 << 45.0 << "24" << "24.0" << false;
        QTest::newRow("integer") << "%d" << 0.0 << 50.0 << "72" << "50" << true;
    }

    void enterChecksTheTypedValue()
    {
        QFETCH(QString, format);
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, beeped);
        Edit().SetFormatStr(format);
        Edit().SetRange(lo, hi);
        Retype(typed);
        Press(Qt::Key_Return);
        QCOMPARE(Edit().text(), shown);
        QCOMPARE(m_beeps->count(), beeped ? 1 : 0);
        QCOMPARE(QApplication::focusWidget(), m_edit);
    }

    void keysAreFilteredByTheFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("integer refuses point, e and letters") << "%d" << "1.e2x" << "12" << 3;
        QTest::newRow("fixed refuses the exponent") << "%0.2f" << "1e2" << "12" << 1;
        QTest::newRow("general takes the exponent") << "%0.4g" << "1e2" << "1e2" << 0;
        QTest::newRow("pair refuses letters") << "%0.1f/%0.1f" << "24/a17" << "24/17" << 1;
        QTest::newRow("text takes anything") << "%s" << "Ab c" << "Ab c" << 0;
    }

    void keysAreFilteredByTheFormat()
    {
        QFETCH(QString, format);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        Edit().SetFormatStr(format);
        Retype(keys);
        QCOMPARE(Edit().text(), text);
        QCOMPARE(m_beeps->count(), beeps);
        QVERIFY(Edit().isModified());
    }

    void valueReadsStoredUnits()
    {
        MakeBarometer();
        QCOMPARE(Edit().text(), QString("101.325"));
        Edit().SetUnitsValue(1);  // Psi
        QCOMPARE(Edit().text(), QString("14.6959"));
        QCOMPARE(Edit().FormatStr(), QString("%0.4f"));
        QVERIFY(qAbs(StoredValue() - 101.325) < 1e-3);
    }

    void textThatIsNoNumberStaysAsTyped()
    {
        Edit().SetFormatStr("%0.2f");
        Edit().setFocus();
        Edit().setText("abc");
        Edit().setModified(true);
        Press(Qt::Key_Return);
        QCOMPARE(Edit().text(), QString("abc"));
        QCOMPARE(Edit().Value(), TVariant(std::string("abc")));
        QCOMPARE(m_beeps->count(), 0);
    }

    void escapeRestoresTheTextOfEntering()
    {
        MakeBarometer();
        m_other->setFocus();
        Retype("99");  // entering the edit keeps "101.325"
        QCOMPARE(Edit().text(), QString("99"));
        Press(Qt::Key_Escape);
        QCOMPARE(Edit().text(), QString("101.325"));
        QVERIFY(!Edit().isModified());
    }

    void leavingALimitedValueKeepsTheFocus()
    {
        MakeBarometer();
        Retype("150");
        m_other->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), m_edit);
        QCOMPARE(Edit().text(), QString("120.000"));
        QCOMPARE(m_beeps->count(), 1);
        QVERIFY(Edit().isModified());
        m_other->setFocus(Qt::TabFocusReason);  // now in range: the edit lets go
        QTest::qWait(20);
        QCOMPARE(QApplication::focusWidget(), m_other);
    }

    void labelShowsTheUnitAndSwitchesEveryAttachedEdit()
    {
        MakeBarometer();
        m_other->SetFormatStr("%0.3f");
        m_other->SetUnitsType(utPressureBar);
        m_other->SetValue(100.0);
        Edit().SetUnitsLabel(m_label);
        m_other->SetUnitsLabel(m_label);
        QCOMPARE(m_label->text(), QString("kPa"));
        QSignalSpy edited(m_other, &KzCustomEdit::OnUnitsEdited);
        QStringList listed;
        OnNextModal([&listed](QWidget& window) {
            auto* picker = qobject_cast<TUnitsForm*>(&window);
            if (!picker) return;
            for (int i = 0; i < picker->List().count(); ++i) listed << picker->List().item(i)->text();
            QTest::keyClick(&picker->List(), Qt::Key_Down);
            QTest::keyClick(&picker->List(), Qt::Key_Return);
        });
        QTest::mouseClick(m_label, Qt::LeftButton);
        QCOMPARE(listed.first(), QString("kPa"));
        QCOMPARE(m_label->text(), QString("Psi"));
        QCOMPARE(Edit().text(), QString("14.6959"));
        QCOMPARE(m_other->text(), QString("14.5038"));
        QCOMPARE(edited.count(), 1);
        QVERIFY(qAbs(StoredValue() - 101.325) < 1e-3);
    }

    void labelOutlivesItsEdits()
    {
        Edit().SetUnitsLabel(m_label);
        delete m_edit;
        QVERIFY(m_label->Edits().isEmpty());
        QTest::mouseClick(m_label, Qt::LeftButton);  // no edit: no picker
        QVERIFY(!QApplication::activePopupWidget());
    }
};

VANTOR_GUI_TEST_MAIN(FmtEditTest)
#include "fmt_edit_test.moc"
