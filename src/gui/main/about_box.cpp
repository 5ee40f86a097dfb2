#include "gui/main/about_box.h"

#include "gui/common/form_placement.h"
#include "gui/common/qt_text.h"
#include "settings/settings_store.h"

#include "vantor_version.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vantor {

namespace {

constexpr std::string_view kSettingsSection = "Settings";
constexpr std::string_view kSplashValue = "SplashScreen";
constexpr int kSplashSeconds = 2;
constexpr const char* kDeveloper = "Korvane";

// A finned coil seen from the air side: the casing, the fins and the staggered tube ends.
class TCoilPicture : public QWidget {
public:
    explicit TCoilPicture(QWidget* parent) : QWidget(parent) { setFixedSize(112, 112); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF casing(8, 8, 96, 96);
        painter.fillRect(casing, QColor(0xe8, 0xec, 0xf0));
        painter.setPen(QPen(QColor(0xa0, 0xaa, 0xb4), 1));
        for (int x = 12; x < 104; x += 4) painter.drawLine(QPointF(x, 10), QPointF(x, 102));
        painter.setPen(QPen(QColor(0x8a, 0x4b, 0x1d), 1.5));
        painter.setBrush(QColor(0xd9, 0x8c, 0x4a));
        for (int row = 0; row < 4; ++row)
            for (int tube = 0; tube < 5; ++tube) {
                const double x = 20 + row * 24;
                const double y = 18 + tube * 18 + (row % 2) * 9;
                painter.drawEllipse(QPointF(x, y), 5, 5);
            }
        painter.setPen(QPen(QColor(0x40, 0x48, 0x50), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(casing);
    }
};

}  // namespace

TAboutForm::TAboutForm(const QString& description, const QString& web, QWidget* parent)
    : QDialog(parent),
      m_bootCheck(new QCheckBox(tr("Show this form on program bootup"), this)),
      m_status(new QLabel(this)),
      m_web(new QLabel(this)),
      m_hasWeb(!web.isEmpty())
{
    const QString product = QString::fromUtf8(kProductName);
    setWindowTitle(tr("About %1").arg(product));
    setObjectName(QStringLiteral("AboutForm"));

    auto* developer = new QLabel(QString::fromUtf8(kDeveloper), this);
    auto* name = new QLabel(product, this);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 2);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* version = new QLabel(tr("Version %1").arg(QString::fromUtf8(kFileVersion)), this);
    auto* about = new QLabel(description, this);
    m_web->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(web.toHtmlEscaped()));
    m_web->setOpenExternalLinks(true);
    m_web->setVisible(m_hasWeb);
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);

    auto* texts = new QVBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(developer), static_cast<QWidget*>(name),
                            static_cast<QWidget*>(version), static_cast<QWidget*>(about),
                            static_cast<QWidget*>(m_web)})
        texts->addWidget(widget);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(new TCoilPicture(this), 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_bootCheck, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->addWidget(m_status);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

bool TAboutForm::SplashScreenSetting()
{
    return TSettingsStore(TSettingsKey::Program).ReadBool(kSettingsSection, kSplashValue, false);
}

void TAboutForm::ShowAsSplash()
{
    m_asAbout = false;
    setModal(false);
    m_bootCheck->hide();
    m_web->hide();
    m_status->setText(tr("Loading..."));
    setWindowFlag(Qt::SplashScreen);
    m_splashEnd = QDeadlineTimer(std::chrono::seconds(kSplashSeconds));
    show();
    QApplication::processEvents();
}

void TAboutForm::FinishSplash()
{
    const qint64 remaining = m_splashEnd.remainingTime();
    if (remaining > 0) {
        QEventLoop wait;
        QTimer::singleShot(std::chrono::milliseconds(remaining), &wait, &QEventLoop::quit);
        wait.exec();
    }
    close();
    setWindowFlag(Qt::SplashScreen, false);
}

int TAboutForm::ShowAbout()
{
    m_asAbout = true;
    m_bootCheck->setChecked(SplashScreenSetting());
    m_bootCheck->show();
    m_web->setVisible(m_hasWeb);
    m_status->clear();
    return exec();
}

void TAboutForm::done(int result)
{
    if (m_asAbout) {
        TSettingsStore programKey(TSettingsKey::Program);
        programKey.WriteBool(kSettingsSection, kSplashValue, m_bootCheck->isChecked());
        KeepWindowSettings(programKey);
    }
    QDialog::done(result);
}

}  // namespace vantor
