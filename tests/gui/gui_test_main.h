#pragma once

// main() of the widget tests: the home, settings, data and runtime folders in a temporary
// folder of the test program's own, so that programs running side by side never share a
// file; the offscreen platform unless another one is asked for.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace vantor::test {

inline void PrepareEnvironment(const QString& root)
{
    qputenv("HOME", QFile::encodeName(root + "/home"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    const QString runtime = root + "/runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Forgets every setting the windows stored, so each case starts as a first run.
inline void ClearSettings() { QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).removeRecursively(); }

}  // namespace vantor::test

#define VANTOR_GUI_TEST_MAIN(TestClass)                          \
    int main(int argc, char** argv)                              \
    {                                                            \
        QTemporaryDir root;                                      \
        vantor::test::PrepareEnvironment(root.path());           \
        QApplication app(argc, argv);                            \
        TestClass test;                                          \
        return QTest::qExec(&test, argc, argv);                  \
    }
