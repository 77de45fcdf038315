// Test main for the tests that measure text or draw charts: fonts need a QGuiApplication and
// Qt Charts a QApplication. Off screen unless the caller chose a platform, so that test discovery
// at build time needs no display either.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
