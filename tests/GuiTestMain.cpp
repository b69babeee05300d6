// Runs GUI tests on a real QApplication, offscreen unless a platform is chosen.
#include "platform/ApplicationIcon.h"

#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(ApplicationIcon()); // as the program does
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
