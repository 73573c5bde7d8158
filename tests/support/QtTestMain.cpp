#include <gmock/gmock.h>
#include <QApplication>

// Tests need an application object for timers, processes and widgets.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
