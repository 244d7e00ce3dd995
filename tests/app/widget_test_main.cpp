#include "frame/fault.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widgets without a display: the offscreen platform unless one is chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("community-registry-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    // A property change or a view column naming a column that does not exist
    // fails the test that caused it.
    cr::setFaultHandler([](const QString& text) { ADD_FAILURE() << "program fault: " << text.toStdString(); });
    return RUN_ALL_TESTS();
}
