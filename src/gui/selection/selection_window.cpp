#include "gui/selection/selection_window.h"

#include "document/rating_document.h"
#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "gui/selection/selection_table_model.h"
#include "gui/selection/stored_value_edit.h"
#include "selection/selection_inputs.h"
#include "selection/use_selected_coil.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QtConcurrent/QtConcurrentRun>
#include <QVBoxLayout>

namespace vantor {

namespace {

constexpr int kProgressSteps = 1000;

QDoubleSpinBox* NumberEdit(double lo, double hi, int decimals, const QString& suffix)
{
    auto* edit = new QDoubleSpinBox;
    SetUpNumberEdit(*edit, lo, hi, decimals, suffix);
    return edit;
}

QSpinBox* CountEdit(int lo, int hi)
{
    auto* edit = new QSpinBox;
    edit->setRange(lo, hi);
    return edit;
}

QWidget* Pair(QWidget* a, QWidget* b)
{
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(a);
    layout->addWidget(new QLabel(QStringLiteral("to")));
    layout->addWidget(b);
    return box;
}

// A header whose sort arrow takes only its own width. QHeaderView keeps room for an arrow as
// wide as the section is high, which with two-line headings (caption, unit) makes every
// column of numbers twice as wide as its texts and pushes the last columns out of view.
class TCompactHeader : public QHeaderView {
public:
    TCompactHeader() : QHeaderView(Qt::Horizontal) {}

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        if (!isSortIndicatorShown()) return size;
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
        const int arrow = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this);
        size.rwidth() -= size.height() + margin;
        size.rwidth() += arrow + margin;
        return size;
    }
};

// The row of input groups. Side by side they want about 1100 px; on a narrow screen or in a
// large font they scroll sideways instead of pushing the window past the screen's edge, and
// the row grows by a scroll bar's height only while one is shown.
class TInputRow : public QScrollArea {
public:
    explicit TInputRow(QWidget* groups)
    {
        setWidget(groups);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return {widget()->sizeHint().width(), NeededHeight(width())}; }
    QSize minimumSizeHint() const override { return {0, NeededHeight(width())}; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        if (NeededHeight(event->size().width()) != NeededHeight(event->oldSize().width())) updateGeometry();
    }

private:
    int NeededHeight(int width) const
    {
        const bool scrolls = width < widget()->minimumSizeHint().width();
        return widget()->sizeHint().height() + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0);
    }
};

}  // namespace

TCoilSelectionForm::TCoilSelectionForm(TRatingDocument& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_inputUnits(doc.Units()), m_results(new TSelectionTableModel(doc.Units(), this)),
      m_sorted(new QSortFilterProxyModel(this)), m_prompts(std::make_shared<TDialogPrompts>(this))
{
    setObjectName(ToQString(kCoilSelectionSection));
    setWindowTitle(tr("Coil Selection"));
    setLocale(QLocale::c());

    m_run = new QPushButton(tr("&Run"));
    m_cancel = new QPushButton(tr("&Cancel"));
    m_use = new QPushButton(tr("&Use this coil"));
    auto* close = new QPushButton(tr("Close"));
    m_progress = new QProgressBar;
    m_progress->setRange(0, kProgressSteps);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_status = new QLabel;
    m_sorted->setSourceModel(m_results);
    m_sorted->setSortRole(TSelectionTableModel::kSortRole);
    m_table = new QTableView;
    m_table->setHorizontalHeader(new TCompactHeader);
    m_table->setModel(m_sorted);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->setSortingEnabled(true);
    // Every column as wide as its texts; the model designations take what room is left.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(TSelectionTable::kModel, QHeaderView::Stretch);

    auto* groups = new QWidget;
    auto* inputs = new QHBoxLayout(groups);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->addWidget(BuildRequirement());
    inputs->addWidget(BuildLimits());
    inputs->addWidget(BuildCandidates());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_use);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new TInputRow(groups));
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    resize(1180, 640);

    connect(m_run, &QPushButton::clicked, this, &TCoilSelectionForm::Run);
    connect(m_cancel, &QPushButton::clicked, this, &TCoilSelectionForm::CancelRun);
    connect(m_use, &QPushButton::clicked, this, &TCoilSelectionForm::UseThisCoil);
    connect(close, &QPushButton::clicked, this, &TCoilSelectionForm::reject);
    connect(m_table, &QTableView::doubleClicked, this, &TCoilSelectionForm::UseThisCoil);
    connect(&m_watcher, &QFutureWatcher<TSelectionOutcome>::progressValueChanged, m_progress, &QProgressBar::setValue);
    connect(&m_watcher, &QFutureWatcher<TSelectionOutcome>::finished, this, &TCoilSelectionForm::RunFinished);

    const TSettingsStore programKey(TSettingsKey::Program);
    RestoreProgramPlacement(*this, kCoilSelectionSection);
    ShowSettings(ReadSelectionSettings(programKey));
    SetRunning(false);
}

TCoilSelectionForm::~TCoilSelectionForm()
{
    StopRun();
    TSettingsStore programKey(TSettingsKey::Program);
    WriteSelectionSettings(programKey, CurrentSettings());
    KeepWindowSettings(programKey);
    SaveProgramPlacement(*this, kCoilSelectionSection);
}

QWidget* TCoilSelectionForm::BuildRequirement()
{
    const TSelectionRequirement req = RequirementOf(m_doc, false);
    auto* box = new QGroupBox(tr("Requirement"));
    auto* form = new QFormLayout(box);
    m_duty = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kDuty);
    m_airVolume = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kAirVolume);
    m_byDrop = new QRadioButton(tr("Design dT"));
    m_byFlow = new QRadioButton(tr("Fluid flow"));
    m_designDrop = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kDesignDrop);
    m_fluidFlow = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kFluidFlow);
    m_duty->ShowStored(req.Duty);
    m_airVolume->ShowStored(req.AirVolume);
    m_designDrop->ShowStored(req.DesignDT);
    m_fluidFlow->ShowStored(m_doc.HotWaterCoil().LiquidState.MassFlow());
    form->addRow(tr("Duty"), m_duty);
    form->addRow(tr("Air volume"), m_airVolume);
    // The air and the fluid stay the document's, so the chosen coil rates there as here.
    form->addRow(tr("Air on"), new QLabel(ToQString(m_inputUnits.AirOnText(req.AirOn))));
    form->addRow(tr("Fluid"), new QLabel(ToQString(m_inputUnits.FluidText(req))));
    form->addRow(m_byDrop, m_designDrop);
    form->addRow(m_byFlow, m_fluidFlow);
    connect(m_byFlow, &QRadioButton::toggled, this, [this](bool byFlow) {
        m_fluidFlow->setEnabled(byFlow);
        m_designDrop->setEnabled(!byFlow);
    });
    return box;
}

QWidget* TCoilSelectionForm::BuildLimits()
{
    auto* box = new QGroupBox(tr("Limits"));
    auto* form = new QFormLayout(box);
    m_margin = NumberEdit(0, 1000, 1, QStringLiteral(" %"));
    m_maxAirDrop = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kMaxAirDrop);
    m_maxFluidDrop = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kMaxFluidDrop);
    m_minTubeVelocity = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kMinTubeVelocity, false);
    m_maxTubeVelocity = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kMaxTubeVelocity);
    m_maxFaceVelocity = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kMaxFaceVelocity);
    m_top = CountEdit(1, 1000);
    m_distinct = new QCheckBox(tr("Distinct coils"));
    m_distinct->setToolTip(tr("Only the lightest face of each range, rows, fins and circuits"));
    form->addRow(tr("Duty margin"), m_margin);
    form->addRow(tr("Air dP"), m_maxAirDrop);
    form->addRow(tr("Fluid dP"), m_maxFluidDrop);
    form->addRow(tr("Tube velocity"), Pair(m_minTubeVelocity, m_maxTubeVelocity));
    form->addRow(tr("Face velocity"), m_maxFaceVelocity);
    form->addRow(tr("Results"), m_top);
    form->addRow(QString(), m_distinct);
    return box;
}

QWidget* TCoilSelectionForm::BuildCandidates()
{
    auto* box = new QGroupBox(tr("Candidates"));
    auto* form = new QFormLayout(box);
    m_maker = new QComboBox;
    m_range = new QComboBox;
    m_fixedFace = new QCheckBox(tr("Fixed face"));
    m_height = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kHeight);
    m_length = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kLength);
    m_minHeight = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kHeight, false);
    m_maxHeight = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kHeight);
    m_minLength = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kLength, false);
    m_maxLength = new TStoredValueEdit(m_inputUnits, TSelectionInputUnits::kLength);
    m_aspectLo = NumberEdit(0.01, 100, 2, QString());
    m_aspectHi = NumberEdit(0.01, 100, 2, QString());
    m_rowsLo = CountEdit(1, 20);
    m_rowsHi = CountEdit(1, 20);
    m_finsLo = CountEdit(1, 30);
    m_finsHi = CountEdit(1, 30);
    form->addRow(tr("Maker"), m_maker);
    form->addRow(tr("Range"), m_range);
    form->addRow(m_fixedFace, Pair(m_height, m_length));
    form->addRow(tr("Height"), Pair(m_minHeight, m_maxHeight));
    form->addRow(tr("Length"), Pair(m_minLength, m_maxLength));
    form->addRow(tr("L/H"), Pair(m_aspectLo, m_aspectHi));
    form->addRow(tr("Rows"), Pair(m_rowsLo, m_rowsHi));
    form->addRow(tr("Fins/inch"), Pair(m_finsLo, m_finsHi));
    FillMakers();
    connect(m_maker, &QComboBox::currentIndexChanged, this, &TCoilSelectionForm::FillRanges);
    connect(m_fixedFace, &QCheckBox::toggled, this, &TCoilSelectionForm::UpdateFaceControls);
    return box;
}

void TCoilSelectionForm::FillMakers()
{
    m_maker->addItem(tr("All makers"), QString());
    for (const std::string& name : m_doc.Makers().MakerNames()) m_maker->addItem(ToQString(name), ToQString(name));
}

void TCoilSelectionForm::FillRanges()
{
    const QString keep = m_range->currentData().toString();
    m_range->clear();
    m_range->addItem(tr("All ranges"), QString());
    const std::string maker = ToStdString(m_maker->currentData().toString());
    if (!maker.empty()) {
        TMnfRecVec ranges;
        if (CatalogueRanges(m_doc.Makers(), maker, {}, ranges))
            for (const TMnfRec& r : ranges) m_range->addItem(ToQString(r.name), ToQString(r.name));
    }
    m_range->setCurrentIndex(std::max(0, m_range->findData(keep)));
}

void TCoilSelectionForm::UpdateFaceControls()
{
    const bool fixed = m_fixedFace->isChecked();
    for (QWidget* w : {m_height, m_length}) w->setEnabled(fixed);
    for (QWidget* w : std::initializer_list<QWidget*>{m_minHeight, m_maxHeight, m_minLength, m_maxLength, m_aspectLo, m_aspectHi})
        w->setEnabled(!fixed);
}

TSelectionSettings TCoilSelectionForm::CurrentSettings() const
{
    TSelectionSettings s;
    s.Limits.Margin = m_margin->value() / 100;
    s.Limits.MaxAirDrop = m_maxAirDrop->StoredValue();
    s.Limits.MaxFluidDrop = m_maxFluidDrop->StoredValue();
    s.Limits.MinTubeVelocity = m_minTubeVelocity->StoredValue();
    s.Limits.MaxTubeVelocity = m_maxTubeVelocity->StoredValue();
    s.Limits.MaxFaceVelocity = m_maxFaceVelocity->StoredValue();
    s.Space.MinHeight = m_minHeight->StoredValue();
    s.Space.MaxHeight = m_maxHeight->StoredValue();
    s.Space.MinLength = m_minLength->StoredValue();
    s.Space.MaxLength = m_maxLength->StoredValue();
    s.Space.AspectLo = m_aspectLo->value();
    s.Space.AspectHi = m_aspectHi->value();
    s.Space.Rows = {m_rowsLo->value(), m_rowsHi->value()};
    s.Space.Fins = {m_finsLo->value(), m_finsHi->value()};
    s.FixedFace = m_fixedFace->isChecked();
    s.FixedHeight = m_height->StoredValue();
    s.FixedLength = m_length->StoredValue();
    s.Maker = ToStdString(m_maker->currentData().toString());
    s.Range = ToStdString(m_range->currentData().toString());
    s.ByFlow = m_byFlow->isChecked();
    s.Top = m_top->value();
    s.Distinct = m_distinct->isChecked();
    return s;
}

void TCoilSelectionForm::ShowSettings(const TSelectionSettings& s)
{
    m_margin->setValue(100 * s.Limits.Margin);
    m_maxAirDrop->ShowStored(s.Limits.MaxAirDrop);
    m_maxFluidDrop->ShowStored(s.Limits.MaxFluidDrop);
    m_minTubeVelocity->ShowStored(s.Limits.MinTubeVelocity);
    m_maxTubeVelocity->ShowStored(s.Limits.MaxTubeVelocity);
    m_maxFaceVelocity->ShowStored(s.Limits.MaxFaceVelocity);
    m_minHeight->ShowStored(s.Space.MinHeight);
    m_maxHeight->ShowStored(s.Space.MaxHeight);
    m_minLength->ShowStored(s.Space.MinLength);
    m_maxLength->ShowStored(s.Space.MaxLength);
    m_aspectLo->setValue(s.Space.AspectLo);
    m_aspectHi->setValue(s.Space.AspectHi);
    m_rowsLo->setValue(s.Space.Rows.Lo);
    m_rowsHi->setValue(s.Space.Rows.Hi);
    m_finsLo->setValue(s.Space.Fins.Lo);
    m_finsHi->setValue(s.Space.Fins.Hi);
    m_fixedFace->setChecked(s.FixedFace);
    m_height->ShowStored(s.FixedHeight);
    m_length->ShowStored(s.FixedLength);
    m_maker->setCurrentIndex(std::max(0, m_maker->findData(ToQString(s.Maker))));
    FillRanges();
    m_range->setCurrentIndex(std::max(0, m_range->findData(ToQString(s.Range))));
    (s.ByFlow ? m_byFlow : m_byDrop)->setChecked(true);
    m_fluidFlow->setEnabled(s.ByFlow);
    m_designDrop->setEnabled(!s.ByFlow);
    m_top->setValue(s.Top);
    m_distinct->setChecked(s.Distinct);
    UpdateFaceControls();
}

TSelectionRequirement TCoilSelectionForm::CurrentRequirement(bool byFlow) const
{
    TSelectionRequirement req = RequirementOf(m_doc, false);
    req.Duty = m_duty->StoredValue();
    req.AirVolume = m_airVolume->StoredValue();
    if (byFlow)
        req.FluidFlow = m_fluidFlow->StoredValue();
    else
        req.DesignDT = m_designDrop->StoredValue();
    return req;
}

void TCoilSelectionForm::Run()
{
    if (Running()) return;
    const TSelectionSettings s = CurrentSettings();
    m_request = {};
    m_request.Requirement = CurrentRequirement(s.ByFlow);
    m_request.Limits = s.Limits;
    m_request.Space = s.Space;
    if (s.FixedFace) {
        m_request.Space.FixedHeight = s.FixedHeight;
        m_request.Space.FixedLength = s.FixedLength;
    }
    m_request.Top = s.Top;
    m_request.Distinct = s.Distinct;
    TResult usable = CatalogueRanges(m_doc.Makers(), s.Maker, s.Range, m_request.Space.Ranges);
    if (usable) usable = TCoilSelector::CheckRequest(m_request);
    if (!usable) {
        m_prompts->ShowMessage(ToQString(usable.Message), TMessageKind::Warning);
        return;
    }
    m_results->SetResults({});
    m_status->setText(tr("Selecting..."));
    m_feedback.Reset();
    m_running = true;
    SetRunning(true);
    m_watcher.setFuture(QtConcurrent::run([this, request = m_request](QPromise<TSelectionOutcome>& promise) {
        promise.setProgressRange(0, kProgressSteps);
        promise.addResult(TCoilSelector::Run(request, m_feedback, [&promise](double share) {
            promise.setProgressValue(static_cast<int>(share * kProgressSteps));
        }));
    }));
}

void TCoilSelectionForm::CancelRun()
{
    if (Running()) m_feedback.Cancel();
}

void TCoilSelectionForm::StopRun()
{
    CancelRun();
    m_watcher.waitForFinished();
}

const std::vector<TSelectionResult>& TCoilSelectionForm::Results() const { return m_results->Results(); }

void TCoilSelectionForm::RunFinished()
{
    m_running = false;
    SetRunning(false);
    // The last share reported: all of the bar after a whole run, part of it after Cancel.
    m_progress->setValue(m_watcher.progressValue());
    ShowResults(m_watcher.future().resultCount() > 0 ? m_watcher.result() : TSelectionOutcome{});
}

void TCoilSelectionForm::ShowResults(const TSelectionOutcome& outcome)
{
    m_results->SetResults(outcome.Results);
    // Lightest first, as ranked, until the user sorts by another column.
    m_table->sortByColumn(TSelectionTable::kRank, Qt::AscendingOrder);
    if (!outcome.Results.empty()) m_table->selectRow(0);
    m_use->setEnabled(!outcome.Results.empty());
    FitModelColumn();

    QString status = outcome.Canceled ? tr("Cancelled: ") : QString();
    if (!outcome.Results.empty()) {
        status += tr("%1 coils, lightest first, from %2 ratings.").arg(outcome.Results.size()).arg(outcome.Ratings);
    } else {
        const TRuleOut main = outcome.MainRuleOut();
        status += tr("No coil meets the requirement; the limit that ruled out the most candidates: %1.")
                      .arg(ToQString(RuleOutText(main)));
    }
    m_status->setText(status);
}

void TCoilSelectionForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FitModelColumn();
}

// The model designations take the room the other columns leave, but never less than their
// own width: when the columns are wider than the view (a large font), the table scrolls.
void TCoilSelectionForm::FitModelColumn()
{
    QHeaderView& header = *m_table->horizontalHeader();
    int others = 0;
    for (int column = 0; column < header.count(); ++column)
        if (column != TSelectionTable::kModel) others += header.sectionSize(column);
    const QAbstractItemView& view = *m_table;  // the widest cell's width is public here
    const int model = std::max(header.sectionSizeHint(TSelectionTable::kModel),
                               view.sizeHintForColumn(TSelectionTable::kModel));
    const bool roomy = others + model <= m_table->viewport()->width();
    header.setSectionResizeMode(TSelectionTable::kModel, roomy ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
}

void TCoilSelectionForm::SetRunning(bool running)
{
    m_run->setEnabled(!running);
    m_cancel->setEnabled(running);
    m_use->setEnabled(!running && !Results().empty());
    if (running) m_progress->setValue(0);
}

bool TCoilSelectionForm::UseThisCoil()
{
    const QModelIndex current = m_sorted->mapToSource(m_table->currentIndex());
    if (Running() || !current.isValid()) return false;
    const TResult used =
        UseSelectedCoil(m_doc, Results().at(static_cast<size_t>(current.row())), m_request.Requirement.AirVolume);
    if (!used) {
        m_prompts->ShowMessage(ToQString(used.Message), TMessageKind::Warning);
        return false;
    }
    accept();
    return true;
}

void TCoilSelectionForm::reject()
{
    StopRun();
    QDialog::reject();
}

}  // namespace vantor
