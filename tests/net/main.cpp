#include "app/resources.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray runtime =
        QDir::tempPath().toUtf8() + "/corvane-test-runtime-" + QByteArray::number(getuid());
    mkdir(runtime.constData(), 0700);
    chmod(runtime.constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", runtime);

    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    InitCorvaneResources();
    return RUN_ALL_TESTS();
}
