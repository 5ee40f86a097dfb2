#include "gui/common/confirm_change.h"

#include "gui/common/qt_text.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace vantor {

namespace {

QPlainTextEdit* MakeMemo(QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return memo;
}

// A section's text above its answer button, the button at the right.
QWidget* MakeArea(QWidget* parent, QPlainTextEdit* memo, QPushButton* button)
{
    auto* area = new QWidget(parent);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    layout->addWidget(button, 0, Qt::AlignRight);
    return area;
}

}  // namespace

TConfirmChangeDlg::TConfirmChangeDlg(QWidget* parent)
    : QDialog(parent),
      m_userMemo(MakeMemo(this)),
      m_installMemo(MakeMemo(this)),
      m_keep(AddAnswer(tr("Keep your data"), tr("Keep your data and ignore installed data"),
                       TInstallChoice::KeepUserData)),
      m_install(AddAnswer(tr("Use install data"), tr("Replace your data with install data"),
                          TInstallChoice::UseInstallData)),
      m_decideLater(AddAnswer(tr("&Decide later"), tr("Decide all later"), TInstallChoice::DecideLater)),
      m_acceptAll(AddAnswer(tr("&Accept All"), tr("Accept all installed data"), TInstallChoice::AcceptAll)),
      m_splitter(new QSplitter(Qt::Vertical, this))
{
    setWindowTitle(tr("Install notice"));
    m_install->setDefault(true);

    auto* topBar = new QHBoxLayout;
    topBar->addWidget(m_decideLater);
    topBar->addWidget(m_acceptAll);
    topBar->addStretch();

    m_splitter->addWidget(MakeArea(m_splitter, m_userMemo, m_keep));
    m_splitter->addWidget(MakeArea(m_splitter, m_installMemo, m_install));
    m_splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topBar);
    layout->addWidget(m_splitter);
    resize(480, 420);
}

QPushButton* TConfirmChangeDlg::AddAnswer(const QString& caption, const QString& hint, TInstallChoice choice)
{
    auto* button = new QPushButton(caption, this);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    connect(button, &QPushButton::clicked, this, [this, choice] { Answer(choice); });
    return button;
}

TInstallChoice TConfirmChangeDlg::Ask(const std::string& caption, const std::string& userSection,
                                      const std::string& installSection)
{
    setWindowTitle(ToQString(caption));
    m_userMemo->setPlainText(ToQString(userSection));
    m_installMemo->setPlainText(ToQString(installSection));
    m_choice = TInstallChoice::Closed;
    m_install->setFocus();
    exec();
    return m_choice;
}

void TConfirmChangeDlg::Answer(TInstallChoice choice)
{
    m_choice = choice;
    done(static_cast<int>(choice));
}

void TConfirmChangeDlg::reject()
{
    m_choice = TInstallChoice::Closed;
    QDialog::reject();
}

void TConfirmChangeDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Answer(TInstallChoice::DecideLater);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vantor
