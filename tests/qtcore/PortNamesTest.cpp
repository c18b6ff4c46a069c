#include "PortNames.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// On Windows a port from COM10 up opens only through the "\\.\" prefix, and the lower
// ones open as named; elsewhere a port's name is the path that opens it. Either way the
// log names the port as it was given.
TEST(PortNamesTest, PortsOpenThroughThePlatformsPathAndAreLoggedByName) {
#ifdef Q_OS_WIN
    EXPECT_EQ(portOpenPath("COM1"), "COM1");
    EXPECT_EQ(portOpenPath("COM9"), "COM9");
    EXPECT_EQ(portOpenPath("COM10"), "\\\\.\\COM10");
    EXPECT_EQ(portOpenPath("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(portOpenPath("COM255"), "\\\\.\\COM255");
    const std::string missing = "COM250";
#else
    EXPECT_EQ(portOpenPath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(portOpenPath("/dev/ttyS12"), "/dev/ttyS12");
    EXPECT_EQ(portOpenPath("COM12"), "COM12");
    const std::string missing = "/dev/redaviv-no-such-port";
#endif
    const CliRun run = runCli({"--port", QString::fromStdString(missing), "info"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Open " + missing + " Failed."), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("\\\\.\\"), std::string::npos) << run.err;
}

} // namespace
