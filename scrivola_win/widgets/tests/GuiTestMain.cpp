// Widget tests need a QApplication. Every test process also gets its own
// home and XDG folders, so nothing reads or opens the real user's files.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "testing/PrivateHome.h"

int main(int argc, char** argv) {
    testsupport::PrivateHome home;
    // The icon and file-type lookups see empty system folders too.
    home.Set("XDG_DATA_DIRS", home.MakeFolder("sysdata"));
    home.Set("XDG_CONFIG_DIRS", home.MakeFolder("sysconfig"));
    // Test discovery runs this program without the tests' environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
