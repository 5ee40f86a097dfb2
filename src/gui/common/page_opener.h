#pragma once

// Opens a page of the installed files (the help page) in the desktop's viewer with
// `xdg-open`. When that does not work (no opener installed, or none set up for the page's
// type, so the opener ends with an error) the user is told so, with the page's path, so that
// the page can still be opened by hand.

#include <QObject>
#include <QString>

#include <memory>

class QWidget;

namespace vantor {

class TPrompts;

class TPageOpener : public QObject {
    Q_OBJECT

public:
    explicit TPageOpener(QWidget* window);

    // The opener command; tests put a script of their own here.
    QString Program = QStringLiteral("xdg-open");

    // Starts the opener on the page; false (and the message shown) when it could not start.
    // A failure reported later by the opener is shown when it ends.
    bool Open(const QString& path);

    static QString FailureText(const QString& path);

    // The failures go through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

    // Open on a page of the installed files ("Common Files/Coils.htm"), the user's copy first,
    // a help page whatever the case of its name; a page that is not installed is said so.
    bool OpenInstalled(const QString& relative);

signals:
    // After a failure was shown.
    void Failed(const QString& path);

private:
    void ShowFailure(const QString& path);

    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor
