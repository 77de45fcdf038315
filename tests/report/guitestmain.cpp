// Test main for the tests that measure text: fonts need a QGuiApplication. Off screen unless the
// caller chose a platform, so that test discovery at build time needs no display either.

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
