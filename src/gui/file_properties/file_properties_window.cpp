#include "gui/file_properties/file_properties_window.h"

#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "reports/file_facts.h"
#include "settings/settings_store.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <tuple>

namespace vantor {

namespace {

constexpr std::string_view kPlacementSection = "FilePropertiesForm";
constexpr int kClientWidth = 295;
constexpr int kClientHeight = 335;
const char* const kUnknown = "unknown";
const char* const kFactCaptions[] = {"Location:", "Type:", "Created:", "Modified:", "Size:"};
const char* const kAttributeCaptions[] = {"Read Only", "Hidden", "Archive", "System"};

QDate ToQDate(const std::chrono::year_month_day& date)
{
    return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

std::chrono::year_month_day FromQDate(const QDate& date)
{
    return std::chrono::year{date.year()} / std::chrono::month{static_cast<unsigned>(date.month())} /
           std::chrono::day{static_cast<unsigned>(date.day())};
}

// The comments keep CR LF line ends; the edit shows plain line breaks.
QString CommentsForEdit(const std::string& description)
{
    QString text = ToQString(description);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

std::string CommentsFromEdit(QString text)
{
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ToStdString(text);
}

QString TimeText(std::chrono::system_clock::time_point time)
{
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
    return QLocale().toString(QDateTime::fromMSecsSinceEpoch(milliseconds.count()), QLocale::ShortFormat);
}

// What a key means to the control that has it: the control and its parents up to the window.
TFocusControl ControlKind(QObject* object, const QObject* window)
{
    for (; object && object != window; object = object->parent()) {
        if (const auto* edit = qobject_cast<QPlainTextEdit*>(object))
            return edit->isReadOnly() ? TFocusControl::MultiLine : TFocusControl::MultiLineWithBreaks;
        if (qobject_cast<QAbstractItemView*>(object)) return TFocusControl::List;
        if (qobject_cast<QComboBox*>(object) || qobject_cast<QDateTimeEdit*>(object)) return TFocusControl::DropDown;
    }
    return TFocusControl::Plain;
}

}  // namespace

TFilePropertiesForm::TFilePropertiesForm(TFileProperties& properties, TSettingsStore& programKey, QWidget* parent)
    : QDialog(parent), m_edit(properties), m_programKey(programKey), m_pages(new QTabWidget(this)),
      m_prompts(std::make_shared<TDialogPrompts>(this))
{
    setObjectName(QStringLiteral("FilePropertiesForm"));
    setWindowTitle(tr("Properties"));
    m_pages->addTab(BuildProjectPage(), tr("Project"));
    m_pages->addTab(BuildUserPage(), tr("User"));
    m_general = BuildGeneralPage();
    m_pages->addTab(m_general, tr("General"));

    m_keepAsDefault = new QCheckBox(tr("Keep as default"), this);
    auto* acceptButton = new QPushButton(tr("Accept"), this);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    acceptButton->setAutoDefault(false);
    cancelButton->setAutoDefault(false);
    connect(acceptButton, &QPushButton::clicked, this, &TFilePropertiesForm::accept);
    connect(cancelButton, &QPushButton::clicked, this, &TFilePropertiesForm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_keepAsDefault);
    buttons->addStretch();
    buttons->addWidget(acceptButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    resize(kClientWidth, kClientHeight);
    RestoreProgramPlacement(*this, kPlacementSection);
    WatchKeys();
}

TFilePropertiesForm::~TFilePropertiesForm() = default;

QWidget* TFilePropertiesForm::BuildProjectPage()
{
    auto* page = new QWidget;
    m_projectName = new QLineEdit(page);
    m_projectName->setObjectName(QStringLiteral("edProjectName"));
    m_projectNumber = new QLineEdit(page);
    m_projectNumber->setObjectName(QStringLiteral("edProjectNumber"));
    m_description = new QPlainTextEdit(page);
    m_description->setObjectName(QStringLiteral("edDescription"));
    m_date = new QDateEdit(page);
    m_date->setObjectName(QStringLiteral("edDate"));
    m_date->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    m_date->setCalendarPopup(true);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(tr("Project Name:"), page));
    layout->addWidget(m_projectName);
    layout->addWidget(new QLabel(tr("Project Number:"), page));
    layout->addWidget(m_projectNumber);
    layout->addWidget(new QLabel(tr("Comments:"), page));
    layout->addWidget(m_description, 1);
    layout->addWidget(new QLabel(tr("Project Date:"), page));
    layout->addWidget(m_date);

    // The edits are the values: each change goes straight into the properties.
    const auto userEdit = [this](auto apply) {
        return [this, apply](auto&&... value) {
            if (!m_showing) apply(m_edit.Properties(), value...);
        };
    };
    connect(m_projectName, &QLineEdit::textChanged, this,
            userEdit([](TFileProperties& p, const QString& text) { p.ProjectName = ToStdString(text); }));
    connect(m_projectNumber, &QLineEdit::textChanged, this,
            userEdit([](TFileProperties& p, const QString& text) { p.ProjectNumber = ToStdString(text); }));
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing) m_edit.Properties().Description = CommentsFromEdit(m_description->toPlainText());
    });
    connect(m_date, &QDateEdit::dateChanged, this,
            userEdit([](TFileProperties& p, const QDate& date) { p.Date = FromQDate(date); }));
    return page;
}

QWidget* TFilePropertiesForm::BuildUserPage()
{
    auto* page = new QWidget;
    m_author = new QLineEdit(page);
    m_author->setObjectName(QStringLiteral("edAuthor"));
    m_company = new QLineEdit(page);
    m_company->setObjectName(QStringLiteral("edCompany"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(tr("Registered User:"), page));
    layout->addWidget(m_author);
    layout->addWidget(new QLabel(tr("Registered Organization:"), page));
    layout->addWidget(m_company);
    layout->addStretch();
    connect(m_author, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing) m_edit.Properties().Author = ToStdString(text);
    });
    connect(m_company, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing) m_edit.Properties().Company = ToStdString(text);
    });
    return page;
}

QWidget* TFilePropertiesForm::BuildGeneralPage()
{
    auto* page = new QWidget;
    m_icon = new QLabel(page);
    m_name = new QLabel(tr(kUnknown), page);
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addWidget(m_icon);
    top->addWidget(m_name, 1);

    auto* facts = new QFormLayout;
    for (const char* caption : kFactCaptions) {
        auto* value = new QLabel(tr(kUnknown), page);
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        facts->addRow(tr(caption), value);
        m_facts.emplace_back(QString::fromLatin1(caption), value);
    }
    auto* attributes = new QHBoxLayout;
    for (const char* caption : kAttributeCaptions) {
        auto* box = new QCheckBox(tr(caption), page);
        box->setObjectName(QString::fromLatin1(caption));
        // Facts, not choices.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        attributes->addWidget(box);
        m_attributes.push_back(box);
    }
    facts->addRow(tr("Attributes:"), attributes);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(facts);
    layout->addStretch();
    return page;
}

void TFilePropertiesForm::WatchKeys()
{
    for (QWidget* child : findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus) child->installEventFilter(this);
}

bool TFilePropertiesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return QDialog::eventFilter(watched, event);
    TFocusKey focusKey;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusKey = TFocusKey::Enter;
        break;
    case Qt::Key_Down:
        focusKey = TFocusKey::Down;
        break;
    case Qt::Key_Up:
        focusKey = TFocusKey::Up;
        break;
    default:
        return QDialog::eventFilter(watched, event);
    }
    const TFocusMove move = FocusMoveFor(focusKey, ControlKind(watched, this));
    if (move == TFocusMove::None) return QDialog::eventFilter(watched, event);
    focusNextPrevChild(move == TFocusMove::Next);
    return true;
}

void TFilePropertiesForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) Activate();
}

void TFilePropertiesForm::Activate()
{
    m_pages->setCurrentIndex(0);
    m_keepAsDefault->setChecked(false);
    m_edit.Activate();
    ShowValues();
    ShowFileFacts();
    m_projectName->setFocus();
}

void TFilePropertiesForm::ShowValues()
{
    m_showing = true;
    const TFileProperties& p = m_edit.Properties();
    m_projectName->setText(ToQString(p.ProjectName));
    m_projectNumber->setText(ToQString(p.ProjectNumber));
    m_description->setPlainText(CommentsForEdit(p.Description));
    m_date->setDate(ToQDate(p.Date));
    m_author->setText(ToQString(p.Author));
    m_company->setText(ToQString(p.Company));
    m_showing = false;
}

void TFilePropertiesForm::ShowFileFacts()
{
    const std::optional<TFileFacts> facts = ReadFileFacts(ToStdString(m_fileName));
    const int generalIndex = m_pages->indexOf(m_general);
    m_pages->setTabVisible(generalIndex, facts.has_value());
    if (!facts) return;

    const QString path = ToQString((std::filesystem::path(facts->Folder) / facts->Name).string());
    const QFileInfo info(path);
    m_icon->setPixmap(QFileIconProvider().icon(info).pixmap(32, 32));
    m_name->setText(ToQString(facts->Name));
    const QString values[] = {
        ToQString(facts->Folder),
        QMimeDatabase().mimeTypeForFile(info).comment(),
        facts->Created ? TimeText(*facts->Created) : tr(kUnknown),
        TimeText(facts->Modified),
        ToQString(FileSizeText(facts->Size)),
    };
    for (std::size_t i = 0; i < m_facts.size(); ++i) m_facts[i].second->setText(values[i]);
    const bool attributes[] = {facts->ReadOnly, facts->Hidden, false, false};
    for (std::size_t i = 0; i < m_attributes.size(); ++i) m_attributes[i]->setChecked(attributes[i]);
}

bool TFilePropertiesForm::GeneralPageShown() const { return m_pages->isTabVisible(m_pages->indexOf(m_general)); }

QString TFilePropertiesForm::GeneralText(const QString& caption) const
{
    if (caption.isEmpty()) return m_name->text();
    for (const auto& [name, label] : m_facts)
        if (name == caption) return label->text();
    return {};
}

bool TFilePropertiesForm::AttributeChecked(const QString& caption) const
{
    for (const QCheckBox* box : m_attributes)
        if (box->objectName() == caption) return box->isChecked();
    return false;
}

bool TFilePropertiesForm::TextsCanBeStored()
{
    const TFileProperties& p = m_edit.Properties();
    const std::tuple<QWidget*, QString, const std::string*> fields[] = {
        {m_projectName, tr("Project Name"), &p.ProjectName},
        {m_projectNumber, tr("Project Number"), &p.ProjectNumber},
        {m_description, tr("Comments"), &p.Description},
        {m_author, tr("Registered User"), &p.Author},
        {m_company, tr("Registered Organization"), &p.Company},
    };
    for (const auto& [control, label, text] : fields) {
        const std::string problem = FilePropertyTextProblem(*text);
        if (problem.empty()) continue;
        m_pages->setCurrentWidget(control->parentWidget());
        control->setFocus();
        m_prompts->ShowMessage(tr("%1: the text %2").arg(label, ToQString(problem)), TMessageKind::Warning);
        return false;
    }
    return true;
}

void TFilePropertiesForm::accept()
{
    if (!TextsCanBeStored()) return;
    m_edit.Accept(m_keepAsDefault->isChecked(), m_programKey);
    if (m_keepAsDefault->isChecked())
        if (const TResult written = m_programKey.Flush(); !written)
            m_prompts->ShowMessage(tr("The defaults could not be kept: %1").arg(ToQString(written.Message)),
                                  TMessageKind::Warning);
    QDialog::accept();
}

void TFilePropertiesForm::reject()
{
    m_edit.Cancel();
    QDialog::reject();
}

void TFilePropertiesForm::done(int result)
{
    SaveProgramPlacement(*this, kPlacementSection);
    QDialog::done(result);
}

}  // namespace vantor
