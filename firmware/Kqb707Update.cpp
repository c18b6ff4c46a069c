#include "Kqb707Update.h"

#include "FirmwareImage.h"
#include "LoaderSession.h"
#include "Reporter.h"

namespace {

// The image as this loader variant takes it; nothing when the file cannot be opened.
std::optional<std::vector<FirmwareImage::Chunk>> readChunks(const std::string& path) {
    const std::optional<FirmwareImage> image = FirmwareImage::load(path);
    if (!image)
        return std::nullopt;
    return image->chunks();
}

} // namespace

void updateKqb707(DeviceLink& link, Reporter& reporter, const std::string& path) {
    LoaderSession session(link, reporter);
    if (readChunks(path))
        reporter.appendLog("Loader Not Supported.\r\n");
    else
        reporter.appendLog("Fw Open Fail.\r\n");
    session.fail();
}
