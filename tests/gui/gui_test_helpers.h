#pragma once

// Helpers of the widget tests: acting on a modal window or pop-up while it runs its own
// event loop, and typing into whatever widget has the keyboard focus.

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vantor::test {

// Runs `act` on the next pop-up or modal window that shows (within two seconds).
inline void OnNextModal(std::function<void(QWidget&)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    const QDeadlineTimer deadline(2000);
    QObject::connect(timer, &QTimer::timeout, [timer, act, deadline] {
        QWidget* window = QApplication::activePopupWidget();
        if (!window) window = QApplication::activeModalWidget();
        if (!window && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (window) act(*window);
    });
    timer->start();
}

// Closes the next message box and keeps its text.
inline void CloseNextMessageBox(QString& text)
{
    OnNextModal([&text](QWidget& window) {
        if (auto* box = qobject_cast<QMessageBox*>(&window)) {
            text = box->text();
            box->accept();
        }
    });
}

// Key presses to the focused widget, as typing does (the grid opens its editor on the first
// key and hands the focus to it).
inline void Type(const QString& text)
{
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

}  // namespace vantor::test
