#pragma once

// Helpers of the widget tests: acting on a modal window or pop-up while it runs its own
// event loop, and typing into whatever widget has the keyboard focus.

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMenu>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vantor::test {

// Runs `act` on the next pop-up or modal window that shows (within two seconds).
inline void OnNextModal(std::function<void(QWidget&)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    // Generous: a loaded machine can take seconds to show a window.
    const QDeadlineTimer deadline(10000);
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

// The command of `menu` with the text, or null.
inline QAction* MenuCommand(const QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text) return action;
    return nullptr;
}

// Key presses to the focused widget, as typing does (the grid opens its editor on the first
// key and hands the focus to it).
inline void Type(const QString& text)
{
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file at `path` with the text; `executable` makes it a program only its owner runs.
inline bool WriteFile(const QString& path, const QByteArray& text, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return false;
    file.close();
    return !executable || file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
}

// A stand-in for a desktop command (mail, page opener): a shell script in `folder` running
// `script`, or, for an empty script, a path where no program is. Returns the path.
inline QString StandInProgram(const QString& folder, const QString& script)
{
    if (script.isEmpty()) return folder + "/missing-program";
    const QString path = folder + "/program";
    return WriteFile(path, ("#!/bin/sh\n" + script + "\n").toUtf8(), true) ? path : QString();
}

// Shows `window` and waits until it has the keyboard; false when it never gets it.
inline bool ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Shows `window` and waits until it is on the screen; false when it never is.
inline bool ShowExposed(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// The environment of a program given no display at all.
inline QProcessEnvironment WithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) environment.remove(variable);
    return environment;
}

inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

}  // namespace vantor::test
