#pragma once

// main() of the widget tests: the settings and data folders (and the runtime folder, when
// the caller gave none) in a temporary folder, the offscreen platform unless another one is
// asked for.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace vantor::test {

inline void PrepareEnvironment(const QString& root)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = root + "/runtime";
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
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
