#include "gui/reports/report_window.h"

#include "gui/common/form_placement.h"
#include "gui/mail/mail_sender.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/report_view.h"
#include "settings/settings_store.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>

namespace vantor {

namespace {

constexpr std::string_view kWindowName = "ReportForm";
constexpr QSize kMinimumSize{230, 320};
constexpr QSize kStartSize{360, 480};
constexpr int kMarginStrip = 12;
constexpr int kDefaultCharset = 1;

// Colours are kept as the integers of the settings store: red in the low byte, then green,
// then blue.
int ColorValue(const QColor& color) { return color.red() | (color.green() << 8) | (color.blue() << 16); }
QColor ColorOf(int value) { return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff); }

}  // namespace

TReportForm::TReportForm(QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_toolBar(new QToolBar(this)),
      m_box(new KzReportView(this)),
      m_status(new QLabel(this)),
      m_mail(new TMapiControl(this))
{
    setObjectName(ToQString(kWindowName));
    setWindowTitle(tr("Report"));
    setMinimumSize(kMinimumSize);
    resize(kStartSize);
    m_box->setObjectName(QStringLiteral("RichEdit1"));
    m_box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this](const QString& caption, const QString& hint, void (TReportForm::*slot)()) {
        QAction* action = m_toolBar->addAction(caption, this, slot);
        action->setToolTip(hint);
        return action;
    };
    m_print = add(tr("&Print"), tr("Send report to printer"), &TReportForm::Print);
    m_copy = add(tr("C&opy"), tr("Copy report to clipboard"), &TReportForm::Copy);
    m_email = add(tr("&Email"), tr("Send as EMail"), &TReportForm::Email);
    add(tr("&Setup"), tr("Printer setup"), &TReportForm::Setup);
    add(tr("&Font"), tr("Set report font"), &TReportForm::ChooseFont);
    m_toolBar->addAction(tr("&Close"), this, &QWidget::close);

    auto* strip = new QWidget(this);
    strip->setFixedWidth(kMarginStrip);
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::Window);
    m_box->setBackgroundRole(QPalette::Base);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(strip);
    body->addWidget(m_box);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(true);
    statusBar->addWidget(m_status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addLayout(body, 1);
    layout->addWidget(statusBar);

    RestoreProgramPlacement(*this, kWindowName);
    LoadFont();
    SetTabStops({90, 155});
    Title = QApplication::applicationDisplayName();
    SetStatus(tr("Ready"));
}

TReportForm::~TReportForm() = default;

void TReportForm::SetTabStops(const std::vector<int>& positions)
{
    // Points, as the report's font sizes are: the columns keep their room on any screen.
    std::vector<int> stops;
    for (const int position : positions)
        if (position > 0) stops.push_back(position * m_box->logicalDpiX() / 72);
    m_tabStops = stops;
    m_box->FitTabStops(stops);
}

KzReportView& TReportForm::RichEdit1() const
{
    LayOutPending();
    return *m_box;
}

void TReportForm::ShowReport(const TDocumentReport& report)
{
    m_pending = report;
    if (isVisible()) LayOutPending();
}

void TReportForm::showEvent(QShowEvent* event)
{
    LayOutPending();
    QWidget::showEvent(event);
}

void TReportForm::LayOutPending() const
{
    if (!m_pending) return;
    const TDocumentReport report = std::move(*m_pending);
    m_pending.reset();
    // Clearing the box gives its document the default text option again.
    m_box->clear();
    // One edit block: the text is laid out once, not again after every line.
    QTextCursor edit(m_box->document());
    edit.beginEditBlock();
    m_box->SetTabStops(m_tabStops);
    for (const TStringSink::TLine& line : report.Lines) m_box->AppendLine(line.Text, line.Bold);
    if (!report.Footer.empty()) m_box->AppendStyledLine(report.Footer, false, true);
    // The columns follow the font: at a large size the stops move right of the set ones.
    m_box->FitTabStops(m_tabStops);
    edit.endEditBlock();
}

QString TReportForm::StatusText() const { return m_status->text(); }

void TReportForm::SetStatus(const QString& text) { m_status->setText(text); }

void TReportForm::LoadFont()
{
    const TSettingsStore programKey(TSettingsKey::Program);
    QFont font = m_box->font();
    const int size = programKey.ReadInteger(kWindowName, "FontSize", font.pointSize());
    if (size > 0) font.setPointSize(size);
    const std::string name = programKey.ReadString(kWindowName, "FontName", ToStdString(font.family()));
    if (!name.empty()) font.setFamily(ToQString(name));
    const QColor present = m_box->palette().color(QPalette::Text);
    const int color = programKey.ReadInteger(kWindowName, "FontColor", ColorValue(present));
    m_fontCharset = programKey.ReadInteger(kWindowName, "FontCharset", kDefaultCharset);
    SetBoxFont(font, color >= 0 ? ColorOf(color) : present);
}

void TReportForm::SaveSettings() const
{
    SaveProgramPlacement(*this, kWindowName);
    TSettingsStore programKey(TSettingsKey::Program);
    const QFont font = m_box->font();
    programKey.WriteInteger(kWindowName, "FontSize", font.pointSize());
    programKey.WriteInteger(kWindowName, "FontColor", ColorValue(m_box->palette().color(QPalette::Text)));
    programKey.WriteInteger(kWindowName, "FontCharSet", m_fontCharset);
    programKey.WriteString(kWindowName, "FontName", ToStdString(font.family()));
    KeepWindowSettings(programKey);
}

void TReportForm::SetBoxFont(const QFont& font, const QColor& color)
{
    m_box->setFont(font);
    m_box->document()->setDefaultFont(font);
    QPalette palette = m_box->palette();
    palette.setColor(QPalette::Text, color);
    m_box->setPalette(palette);
}

void TReportForm::Refresh()
{
    if (OnRefresh) OnRefresh();
}

void TReportForm::PrintTo(QPrinter& printer)
{
    LayOutPending();
    printer.setDocName(Title);
    const QFont font = m_box->font();
    // Left margin: ten "X" wide; top margin: six lines of "X", in the printer's font size.
    const QFontMetricsF metrics(font, &printer);
    const double toPoints = 72.0 / printer.resolution();
    printer.setPageMargins(QMarginsF(metrics.horizontalAdvance(QStringLiteral("XXXXXXXXXX")) * toPoints,
                                     6 * metrics.height() * toPoints, 0, 0),
                           QPageLayout::Point);

    // The report is laid out as on the screen, so its tab stops keep their places, and the
    // painter scales each page to the printer's resolution.
    std::unique_ptr<QTextDocument> document(m_box->document()->clone());
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    document->documentLayout()->setPaintDevice(m_box->viewport());
    const double scale = double(printer.logicalDpiY()) / m_box->viewport()->logicalDpiY();
    const QRectF paper = printer.pageRect(QPrinter::DevicePixel);
    const QSizeF page(paper.width() / scale, paper.height() / scale);
    document->setPageSize(page);

    QPainter painter(&printer);
    for (int index = 0; index < document->pageCount(); ++index) {
        if (index > 0) printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -index * page.height());
        const QRectF clip(0, index * page.height(), page.width(), page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, m_box->palette().color(QPalette::Text));
        painter.setClipRect(clip);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

void TReportForm::Print()
{
    SetStatus(tr("Printing report"));
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle(tr("Print %1").arg(Title));
    if (dialog.exec() == QDialog::Accepted) PrintTo(m_printer);
    SetStatus(tr("Ready"));
}

void TReportForm::Copy()
{
    QApplication::clipboard()->setText(RichEdit1().toPlainText());
    SetStatus(tr("Copied to Clipboard..."));
}

void TReportForm::Email()
{
    TMapiControl& mail = *m_mail;
    mail.ShowDialog = true;
    mail.Recipients.clear();
    mail.AttachedFiles.clear();
    mail.Subject = Title;
    mail.Body = RichEdit1().toPlainText();
    mail.Send();
}

void TReportForm::Setup()
{
    SetStatus(tr("Set up printer"));
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
    SetStatus(tr("Ready"));
}

void TReportForm::ChooseFont()
{
    SetStatus(tr("Select suitable font for report"));
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_box->font(), this, tr("Report Font"));
    if (chosen) {
        SetBoxFont(font, m_box->palette().color(QPalette::Text));
        SaveSettings();
        Refresh();
    }
    SetStatus(tr("Ready"));
}

void TReportForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible()) return;
    if (isActiveWindow())
        SetStatus(tr("Ready"));
    else
        SaveSettings();
}

void TReportForm::hideEvent(QHideEvent* event)
{
    SaveSettings();
    QWidget::hideEvent(event);
}

void TReportForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Refresh();
}

}  // namespace vantor
