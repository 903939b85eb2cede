// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <gtest/gtest.h>

// Widgets need a QApplication; the tests run on the offscreen platform.
int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    // Also when the test list is read at build time: no dialog ever reaches a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
