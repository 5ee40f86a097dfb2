#include "gui/coil_editor/circuit_picture.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>

namespace vantor {

namespace {

constexpr int kMargin = 14;
constexpr int kTopBand = 22;     // room for the air arrow
constexpr int kTextGap = 14;
constexpr double kLargestCell = 22;
constexpr double kTubeShare = 0.62;  // tube diameter over the cell

QColor CircuitColor(int circuit)
{
    // Hues spaced by the golden angle, so neighbouring circuits never look alike.
    const int hue = (circuit * 137) % 360;
    return QColor::fromHsl(hue, 170, 110);
}

QStringList CountLines(const TCircuitLayout& layout)
{
    return {QStringLiteral("%1 rows x %2 tubes high").arg(layout.Rows).arg(layout.TubesHigh),
            QStringLiteral("%1 circuits").arg(layout.Circuits),
            QStringLiteral("%1 tubes per circuit").arg(layout.TubesPerCircuit),
            QStringLiteral("%1 unlinked tubes").arg(layout.Unlinked)};
}

}  // namespace

QImage DrawCircuitPicture(const TCircuitLayout& layout, int height)
{
    height = std::max(height, 120);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    const QStringList lines = CountLines(layout);
    int textWidth = 0;
    for (const QString& line : lines) textWidth = std::max(textWidth, metrics.horizontalAdvance(line));

    // Staggered rows reach half a pitch lower than the rest.
    const double levels = std::max(layout.TubesHigh, 1) + 0.5;
    const double cell = std::min(kLargestCell, (height - kTopBand - 2.0 * kMargin) / levels);
    const int tubesWidth = static_cast<int>(std::max(layout.Rows, 1) * cell);
    const int width = kMargin + std::max(tubesWidth, 40) + kTextGap + textWidth + kMargin;

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);

    // The air enters on the left.
    const double arrowY = kMargin + 6;
    painter.setPen(QPen(Qt::darkGray, 1.5));
    painter.drawLine(QPointF(kMargin, arrowY), QPointF(kMargin + tubesWidth, arrowY));
    QPainterPath head;
    head.moveTo(kMargin + tubesWidth, arrowY);
    head.lineTo(kMargin + tubesWidth - 6, arrowY - 4);
    head.lineTo(kMargin + tubesWidth - 6, arrowY + 4);
    head.closeSubpath();
    painter.fillPath(head, Qt::darkGray);
    painter.drawText(QPointF(kMargin + tubesWidth + 4, arrowY + 4), QStringLiteral("air"));

    const double top = kMargin + kTopBand;
    auto centre = [&](const TTubeSpot& spot) { return QPointF(kMargin + spot.X * cell, top + spot.Y * cell); };

    // Return bends first, so the tubes sit on top of them.
    for (size_t i = 1; i < layout.Path.size(); ++i) {
        const TTubeSpot& from = layout.Path[i - 1];
        const TTubeSpot& to = layout.Path[i];
        if (from.Circuit < 0 || from.Circuit != to.Circuit) continue;
        painter.setPen(QPen(CircuitColor(from.Circuit), std::max(1.5, cell * 0.18), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre(from), centre(to));
    }
    const double radius = cell * kTubeShare / 2;
    for (const TTubeSpot& spot : layout.Path) {
        if (spot.Circuit < 0) {
            painter.setPen(QPen(QColor(255, 69, 0), 1.5));
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(QPen(CircuitColor(spot.Circuit).darker(140), 1));
            painter.setBrush(CircuitColor(spot.Circuit));
        }
        painter.drawEllipse(centre(spot), radius, radius);
    }

    painter.setPen(Qt::black);
    double y = top + metrics.ascent();
    const double x = kMargin + std::max(tubesWidth, 40) + kTextGap;
    for (int i = 0; i < lines.size(); ++i) {
        if (i == 3 && layout.Unlinked > 1) painter.setPen(QColor(255, 69, 0));
        painter.drawText(QPointF(x, y), lines[i]);
        y += metrics.lineSpacing();
    }
    return image;
}

}  // namespace vantor
