#pragma once

// Whether a window shows its whole text: every visible label, button, check box, combo box
// item, list or table item, header section, tab and group box title of a window is measured
// with its font against the room its widget gives it. A text that would be elided or
// clipped is reported with the object path of its widget:
//   "TFluidSpecForm/Grid: item (3,1) "Propylene Glycol" needs 104 px, has 92"
// Widgets the caller names are left out with their children (a panel another test checks).
// Given a widget inside a window, only that widget and its children are measured.

#include <QGuiApplication>
#include <QList>
#include <QScreen>
#include <QStringList>

class QLabel;
class QWidget;

namespace vantor::test {

QStringList CutTexts(const QWidget& window, const QList<const QWidget*>& leftOut = {});

// Whether a label shows its whole text to the eye: the lines its words need at the label's
// width, measured with its font, fit the label's height, and the label lies inside its window.
bool ShowsWholeText(const QLabel& label);

// The visible label of the window that shows the text; nullptr when none does.
const QLabel* LabelShowing(const QWidget& window, const QString& text);

// The object path of a widget below its window: class or object names joined by "/".
QString ObjectPath(const QWidget& widget);

}  // namespace vantor::test

// The text tests run on screens of at least 1366×768 (the TextFits tests give them one); on
// a smaller screen, as the offscreen platform's own, the test is skipped.
#define VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN()                                                        \
    do {                                                                                             \
        const QSize screen_ = QGuiApplication::primaryScreen()->size();                             \
        if (screen_.width() < 1366 || screen_.height() < 768) QSKIP("needs a 1366×768 screen or larger"); \
    } while (false)

// Fails the test with every cut text of the window, one a line.
#define VANTOR_VERIFY_TEXT_FITS(window, ...)                                          \
    do {                                                                              \
        const QStringList cut_ = vantor::test::CutTexts((window)__VA_OPT__(, ) __VA_ARGS__); \
        QVERIFY2(cut_.isEmpty(), qPrintable("\n" + cut_.join(QLatin1Char('\n'))));    \
    } while (false)
