#include "frame/fault.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);   // SQL drivers are plugins: they want an application
    ::testing::InitGoogleTest(&argc, argv);
    // A property change or a view column naming a column that does not exist
    // fails the test that caused it (a test provoking one collects it).
    cr::setFaultHandler([](const QString& text) { ADD_FAILURE() << "program fault: " << text.toStdString(); });
    return RUN_ALL_TESTS();
}
