#pragma once

// The one-line number edit shared by the dialogs' formatted edits (TFmtEdit) and the entry
// grid's in-place editor. The rules come from the core's TNumberEntry: the keys a format takes,
// how the text is cleaned, range-checked and shown again, and how it turns into a stored value.
//
//   edit.SetFormatStr("%0.3f");  edit.SetUnitsType(utPressureBar);  edit.SetRange(70, 120);
//   typing "150" and ending the edit shows "120.000" with a beep; Value() reads kPa.

#include "rows/number_entry.h"
#include "rows/variant.h"

#include <QLineEdit>
#include <QPointer>

namespace vantor {

class TFmtEditLabel;

class KzCustomEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit KzCustomEdit(QWidget* parent = nullptr);

    // The rules as a whole (the grid's editor takes a row's); the text is left as it is.
    const TNumberEntry& Entry() const { return m_entry; }
    void SetEntry(const TNumberEntry& entry);

    QString FormatStr() const;
    // A text format "%S" clears the initial "0.0". Does not reformat the text.
    void SetFormatStr(const QString& format);
    TFormatType FormatType() const { return m_entry.FormatType; }
    int SigDigs() const { return m_entry.SigDigs; }
    void SetSigDigs(int sigDigs) { m_entry.SigDigs = sigDigs; }
    int Decimals() const { return m_entry.Decimals(); }

    // Stored units; both 0: no range check.
    double RangeLo() const { return m_entry.RangeLo; }
    double RangeHi() const { return m_entry.RangeHi; }
    void SetRange(double lo, double hi);

    // Unit changes keep the quantity: the text shows the same value in the new unit.
    TUnitsType UnitsType() const { return m_entry.UnitsType; }
    void SetUnitsType(TUnitsType type);
    int UnitsValue() const { return m_entry.UnitsValue; }
    void SetUnitsValue(int index);
    int UnitsBase() const { return m_entry.UnitsBase; }
    void SetUnitsBase(int index);
    double Factor() const { return m_entry.Factor; }
    double Offset() const { return m_entry.Offset; }

    // The label that shows the unit; clicking it changes the unit of every edit attached to it.
    TFmtEditLabel* UnitsLabel() const;
    void SetUnitsLabel(TFmtEditLabel* label);
    // The unit the user picked on the label: taken, then OnUnitsEdited.
    void ChooseUnits(int index);

    // The text as a stored value; the raw text when it is not a number.
    TVariant Value() const;
    // A value that cannot be shown in the format empties the text.
    void SetValue(const TVariant& value);

    // Checks the text as the end of an edit does: cleaned, limited to the range, shown in the
    // format, marked modified. False, with a beep, when the value had to be limited.
    bool Validate();

signals:
    // A refused key or an entry limited to the range.
    void Beeped();
    void OnUnitsEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    void Beep();
    // The next focus-in keeps the saved text and the modified mark (the edit took the focus
    // back after a failed check).
    void KeepStateOnNextFocus() { m_keepStateOnFocus = true; }

private:
    void TypeCharacter(const QString& typed);
    void ShowUnitLabel();

    TNumberEntry m_entry;
    QString m_savedText;
    bool m_keepStateOnFocus = false;
    QPointer<TFmtEditLabel> m_label;
};

}  // namespace vantor
