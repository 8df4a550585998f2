// Widget tests need a QApplication. Every test process also gets its own
// home and XDG folders, so nothing reads or opens the real user's files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    QTemporaryDir sandbox(QDir::tempPath() + "/scrivola-widgets-XXXXXX");
    if (!sandbox.isValid()) {
        return 2;
    }
    for (const char* folder :
         {"home", "config", "data", "cache", "sysdata", "sysconfig", "tmp", "runtime"}) {
        QDir(sandbox.path()).mkpath(folder);
    }
    const QByteArray root = sandbox.path().toUtf8();
    setenv("HOME", root + "/home", 1);
    setenv("XDG_CONFIG_HOME", root + "/config", 1);
    setenv("XDG_DATA_HOME", root + "/data", 1);
    setenv("XDG_CACHE_HOME", root + "/cache", 1);
    setenv("XDG_DATA_DIRS", root + "/sysdata", 1);
    setenv("XDG_CONFIG_DIRS", root + "/sysconfig", 1);
    setenv("TMPDIR", root + "/tmp", 1);
    QFile::setPermissions(root + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", root + "/runtime", 1);
    unsetenv("SCRIVOLA_OPEN_COMMAND");
    // Test discovery runs this program without the tests' environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
