#include <QCoreApplication>

#include <gtest/gtest.h>

// Core tests run inside a QCoreApplication so that Qt's file and text services behave as in
// the program.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
