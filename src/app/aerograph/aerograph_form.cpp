#include "aerograph_form.h"

#include "gui/chart/chart_panel.h"
#include "gui/common/qt_text.h"
#include "text/format.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include <array>

namespace vantor {

namespace {

constexpr int kMarkerSize = 7;
constexpr int kProcessWidth = 2;

// One colour per received file, in turn.
const std::array<QColor, 6> kFileColours = {QColor(200, 0, 0), QColor(0, 0, 160), QColor(0, 128, 0),
                                            QColor(160, 0, 160), QColor(200, 110, 0), QColor(0, 128, 128)};

QColor LineColour(TPsyLineKind kind)
{
    switch (kind) {
    case TPsyLineKind::Saturation:
        return QColor(0, 0, 0);
    case TPsyLineKind::RelativeHumidity:
        return QColor(70, 110, 200);
    case TPsyLineKind::WetBulb:
        return QColor(60, 150, 90);
    case TPsyLineKind::Enthalpy:
        return QColor(190, 120, 60);
    }
    return Qt::gray;
}

}  // namespace

TAerographForm::TAerographForm(QWidget* parent)
    : QMainWindow(parent), m_chart(new TChartPanel(this)), m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("AerographForm"));
    setWindowTitle(tr("Aerograph"));
    setCentralWidget(m_chart);
    statusBar()->addWidget(m_status, 1);
    m_chart->SetMargins(70, 30, 30, 50);
    m_chart->SetScaleXLabel(tr("Dry Bulb, °C"));
    m_chart->SetScaleYLabel(tr("Moisture Content, kg/kg"));
    m_chart->SetScaleXTicks(8);
    m_chart->SetScaleYTicks(8);
    m_chart->SetShowXPosFmt(QStringLiteral("%0.1f"));
    m_chart->SetShowYPosFmt(QStringLiteral("%0.4f"));
    m_chart->SetShowXYPosPlace(TPosPlace::ppTopRight);
    connect(m_chart, &TChartPanel::DoubleClicked, m_chart, &TChartPanel::Copy);
    SetUpMenus();
    resize(900, 640);
    Refresh();
}

TAerographForm::~TAerographForm() = default;

void TAerographForm::SetUpMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &TAerographForm::OpenWithDialog);
    file->addAction(tr("&Clear"), this, &TAerographForm::Clear);
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Copy Chart"), QKeySequence::Copy, m_chart, &TChartPanel::Copy);
}

QString TAerographForm::StatusText() const { return m_status->text(); }

TResult TAerographForm::OpenFile(const QString& fileName)
{
    const TResult received = m_model.Receive(ToStdString(fileName));
    if (!received) {
        m_status->setText(ToQString(received.Message));
        // Files arrive from other programs: the message must not hold up the next one.
        auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), ToQString(received.Message), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return received;
    }
    Refresh();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    return received;
}

void TAerographForm::OpenWithDialog()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Open"), {}, tr("Aerograph Data File (*.psy)"));
    for (const QString& file : files) (void)OpenFile(file);  // a failure was shown
}

void TAerographForm::Clear()
{
    m_model = TAerographModel();
    Refresh();
}

void TAerographForm::Refresh()
{
    const TPsyRanges ranges = m_model.Ranges();
    m_chart->ClearCurves();
    m_chart->ClearPoints();
    m_chart->SetRanges(ranges.MoistureMax, ranges.MoistureMin, ranges.DryBulbMax, ranges.DryBulbMin);
    m_chart->SetTitle(ToQString(Format("Psychrometric Chart at %0.3f kPa", {m_model.Barometer()})));
    DrawChartLines();
    DrawProcesses();
    m_chart->Redraw();

    const TPsySource* current = m_model.Current();
    m_status->setText(current ? tr("%1 file(s); last %2")
                                    .arg(m_model.Sources().size())
                                    .arg(ToQString(current->Path.string()))
                              : tr("No chart file received"));
    setWindowTitle(current ? tr("Aerograph - %1").arg(ToQString(current->Path.filename().string())) : tr("Aerograph"));
}

void TAerographForm::DrawChartLines()
{
    for (const TPsyChartLine& line : m_model.Lines()) {
        TChartLine& curve = m_chart->AddCurve(LineColour(line.Kind));
        curve.LineWidth = line.Kind == TPsyLineKind::Saturation ? 2 : 1;
        if (line.Kind == TPsyLineKind::WetBulb) curve.LinePenStyle = Qt::DashLine;
        if (line.Kind == TPsyLineKind::Enthalpy) curve.LinePenStyle = Qt::DotLine;
        for (const TPsyPoint& p : line.Points) curve.AddPoint(p.DryBulb, p.Moisture);
        // Humidity lines are named where they leave the chart, the others at their upper end.
        curve.Label.Text = ToQString(line.Label);
        curve.Label.Mode = TCurveLabelMode::clAtPoint;
        const bool labelAtEnd = line.Kind == TPsyLineKind::RelativeHumidity || line.Kind == TPsyLineKind::Saturation;
        curve.Label.PointIndex = labelAtEnd ? curve.PointCount() - 1 : 0;
        curve.Label.Transparent = false;
    }
}

void TAerographForm::DrawProcesses()
{
    std::size_t fileIndex = 0;
    for (const TPsySource& source : m_model.Sources()) {
        const QColor colour = kFileColours[fileIndex++ % kFileColours.size()];
        for (const TPlottedProcess& process : source.Processes) {
            TChartLine& curve = m_chart->AddCurve(colour);
            curve.LineWidth = kProcessWidth;
            curve.Label.Text = ToQString(process.Process.Caption);
            curve.Label.Mode = TCurveLabelMode::clAtFraction;
            curve.Label.PointFraction = 0.5;
            // A middle point carries the process's caption.
            const TPsyPoint& from = source.Nodes[process.From].Point;
            const TPsyPoint& to = source.Nodes[process.To].Point;
            curve.AddPoint(from.DryBulb, from.Moisture);
            curve.AddPoint((from.DryBulb + to.DryBulb) / 2, (from.Moisture + to.Moisture) / 2);
            curve.AddPoint(to.DryBulb, to.Moisture);
        }
        for (const TPlottedNode& node : source.Nodes) {
            TChartPoint& point = m_chart->AddPoint(node.Point.DryBulb, node.Point.Moisture);
            point.Style().Marker.Kind = TMarkerKind::mkCircle;
            point.Style().Marker.Size = kMarkerSize;
            point.Style().PenColor = colour;
            point.Style().BrushColor = colour;
            point.Label().Mode = TPointLabelMode::plText;
            point.Label().Text = ToQString(node.Node.Caption);
        }
    }
}

}  // namespace vantor
