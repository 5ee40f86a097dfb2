#pragma once

// The about window: the developer, the product, "Version " + the four-part version, the
// description, a picture of a coil, a status line and OK. At start-up it doubles as the splash
// window (not modal, "Loading...", shown for at least two seconds, no web link and no check
// box); shown through About it is modal and offers "Show this form on program bootup", which
// it keeps in the program's settings ("Settings", "SplashScreen") when it closes.

#include <QDeadlineTimer>
#include <QDialog>

class QCheckBox;
class QLabel;

namespace vantor {

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    // web: the maker's web address; no link without one.
    TAboutForm(const QString& description, const QString& web, QWidget* parent = nullptr);

    static bool SplashScreenSetting();

    // Shows the window as the splash and starts its two seconds.
    void ShowAsSplash();
    // Waits, with the events handled, until the splash has been shown long enough; then
    // closes it.
    void FinishSplash();

    // The modal about window; the check box's state is stored when it closes.
    int ShowAbout();

protected:
    void done(int result) override;

private:
    QCheckBox* m_bootCheck;
    QLabel* m_status;
    QLabel* m_web;
    bool m_hasWeb;
    bool m_asAbout = false;
    QDeadlineTimer m_splashEnd;
};

}  // namespace vantor
