#include "gui/coil_editor/coil_editor_window.h"

#include "gui/coil_editor/circuit_picture.h"
#include "gui/common/form_placement.h"
#include "gui/common/page_opener.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/widgets/fmt_edit_label.h"
#include "geometry/circuit_layout.h"
#include "coil_editor/coil_editor_steps.h"
#include "geometry/materials.h"
#include "model/coil.h"
#include "reports/colors.h"
#include "settings/folders.h"
#include "settings/settings_store.h"
#include "rows/variant.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetricsF>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor {

namespace {

constexpr const char* kCaption = "Fin & Tube Editor";
constexpr const char* kPictureResource = "circuit-picture.png";
// The summary's small type; its bullets hang in an indent of about two characters, so the list
// starts at the left edge of the page.
constexpr int kSummaryPointSize = 8;
constexpr double kSummaryIndentEms = 1.5;

// A page showing one picture (a file name or a resource name) at the editor's picture height.
std::vector<std::string> PicturePage(const std::string& source)
{
    return {"<html>", "<head>", "</head>", "<body>",
            "<img src=\"" + source + "\" height=\"" + std::to_string(TFatEditor::kPictureHeight) + "\">", "</body>",
            "</html>"};
}

// A page's lines as one text, a line break after each.
std::string HtmlOf(const std::vector<std::string>& lines)
{
    std::string html;
    for (const std::string& line : lines) html += line + "\n";
    return html;
}

// The summary as a page: a list of small circle-bulleted lines, each in its entry's colour.
std::vector<std::string> SummaryPage(const std::vector<TSummaryEntry>& entries)
{
    std::vector<std::string> lines = {"<html>", "<head>", "<style>", "body {font-family:arial;margin:0;padding:0}",
                                      "ul {font-size:" + std::to_string(kSummaryPointSize) +
                                          "pt;list-style-type:circle;margin-top:5px}",
                                      "</style>", "</head>", "<body>", "<ul>"};
    for (const TSummaryEntry& entry : entries)
        lines.push_back("<li style=\"color:" + ColorToHtml(entry.Color) + "\">" +
                        ToStdString(ToQString(entry.Text()).toHtmlEscaped()) + "</li>");
    lines.insert(lines.end(), {"</ul>", "</body>", "</html>"});
    return lines;
}

struct TEditSpec {
    TFatValue Value;
    const char* Label;
    const char* Hint;          // empty: the label sizes nothing
    TFatSizing Sizing;
    const char* Format;
    TUnitsType Units;
    TStepRange Range;
    const char* Name;
};

const std::array<TEditSpec, 6> kEdits{{
    {TFatValue::FinHeight, "Fin Height", "Auto Size Height", TFatSizing::Height, "%0.2f", utLengthPrim,
     kFinHeightRange, "FinHeightEd"},
    {TFatValue::FinnedLength, "Finned Length", "Auto Size Length", TFatSizing::Length, "%0.1f", utLengthMeasure,
     kFinnedLengthRange, "FinnedLengthEd"},
    {TFatValue::Rows, "Rows Deep", "Auto Size Rows", TFatSizing::Rows, "%0.1f", utNone, kRowsRange, "RowsEd"},
    {TFatValue::FinDensity, "Fin Density", "Auto Size Fin Spacing", TFatSizing::Fins, "%0.4f", utFinDensity,
     kFinDensityRange, "FinDensityEd"},
    {TFatValue::FinPitch, "Fin Pitch", "Auto Size Fin Spacing", TFatSizing::Fins, "%0.4f", utLengthSmall,
     kFinPitchRange, "FinPitchEd"},
    {TFatValue::Circuits, "Circuits", "", TFatSizing::FaceArea, "%0.1f", utNone, kCircuitsRange, "CircuitsEd"},
}};

// A label that reads as a link and runs action when clicked.
QLabel* LinkLabel(const QString& text, const QString& hint, QWidget* parent, std::function<void()> action)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), parent);
    label->setToolTip(hint);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, parent, [action = std::move(action)] { action(); });
    return label;
}

double NumberOf(const TFmtEdit& edit) { return VariantNumber(edit.Value()).value_or(0.0); }

}  // namespace

TFatForm::TFatForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(TFatUnitChoices::kSection));
    setWindowTitle(tr(kCaption));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    BuildControls();
    resize(461, 424);
    LoadUnits();
    SetChooseTubeRange({});
    SetEditDesignSettings({});
}

TFatForm::~TFatForm() = default;

void TFatForm::BuildControls()
{
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Target Duty"), this));
    m_dutyEdit = new TFmtEdit(this);
    m_dutyEdit->setObjectName(QStringLiteral("DesignDutyEd"));
    m_dutyEdit->SetFormatStr(QStringLiteral("%0.3f"));
    m_dutyEdit->SetUnitsType(utDutyPrim);
    m_dutyEdit->SetRange(0.01, 100000);
    m_dutyLabel = new TFmtEditLabel(this);
    m_dutyLabel->setObjectName(QStringLiteral("DutyUnitsLabel"));
    m_dutyEdit->SetUnitsLabel(m_dutyLabel);
    top->addWidget(m_dutyEdit, 1);
    top->addWidget(m_dutyLabel);
    m_settingsButton = new QPushButton(tr("Settings"), this);
    m_settingsButton->setObjectName(QStringLiteral("SettingsBtn"));
    auto* accept = new QPushButton(tr("&Accept"), this);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    for (QPushButton* button : {m_settingsButton, accept, cancel}) {
        button->setAutoDefault(false);
        top->addWidget(button);
    }
    connect(m_settingsButton, &QPushButton::clicked, this, &TFatForm::EditDesignSettings);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TFatForm::CancelClick);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* values = new QGridLayout;
    values->setHorizontalSpacing(4);
    values->setVerticalSpacing(3);
    values->addWidget(new QLabel(tr("Tube Size"), this), 0, 0);
    m_tubeSizeEdit = new QLineEdit(this);
    m_tubeSizeEdit->setObjectName(QStringLiteral("TubeSizeEd"));
    m_tubeSizeEdit->setReadOnly(true);
    m_tubeSizeEdit->setEnabled(false);
    values->addWidget(m_tubeSizeEdit, 0, 1, 1, 2);
    m_mnfButton = new QPushButton(QStringLiteral("..."), this);
    m_mnfButton->setObjectName(QStringLiteral("MnfButton"));
    m_mnfButton->setAutoDefault(false);
    m_mnfButton->setFixedWidth(28);
    m_mnfButton->setToolTip(tr("Tube range"));
    connect(m_mnfButton, &QPushButton::clicked, this, &TFatForm::ChooseTubeRange);
    values->addWidget(m_mnfButton, 0, 3);

    int row = 1;
    for (const TEditSpec& entry : kEdits) {
        const TFatValue value = entry.Value;
        QWidget* label = *entry.Hint ? static_cast<QWidget*>(LinkLabel(tr(entry.Label), tr(entry.Hint), this,
                                                                      [this, entry] { Size(entry.Sizing); }))
                                    : new QLabel(tr(entry.Label), this);
        values->addWidget(label, row, 0);
        auto* edit = new TFmtEdit(this);
        edit->setObjectName(QString::fromLatin1(entry.Name));
        edit->SetFormatStr(QString::fromLatin1(entry.Format));
        edit->SetUnitsType(entry.Units);
        edit->SetRange(entry.Range.Low, entry.Range.High);
        edit->installEventFilter(this);
        // Room for the widest value the rows show ("1234.5678") in the edit's font.
        edit->setMinimumWidth(std::max(76, edit->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) + 12));
        connect(edit, &QLineEdit::editingFinished, this, [this, value] { EditExit(value); });
        m_edits[static_cast<size_t>(value)] = edit;
        values->addWidget(edit, row, 1);
        if (entry.Units != utNone) {
            auto* unitLabel = new TFmtEditLabel(this);
            edit->SetUnitsLabel(unitLabel);
            m_unitLabels[static_cast<size_t>(value)] = unitLabel;
            values->addWidget(unitLabel, row, 2);
        }
        auto* spins = new QVBoxLayout;
        spins->setSpacing(0);
        for (const bool up : {true, false}) {
            auto* button = new QToolButton(this);
            button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
            button->setFixedSize(18, 11);
            button->setAutoRepeat(true);
            button->setObjectName(QString::fromLatin1(entry.Name).chopped(2) + (up ? "SpinUp" : "SpinDown"));
            connect(button, &QToolButton::clicked, this, [this, value, up] { Spin(value, up); });
            spins->addWidget(button);
        }
        values->addLayout(spins, row, 3);
        ++row;
    }
    m_serpLabel = LinkLabel(QStringLiteral("1/2"), tr("Circuiting picture"), this, [this] { ShowCircuitPicture(); });
    m_serpLabel->setObjectName(QStringLiteral("SerpLabel"));
    values->addWidget(m_serpLabel, row - 1, 2);

    const std::array<const char*, 3> materialLabels{"Tube Material", "Fin Material", "Casing Material"};
    for (size_t i = 0; i < m_materials.size(); ++i) {
        values->addWidget(new QLabel(tr(materialLabels[i]), this), row, 0);
        auto* combo = new QComboBox(this);
        for (const TMaterial& material : Materials) combo->addItem(ToQString(material.Code));
        m_materials[i] = combo;
        values->addWidget(combo, row, 1, 1, 2);
        connect(combo, &QComboBox::activated, this, [this, i](int index) {
            if (i == 0) m_editor.SetTubeMaterial(index);
            if (i == 1) m_editor.SetFinMaterial(index);
            if (i == 2) m_editor.SetCasingMaterial(index);
            AfterChange();
        });
        ++row;
    }
    m_materials[0]->setObjectName(QStringLiteral("TubeMaterialCombo"));
    m_materials[1]->setObjectName(QStringLiteral("FinMaterialCombo"));
    m_materials[2]->setObjectName(QStringLiteral("CasingMaterialCombo"));
    m_materials[0]->setCurrentIndex(kCopper);
    m_materials[1]->setCurrentIndex(kAluminium);
    m_materials[2]->setCurrentIndex(kGalvanisedIron);
    values->setRowStretch(row, 1);

    m_summary = new QTextBrowser(this);
    m_summary->setObjectName(QStringLiteral("HTMLViewer1"));
    m_summary->setOpenLinks(false);
    m_summary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_summary->setFrameShape(QFrame::Box);
    m_summary->setStyleSheet(QStringLiteral("QTextBrowser { background: white; }"));
    QFont summaryFont(QStringLiteral("arial"));
    summaryFont.setPointSize(kSummaryPointSize);
    m_summary->document()->setIndentWidth(kSummaryIndentEms * QFontMetricsF(summaryFont).height());
    m_keepAirFlow = new QCheckBox(tr("Keep entered airflow on auto size"), this);
    m_keepAirFlow->setObjectName(QStringLiteral("CBKeepAirFlow"));
    connect(m_keepAirFlow, &QCheckBox::toggled, this, [this](bool keep) { m_editor.KeepAirFlow = keep; });
    auto* sizing = new QHBoxLayout;
    sizing->addWidget(LinkLabel(tr("Auto Face Area"), tr("Auto Size Height and Length"), this,
                                [this] { Size(TFatSizing::FaceArea); }));
    sizing->addStretch(1);
    sizing->addWidget(LinkLabel(tr("Auto Rows & Fins"), tr("Auto Size Rows and Fins"), this,
                                [this] { Size(TFatSizing::RowsAndFins); }));
    auto* right = new QVBoxLayout;
    right->addWidget(m_summary, 1);
    right->addWidget(m_keepAirFlow);
    right->addLayout(sizing);

    auto* body = new QHBoxLayout;
    body->addLayout(values, 0);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(body, 1);
    m_dutyEdit->installEventFilter(this);
    m_helpOpener = new TPageOpener(this);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &TFatForm::ShowHelp);
}

void TFatForm::SetTargetCoil(TCoil* coil) { m_editor.SetTargetCoil(coil); }

void TFatForm::SetChooseTubeRange(TChooseTubeRange hook)
{
    m_chooseTubeRange = std::move(hook);
    m_mnfButton->setEnabled(static_cast<bool>(m_chooseTubeRange));
}

void TFatForm::SetEditDesignSettings(TEditDesignSettings hook)
{
    m_editDesignSettings = std::move(hook);
    m_settingsButton->setEnabled(static_cast<bool>(m_editDesignSettings));
}

void TFatForm::SetDesignDuty(double kW) { m_dutyEdit->SetValue(kW); }
double TFatForm::DesignDuty() const { return NumberOf(*m_dutyEdit); }

void TFatForm::SetKeepAirFlow(bool keep) { m_keepAirFlow->setChecked(keep); }
bool TFatForm::KeepAirFlow() const { return m_keepAirFlow->isChecked(); }

void TFatForm::SetUnitChoices(int dutyUnits, int lengthUnits)
{
    m_dutyEdit->SetUnitsValue(dutyUnits);
    Edit(TFatValue::FinnedLength).SetUnitsValue(lengthUnits);
}

void TFatForm::LoadUnits()
{
    RestoreProgramPlacement(*this, TFatUnitChoices::kSection);
    const TSettingsStore programKey(TSettingsKey::Program);
    const TFatUnitChoices choices = TFatUnitChoices::Read(programKey);
    m_dutyEdit->SetUnitsValue(choices.DesignDuty);
    Edit(TFatValue::FinHeight).SetUnitsValue(choices.FinHeight);
    Edit(TFatValue::FinnedLength).SetUnitsValue(choices.FinnedLength);
    Edit(TFatValue::FinDensity).SetUnitsValue(choices.FinDensity);
    Edit(TFatValue::FinPitch).SetUnitsValue(choices.FinPitch);
}

void TFatForm::SaveUnits()
{
    SaveProgramPlacement(*this, TFatUnitChoices::kSection);
    TSettingsStore programKey(TSettingsKey::Program);
    TFatUnitChoices choices;
    choices.DesignDuty = m_dutyEdit->UnitsValue();
    choices.FinHeight = Edit(TFatValue::FinHeight).UnitsValue();
    choices.FinnedLength = Edit(TFatValue::FinnedLength).UnitsValue();
    choices.FinDensity = Edit(TFatValue::FinDensity).UnitsValue();
    choices.FinPitch = Edit(TFatValue::FinPitch).UnitsValue();
    choices.Write(programKey);
    KeepWindowSettings(programKey);
}

void TFatForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate();
}

void TFatForm::done(int result)
{
    SaveUnits();
    QDialog::done(result);
}

void TFatForm::Activate()
{
    m_editor.Activate();
    ShowGeometry();
    ShowPage(SummaryPage(m_editor.Summary()));
}

void TFatForm::ShowGeometry()
{
    TCoil* coil = TargetCoil();
    if (!coil) return;
    m_showing = true;
    const TModelRec& rec = coil->Geometry().ModelRecord();
    m_tubeSizeEdit->setText(ToQString(rec.Model));
    Edit(TFatValue::FinHeight).SetValue(coil->fHeight());
    Edit(TFatValue::FinnedLength).SetValue(coil->fLength());
    Edit(TFatValue::Rows).SetValue(coil->Rows());
    Edit(TFatValue::FinDensity).SetValue(coil->fpi());
    Edit(TFatValue::FinPitch).SetValue(m_editor.FinPitchMm());
    Edit(TFatValue::Circuits).SetValue(coil->Circ());
    m_serpLabel->setText(QStringLiteral("<a href=\"#\">%1</a>").arg(ToQString(m_editor.SerpentineLabel())));
    m_materials[0]->setCurrentIndex(rec.Mt);
    m_materials[1]->setCurrentIndex(rec.Mf);
    m_materials[2]->setCurrentIndex(rec.Mc);
    m_showing = false;
}

void TFatForm::ShowSummary()
{
    m_editor.ShowSummary();
    ShowPage(SummaryPage(m_editor.Summary()));
}

void TFatForm::ShowPage(const std::vector<std::string>& lines)
{
    if (TargetCoil()) setWindowTitle(ToQString(m_editor.Caption()));
    m_pageHtml = ToQString(HtmlOf(lines));
    m_summary->setHtml(m_pageHtml);
}

void TFatForm::AfterChange()
{
    ShowGeometry();
    ShowPage(SummaryPage(m_editor.Summary()));
}

void TFatForm::EditExit(TFatValue value)
{
    if (m_showing || !TargetCoil()) return;
    TFmtEdit& edit = Edit(value);
    // Only a value the user typed: passing through an edit changes nothing.
    if (!edit.isModified()) return;
    // An emptied entry, or one without a digit, would be read as 0 and then taken to the low
    // limit (a fin height of one tube pair, one circuit): the coil keeps its value instead.
    const QString typed = edit.text();
    if (!std::any_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); })) {
        ShowGeometry();
        return;
    }
    edit.Validate();
    const std::optional<double> x = VariantNumber(edit.Value());
    if (!x) return;  // the edit shows the text it refused; the coil keeps its value
    m_editor.EditExit(value, *x);
    AfterChange();
}

void TFatForm::Spin(TFatValue value, bool up)
{
    if (!TargetCoil()) return;
    if (value == TFatValue::Rows) Edit(value).setFocus();
    if (m_editor.Spin(value, up)) AfterChange();
}

void TFatForm::Size(TFatSizing sizing)
{
    if (!TargetCoil()) return;
    m_editor.Size(sizing, DesignDuty());
    AfterChange();
}

void TFatForm::ChooseTubeRange()
{
    TCoil* coil = TargetCoil();
    if (!coil || !m_chooseTubeRange) return;
    TModelRec record = coil->Geometry().ModelRecord();
    if (!m_chooseTubeRange(record, AllowDatabaseEdit, AllowMakerChoice)) return;
    m_editor.TakeTubeRange(record);
    AfterChange();
}

void TFatForm::EditDesignSettings()
{
    TCoil* coil = TargetCoil();
    if (!coil || !m_editDesignSettings) return;
    m_editDesignSettings(*coil);
    m_editor.DesignSettingsClosed();
    AfterChange();
}

void TFatForm::ShowCircuitPicture()
{
    TCoil* coil = TargetCoil();
    if (!coil) return;
    const TFolderEnvironment env = TFolderEnvironment::FromProcess();
    const std::filesystem::path file =
        CircuitPictureFile(UserRoot(env).value_or(std::filesystem::path()), MakerRoot(env), coil->Rows(),
                           m_editor.PictureTubesPerCircuit());
    QImage picture;
    if (!file.empty()) picture.load(QString::fromStdString(file.string()));
    if (picture.isNull()) {
        const TFinAndTube& geometry = coil->Geometry();
        picture = DrawCircuitPicture(LayOutCircuits(coil->Rows(), geometry.TubesHigh(), coil->Circ(),
                                                    geometry.ModelRecord().tp == kStaggered),
                                     TFatEditor::kPictureHeight);
    }
    m_summary->document()->addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(kPictureResource)),
                                       picture);
    ShowPage(PicturePage(kPictureResource));
}

void TFatForm::ShowHelp()
{
    m_helpOpener->OpenInstalled(QStringLiteral("Common Files/") + QString::fromLatin1(kHelpPage));
}

void TFatForm::CancelClick() { reject(); }

void TFatForm::reject()
{
    // Escape and the Cancel button alike put the coil back as it was.
    if (TargetCoil()) {
        m_editor.Cancel();
        AfterChange();
    }
    QDialog::reject();
}

bool TFatForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (key == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vantor
