#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);   // SQL drivers are plugins: they want an application
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
