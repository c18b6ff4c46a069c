#include "PortNames.h"

#include <gtest/gtest.h>

namespace {

// On Windows a port from COM10 up opens only through the "\\.\" prefix, and the lower
// ones open as named; elsewhere a port's name is the path that opens it.
TEST(PortNamesTest, PortsOpenThroughThePlatformsPath) {
#ifdef Q_OS_WIN
    EXPECT_EQ(portOpenPath("COM1"), "COM1");
    EXPECT_EQ(portOpenPath("COM9"), "COM9");
    EXPECT_EQ(portOpenPath("COM10"), "\\\\.\\COM10");
    EXPECT_EQ(portOpenPath("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(portOpenPath("COM255"), "\\\\.\\COM255");
#else
    EXPECT_EQ(portOpenPath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(portOpenPath("/dev/ttyS12"), "/dev/ttyS12");
    EXPECT_EQ(portOpenPath("COM12"), "COM12");
#endif
}

} // namespace
