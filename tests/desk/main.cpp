// The tests run inside one application, on Qt's off-screen platform.
#include "DeskApp.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    desk::setUpApplication(app);
    // The recent-files list goes to a test location, not the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
