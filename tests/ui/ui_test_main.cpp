#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/ui/skerry_application.hpp"

// Window tests drive the real widgets on the offscreen platform, with a settings folder of
// their own so that nothing reaches the user's settings.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    skerry::ui::SkerryApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
