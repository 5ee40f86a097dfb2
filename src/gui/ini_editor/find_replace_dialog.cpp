#include "gui/ini_editor/find_replace_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vantor {

TFindReplaceDialog::TFindReplaceDialog(QWidget* parent)
    : QDialog(parent),
      m_findEdit(new QLineEdit(this)),
      m_replaceEdit(new QLineEdit(this)),
      m_replaceLabel(new QLabel(tr("Re&place with:"), this)),
      m_matchCase(new QCheckBox(tr("Match &case"), this)),
      m_wholeWord(new QCheckBox(tr("Match &whole word only"), this)),
      m_up(new QRadioButton(tr("&Up"), this)),
      m_down(new QRadioButton(tr("&Down"), this)),
      m_findButton(new QPushButton(tr("&Find Next"), this)),
      m_replaceButton(new QPushButton(tr("&Replace"), this)),
      m_replaceAllButton(new QPushButton(tr("Replace &All"), this)),
      m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("FindReplaceDialog"));
    setModal(false);
    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(m_findEdit);
    m_replaceLabel->setBuddy(m_replaceEdit);
    m_down->setChecked(true);

    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findEdit, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replaceEdit, 1, 1);
    fields->addWidget(m_matchCase, 2, 0, 1, 2);
    fields->addWidget(m_wholeWord, 3, 0, 1, 2);
    fields->addWidget(direction, 4, 0, 1, 2);

    auto* closeButton = new QPushButton(tr("Close"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_findButton, m_replaceButton, m_replaceAllButton, closeButton})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(fields, 1);
    columns->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_note);

    m_findButton->setDefault(true);
    connect(m_findButton, &QPushButton::clicked, this, &TFindReplaceDialog::FindNext);
    connect(m_replaceButton, &QPushButton::clicked, this, &TFindReplaceDialog::ReplaceOne);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &TFindReplaceDialog::ReplaceAll);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    // Nothing to look for: nothing to press.
    const auto enableButtons = [this] {
        const bool any = !m_findEdit->text().isEmpty();
        for (QPushButton* button : {m_findButton, m_replaceButton, m_replaceAllButton}) button->setEnabled(any);
    };
    connect(m_findEdit, &QLineEdit::textChanged, this, enableButtons);
    enableButtons();
    SetMode(false);
}

void TFindReplaceDialog::SetMode(bool replace)
{
    setWindowTitle(replace ? tr("Replace") : tr("Find"));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_replaceLabel, m_replaceEdit, m_replaceButton,
                                                           m_replaceAllButton})
        widget->setVisible(replace);
    m_note->clear();
    adjustSize();
}

void TFindReplaceDialog::ShowFind()
{
    SetMode(false);
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

void TFindReplaceDialog::ShowReplace()
{
    SetMode(true);
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

TFindRequest TFindReplaceDialog::Request() const
{
    return {m_findEdit->text(), m_matchCase->isChecked(), m_wholeWord->isChecked(), !m_up->isChecked()};
}

QString TFindReplaceDialog::ReplaceText() const { return m_replaceEdit->text(); }

void TFindReplaceDialog::SetNote(const QString& note) { m_note->setText(note); }

}  // namespace vantor
