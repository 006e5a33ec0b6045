#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The test binary is also run at build time to list its tests, without ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
