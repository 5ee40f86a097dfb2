#pragma once

// Prompts answered from a script, for the widget tests: questions take the next answer
// (Cancel once the answers run out), file dialogs the next file (none once they run out),
// and every question, file request and message is kept for the test to look at.

#include "gui/common/prompts.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace vantor::test {

class TScriptedPrompts final : public TPrompts {
public:
    std::deque<TAnswer> Answers;
    QStringList Files;
    QStringList Questions;
    std::vector<TFileRequest> Requests;
    QStringList Messages;
    std::vector<TMessageKind> Kinds;

    TAnswer Ask(const QString& question) override
    {
        Questions << question;
        if (Answers.empty()) return TAnswer::Cancel;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    QString ChooseFile(const TFileRequest& request) override
    {
        Requests.push_back(request);
        return Files.isEmpty() ? QString() : Files.takeFirst();
    }
    void ShowMessage(const QString& text, TMessageKind kind) override
    {
        Messages << text;
        Kinds.push_back(kind);
    }
    int FileDialogs() const { return static_cast<int>(Requests.size()); }
};

// Gives the window a fresh scripted set and returns it.
template <class TWindow>
std::shared_ptr<TScriptedPrompts> ScriptPrompts(TWindow& window)
{
    auto prompts = std::make_shared<TScriptedPrompts>();
    window.SetPrompts(prompts);
    return prompts;
}

}  // namespace vantor::test
