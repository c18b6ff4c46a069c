// devsim: the EDID device (or its firmware loader) on a pseudo-terminal, for tests,
// benchmarks and demonstrations without the hardware.
#include "BinaryFile.h"
#include "Clock.h"
#include "DeviceState.h"
#include "DeviceWire.h"
#include "EventLoop.h"
#include "Faults.h"
#include "FramedDevice.h"
#include "IspLoader.h"
#include "Options.h"
#include "Pty.h"
#include "StreamDevice.h"
#include "Trace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "devsim: %s\n", message.c_str());
    return 2;
}

// Only a pipe, socket or terminal can end to say "stop"; /dev/null or a file as stdin
// (a script's background job) would end at once.
bool stdinCanSignalEnd() {
    struct stat info {};
    if (fstat(STDIN_FILENO, &info) != 0) {
        return false;
    }
    return S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) || isatty(STDIN_FILENO) != 0;
}

bool writeDump(const std::string& path, const Bytes& bytes) {
    if (path.empty() || writeWhole(path, bytes)) {
        return true;
    }
    std::fprintf(stderr, "devsim: cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const Clock clock;
    const ParseResult parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        return fail(parsed.error + " (see devsim --help)");
    }
    const DevsimOptions& options = parsed.options;
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }

    DeviceState state;
    std::string error;
    if (!state.load(options, error)) {
        return fail(error);
    }
    Trace trace;
    if (!options.trace.empty() && !trace.open(options.trace)) {
        return fail("cannot write trace file " + options.trace);
    }
    Pty pty;
    if (!openPty(pty)) {
        return fail(std::string("cannot open a pseudo-terminal: ") + std::strerror(errno));
    }
    std::printf("%s\n", pty.slavePath.c_str());
    std::fflush(stdout);

    DeviceWire line(pty, trace, options.wire);
    Faults faults(options);
    std::unique_ptr<IspLoader> loader;
    std::unique_ptr<Device> device;
    if (options.streamNonzeroThenZero) {
        device = std::make_unique<StreamDevice>(line);
    } else if (options.isp) {
        loader = std::make_unique<IspLoader>(line, faults, options.banner);
    } else {
        device = std::make_unique<FramedDevice>(line, state, faults);
    }
    Device& served = loader ? *loader : *device;

    {
        EventLoop loop(clock, line, served, !options.ignoreStdin && stdinCanSignalEnd());
        if (!loop.ready()) {
            closePty(pty);
            return fail("cannot set up signal handling");
        }
        loop.run();
    }
    closePty(pty);

    bool written = writeDump(options.dumpUser, state.edid(EdidSlot::User));
    if (loader) {
        written = writeDump(options.dumpFlash, loader->memory()) && written;
    }
    return written ? 0 : 1;
}
