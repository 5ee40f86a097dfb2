#include "gui/widgets/custom_edit.h"

#include "gui/common/qt_text.h"
#include "gui/widgets/fmt_edit_label.h"
#include "units/number_format.h"

#include <QApplication>
#include <QKeyEvent>

namespace vantor {

namespace {

// A character outside ASCII is never part of a number; it is tested as one more non-digit.
char AsEntryChar(QChar c) { return c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x7f'; }

bool IsCommandKey(const QKeyEvent& event)
{
    return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

}  // namespace

KzCustomEdit::KzCustomEdit(QWidget* parent) : QLineEdit(parent) { setText(QStringLiteral("0.0")); }

void KzCustomEdit::SetEntry(const TNumberEntry& entry)
{
    m_entry = entry;
    ShowUnitLabel();
}

QString KzCustomEdit::FormatStr() const { return ToQString(m_entry.FormatStr); }

void KzCustomEdit::SetFormatStr(const QString& format)
{
    m_entry.FormatStr = ToStdString(format);
    if (format == QLatin1String("%S") && text() == QLatin1String("0.0")) clear();
}

void KzCustomEdit::SetRange(double lo, double hi)
{
    m_entry.RangeLo = lo;
    m_entry.RangeHi = hi;
}

void KzCustomEdit::SetUnitsType(TUnitsType type)
{
    setText(ToQString(m_entry.SetUnitsType(type, ToStdString(text()))));
    ShowUnitLabel();
}

void KzCustomEdit::SetUnitsValue(int index)
{
    setText(ToQString(m_entry.SetUnitsValue(index, ToStdString(text()))));
    ShowUnitLabel();
}

void KzCustomEdit::SetUnitsBase(int index)
{
    setText(ToQString(m_entry.SetUnitsBase(index, ToStdString(text()))));
    ShowUnitLabel();
}

TFmtEditLabel* KzCustomEdit::UnitsLabel() const { return m_label; }

void KzCustomEdit::SetUnitsLabel(TFmtEditLabel* label)
{
    if (m_label) m_label->Detach(this);
    m_label = label;
    if (!label) return;
    // A label means a number in a unit.
    if (IsTextFormat(m_entry.FormatStr)) m_entry.FormatStr = "%0.1f";
    label->Attach(this);
    SetUnitsValue(m_entry.UnitsValue);
}

void KzCustomEdit::ChooseUnits(int index)
{
    SetUnitsValue(index);
    emit OnUnitsEdited();
}

void KzCustomEdit::ShowUnitLabel()
{
    if (m_label && !IsTextFormat(m_entry.FormatStr)) m_label->setText(ToQString(m_entry.UnitLabel()));
}

TVariant KzCustomEdit::Value() const { return m_entry.Value(ToStdString(text())); }

void KzCustomEdit::SetValue(const TVariant& value) { setText(ToQString(m_entry.ValueText(value))); }

bool KzCustomEdit::Validate()
{
    const TEntryCheck check = m_entry.Check(ToStdString(text()));
    const QString shown = ToQString(check.Text);
    if (check.Readable && shown != text()) setText(shown);
    setModified(true);
    if (!check.InRange) Beep();
    return check.InRange;
}

void KzCustomEdit::Beep()
{
    QApplication::beep();
    emit Beeped();
}

void KzCustomEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_keepStateOnFocus) {
        m_keepStateOnFocus = false;
        return;
    }
    m_savedText = text();
    setModified(false);
}

void KzCustomEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (!isModified()) {
            event->ignore();  // a dialog closes on an unchanged edit
            return;
        }
        setText(m_savedText);
        setModified(false);
        return;
    }
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.at(0).isPrint() && !IsCommandKey(*event);
    if (isReadOnly() || !character) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    TypeCharacter(typed);
}

void KzCustomEdit::TypeCharacter(const QString& typed)
{
    if (selectedText().size() > 1) del();
    setModified(true);
    for (const QChar c : typed) {
        if (!m_entry.AcceptsChar(AsEntryChar(c))) {
            Beep();
            return;
        }
    }
    insert(typed);
}

}  // namespace vantor
