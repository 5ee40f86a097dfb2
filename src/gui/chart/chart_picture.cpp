#include "gui/chart/chart_picture.h"

#include "gui/chart/chart_panel.h"
#include "gui/common/qt_text.h"
#include "text/file_io.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <filesystem>

namespace vantor {

namespace {

// Picture files count 96 pixels to the inch, as the screen the chart was laid out for.
constexpr int kPictureDpi = 96;
constexpr int kNotesGap = 6;      // pixels between the chart and its notes, and between lines
constexpr int kNotesSpacing = 18; // pixels between two legend entries or two values

int NotesHeight(const QFontMetrics& metrics, const TChartNotes& notes)
{
    int lines = 0;
    if (!notes.Legend.empty()) ++lines;
    if (!notes.Values.empty()) ++lines;
    return lines == 0 ? 0 : kNotesGap + lines * (metrics.height() + kNotesGap);
}

// Texts in a row from the left, each in its colour.
void DrawRow(QPainter& painter, const QFontMetrics& metrics, int left, int top, const std::vector<TLegendEntry>& row)
{
    int x = left;
    for (const TLegendEntry& entry : row) {
        const int w = metrics.horizontalAdvance(entry.Text) + 2;
        painter.setPen(entry.Colour);
        painter.drawText(QRect(x, top, w, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, entry.Text);
        x += w + kNotesSpacing;
    }
}

TResult CannotWrite(const QString& fileName) { return TResult::Error(fwFailed, "Unable to write to " + ToStdString(fileName)); }

TResult WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    return WriteFileAtomically(std::filesystem::path(ToStdString(fileName)),
                               std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

// Paints onto device, a painter refusing to start being a failure.
template <class Device>
bool PaintOn(Device& device, const QSize& size, const TChartPanel& chart, const TChartNotes& notes)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PaintChartPicture(painter, size, chart, notes);
    return painter.end();
}

bool PaintPng(QBuffer& buffer, const QSize& size, const TChartPanel& chart, const TChartNotes& notes)
{
    QImage image(size, QImage::Format_ARGB32);
    image.setDotsPerMeterX(qRound(kPictureDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kPictureDpi / 0.0254));
    image.fill(Qt::white);
    return PaintOn(image, size, chart, notes) && image.save(&buffer, "PNG");
}

// A page the size of the picture, so that a report can place it like an image. Qt's PDF
// writer rather than QPrinter: the printer set-up asks the print system for its default
// printer and can keep a machine without one waiting for seconds.
bool PaintPdf(QBuffer& buffer, const QSize& size, const TChartPanel& chart, const TChartNotes& notes)
{
    QPdfWriter writer(&buffer);
    writer.setResolution(kPictureDpi);
    writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / kPictureDpi, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(chart.Title());
    writer.setCreator(QStringLiteral("Vantor"));
    return PaintOn(writer, size, chart, notes);
}

bool PaintSvg(QBuffer& buffer, const QSize& size, const TChartPanel& chart, const TChartNotes& notes)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(kPictureDpi);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart.Title());
    return PaintOn(generator, size, chart, notes);
}

}  // namespace

void PaintChartPicture(QPainter& painter, const QSize& size, const TChartPanel& chart, const TChartNotes& notes)
{
    const QFont font = ChartTextFont(chart.font());
    const QFontMetrics metrics(font, painter.device());
    const int notesHeight = NotesHeight(metrics, notes);
    const QSize chartSize(size.width(), size.height() - notesHeight);
    painter.save();
    chart.Paint(painter, chartSize);
    painter.restore();
    if (notesHeight == 0) return;

    painter.fillRect(QRect(0, chartSize.height(), size.width(), notesHeight), chart.Color());
    painter.setFont(font);
    const int left = chart.Margins().Left;
    int top = chartSize.height() + kNotesGap;
    if (!notes.Legend.empty()) {
        DrawRow(painter, metrics, left, top, notes.Legend);
        top += metrics.height() + kNotesGap;
    }
    DrawRow(painter, metrics, left, top, notes.Values);
}

TResult WriteChartPicture(const TChartPanel& chart, const TChartNotes& notes, const QSize& size, const QString& fileName)
{
    const std::optional<TPictureFormat> format = PictureFormatOf(ToStdString(fileName));
    if (!format)
        return TResult::Error(fwFailed, "Cannot tell the picture type of " + ToStdString(fileName) +
                                            ": its name must end in .png, .pdf or .svg");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    switch (*format) {
    case TPictureFormat::pfPng:
        painted = PaintPng(buffer, size, chart, notes);
        break;
    case TPictureFormat::pfPdf:
        painted = PaintPdf(buffer, size, chart, notes);
        break;
    case TPictureFormat::pfSvg:
        painted = PaintSvg(buffer, size, chart, notes);
        break;
    }
    buffer.close();
    if (!painted) return CannotWrite(fileName);
    return WriteBytes(fileName, bytes);
}

}  // namespace vantor
