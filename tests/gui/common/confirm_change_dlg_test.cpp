// The "Install notice" window: its captions and hints, the four answers by button and key,
// closing it another way, and a merge of two INI files answered through it.

#include "gui/common/confirm_change.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>

#include <deque>
#include <memory>

using namespace vantor;
using namespace vantor::test;

namespace {

constexpr const char* kUserText = "[Air]\nt=1\n\n[Liquid]\nt=2\n";

enum TAnswerWay { KeepClick, InstallClick, DecideLaterClick, AcceptAllClick, EscapeKey, EnterKey, CloseWindow };

void AnswerBy(TConfirmChangeDlg& dialog, TAnswerWay way)
{
    QPushButton* const buttons[] = {&dialog.KeepButton(), &dialog.InstallButton(), &dialog.DecideLaterButton(),
                                    &dialog.AcceptAllButton()};  // indexed by the clicking ways
    if (way <= AcceptAllClick)
        QTest::mouseClick(buttons[way], Qt::LeftButton);
    else if (way == EscapeKey)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else if (way == EnterKey)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        dialog.close();
}

void AnswerNextBy(TConfirmChangeDlg& dialog, TAnswerWay way)
{
    OnNextModal([&dialog, way](QWidget& window) {
        if (&window == &dialog) AnswerBy(dialog, way);
    });
}

// Remembers nothing: every merge here is a first one.
class TNoMemory : public IMergeMemory {
public:
    std::optional<std::filesystem::file_time_type> MergedTime(const std::filesystem::path&) const override
    {
        return std::nullopt;
    }
    TResult RememberMerged(const std::filesystem::path&, std::filesystem::file_time_type) override
    {
        return TResult::Ok();
    }
};

// Answers each question of a merge in turn through the window.
class TScriptedNotice : public IInstallNotice {
public:
    TScriptedNotice(TConfirmChangeDlg& dialog, std::deque<TAnswerWay> ways) : m_dialog(dialog), m_ways(std::move(ways)) {}

    TInstallChoice Ask(const std::string& caption, const std::string& userSection,
                       const std::string& installSection) override
    {
        ++Questions;
        AnswerNextBy(m_dialog, m_ways.empty() ? DecideLaterClick : m_ways.front());
        if (!m_ways.empty()) m_ways.pop_front();
        return m_dialog.Ask(caption, userSection, installSection);
    }

    int Questions = 0;

private:
    TConfirmChangeDlg& m_dialog;
    std::deque<TAnswerWay> m_ways;
};

}  // namespace

class ConfirmChangeDlgTest : public QObject {
    Q_OBJECT

private slots:
    void captionsHintsAndDefaultButton()
    {
        const TConfirmChangeDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Install notice"));
        QCOMPARE(dialog.KeepButton().text(), QString("Keep your data"));
        QCOMPARE(dialog.KeepButton().toolTip(), QString("Keep your data and ignore installed data"));
        QCOMPARE(dialog.InstallButton().text(), QString("Use install data"));
        QCOMPARE(dialog.InstallButton().toolTip(), QString("Replace your data with install data"));
        QCOMPARE(dialog.DecideLaterButton().text(), QString("&Decide later"));
        QCOMPARE(dialog.DecideLaterButton().toolTip(), QString("Decide all later"));
        QCOMPARE(dialog.AcceptAllButton().text(), QString("&Accept All"));
        QCOMPARE(dialog.AcceptAllButton().toolTip(), QString("Accept all installed data"));
        QVERIFY(dialog.InstallButton().isDefault());
        QCOMPARE(dialog.Splitter().count(), 2);
    }

    void eachWayOfAnsweringGivesItsChoice_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("choice");
        QTest::newRow("keep your data") << int(KeepClick) << int(TInstallChoice::KeepUserData);
        QTest::newRow("use install data") << int(InstallClick) << int(TInstallChoice::UseInstallData);
        QTest::newRow("decide later") << int(DecideLaterClick) << int(TInstallChoice::DecideLater);
        QTest::newRow("accept all") << int(AcceptAllClick) << int(TInstallChoice::AcceptAll);
        QTest::newRow("escape decides later") << int(EscapeKey) << int(TInstallChoice::DecideLater);
        QTest::newRow("enter uses install data") << int(EnterKey) << int(TInstallChoice::UseInstallData);
        QTest::newRow("closing the window") << int(CloseWindow) << int(TInstallChoice::Closed);
    }

    void eachWayOfAnsweringGivesItsChoice()
    {
        QFETCH(int, way);
        QFETCH(int, choice);
        TConfirmChangeDlg dialog;
        QString userText;
        OnNextModal([&](QWidget& window) {
            if (&window != &dialog) return;
            userText = dialog.UserMemo().toPlainText();
            AnswerBy(dialog, static_cast<TAnswerWay>(way));
        });
        const TInstallChoice answer = dialog.Ask("Install notice: units.ini", "[Air]\nt=1", "[Air]\nt=0");
        QCOMPARE(int(answer), choice);
        QCOMPARE(dialog.windowTitle(), QString("Install notice: units.ini"));
        QCOMPARE(userText, QString("[Air]\nt=1"));
        QCOMPARE(dialog.InstallMemo().toPlainText(), QString("[Air]\nt=0"));
    }

    void mergeAppliesTheAnswers_data()
    {
        QTest::addColumn<QList<int>>("ways");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("merged");
        const QString added = "[Fluid]\nk=4\n\n";
        QTest::newRow("keep, then use install data")
            << QList<int>{KeepClick, InstallClick} << 2 << "[Air]\nt=1\n\n[Liquid]\nt=3\n\n" + added;
        QTest::newRow("accept all asks once") << QList<int>{AcceptAllClick} << 1 << "[Air]\nt=0\n\n[Liquid]\nt=3\n\n" + added;
        QTest::newRow("closing repeats the last choice")
            << QList<int>{InstallClick, CloseWindow} << 2 << "[Air]\nt=0\n\n[Liquid]\nt=3\n\n" + added;
        QTest::newRow("closing first keeps")
            << QList<int>{CloseWindow, CloseWindow} << 2 << "[Air]\nt=1\n\n[Liquid]\nt=2\n\n" + added;
        QTest::newRow("decide later leaves the file") << QList<int>{DecideLaterClick} << 1 << QString(kUserText);
    }

    void mergeAppliesTheAnswers()
    {
        QFETCH(QList<int>, ways);
        QFETCH(int, questions);
        QFETCH(QString, merged);
        QTemporaryDir folder;
        const QString userFile = folder.filePath("user.ini");
        const QString installFile = folder.filePath("install.ini");
        QVERIFY(WriteFile(userFile, kUserText));
        QVERIFY(WriteFile(installFile, "[Air]\nt=0\n\n[Liquid]\nt=3\n\n[Fluid]\nk=4\n"));

        TConfirmChangeDlg dialog;
        std::deque<TAnswerWay> answers;
        for (const int way : ways) answers.push_back(static_cast<TAnswerWay>(way));
        TScriptedNotice notice(dialog, answers);
        TNoMemory memory;
        TIniFileMerger merger(folder.path().toStdString(), folder.path().toStdString(), memory);
        merger.MergeFile(userFile.toStdString(), installFile.toStdString(), notice);

        QCOMPARE(notice.Questions, questions);
        QCOMPARE(QString::fromUtf8(ReadFile(userFile)), merged);
    }
};

VANTOR_GUI_TEST_MAIN(ConfirmChangeDlgTest)
#include "confirm_change_dlg_test.moc"
