#include "gui/common/prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include <utility>

namespace vantor {

TDialogPrompts::TDialogPrompts(QWidget* parent, QString title) : m_parent(parent), m_title(std::move(title)) {}

QString TDialogPrompts::Title() const
{
    return m_title.isEmpty() && m_parent ? m_parent->windowTitle() : m_title;
}

TAnswer TDialogPrompts::Ask(const QString& question)
{
    switch (QMessageBox::question(m_parent, Title(), question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

QString TDialogPrompts::ChooseFile(const TFileRequest& request)
{
    const bool saving = request.Access == TFileAccess::Save;
    QFileDialog dialog(m_parent, request.Caption, request.Folder, request.Filter);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.ConfirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().front();
    return saving ? WithFilterExtension(chosen, dialog.selectedNameFilter(), request.Filter) : chosen;
}

void TDialogPrompts::ShowMessage(const QString& text, TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Information:
        QMessageBox::information(m_parent, Title(), text);
        break;
    case TMessageKind::Warning:
        QMessageBox::warning(m_parent, Title(), text);
        break;
    case TMessageKind::Error:
        QMessageBox::critical(m_parent, Title(), text);
        break;
    }
}

namespace {

// The extensions a filter names, "PDF document (*.pdf);;SVG drawing (*.svg)" -> pdf, svg.
QStringList ExtensionsOf(const QString& filter)
{
    static const QRegularExpression kPattern(QStringLiteral(R"(\*\.([A-Za-z0-9]+))"));
    QStringList extensions;
    for (const QRegularExpressionMatch& match : kPattern.globalMatch(filter)) extensions << match.captured(1);
    return extensions;
}

}  // namespace

QString WithFilterExtension(const QString& fileName, const QString& chosenEntry, const QString& filters)
{
    if (fileName.isEmpty()) return fileName;
    const QString suffix = QFileInfo(fileName).suffix();
    const bool anyFile = filters.contains(QStringLiteral("(*)"));
    if (!suffix.isEmpty() && (anyFile || ExtensionsOf(filters).contains(suffix, Qt::CaseInsensitive))) return fileName;
    const QStringList own = ExtensionsOf(chosenEntry);
    return own.isEmpty() ? fileName : fileName + u'.' + own.front();
}

}  // namespace vantor
