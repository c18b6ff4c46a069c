// GoogleTest entry for tests that need Qt: one application object. Widget tests get a
// QApplication, offscreen unless told (on Windows the static Qt holds the system's own
// platform only: the windows show, under Wine on a virtual display); the others a
// QCoreApplication, so they cannot reach a widget by accident.
#ifdef REDAVIV_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <gtest/gtest.h>

int main(int argc, char** argv) {
#if defined(REDAVIV_TEST_WIDGETS) && !defined(Q_OS_WIN)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
