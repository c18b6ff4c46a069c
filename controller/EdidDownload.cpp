#include "EdidDownload.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "EdidFile.h"
#include "Reporter.h"

#include <algorithm>

namespace {

constexpr std::int32_t AckTries = 20;

// Requests the EDID's two blocks into `image`; false as soon as one is not answered
// in full with an acknowledge.
bool transferBlocks(DeviceLink& link, const DeviceEdid& entry,
                    const BusyGuard::Operation& operation, EdidImage& image) {
    if (entry.hasSelect) {
        link.sendWrite(Api_Edid_Select, 1, &entry.select);
        if (operation.cancelled() || !link.awaitAck(AckTries))
            return false;
        // The rest of the select's answer may still come; taken later, it would be taken
        // for block 0's.
        link.awaitAnswerInFlight();
    }
    const std::uint16_t blocks[] = {entry.block0, entry.block1};
    for (std::size_t i = 0; i < 2; ++i) {
        if (operation.cancelled())
            return false;
        const DeviceBlock block = link.readBlock(blocks[i], entry.waitMs);
        if (operation.cancelled() || !block.answered())
            return false;
        const DeviceBlock::Bytes bytes = block.bytes();
        std::copy(bytes.begin(), bytes.end(), image.begin() + i * kEdidBlockSize);
    }
    return true;
}

// The transfer with the line held for it.
bool fetchEdid(DeviceLink& link, const DeviceEdid& entry, const BusyGuard::Operation& operation,
               EdidImage& image) {
    const LineSession line = link.takeLine(operation);
    return transferBlocks(link, entry, operation, image);
}

} // namespace

bool ReadDeviceEdidImage(DeviceLink& link, const DeviceEdid& entry, EdidImage& image) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    return operation && fetchEdid(link, entry, operation, image);
}

DownloadResult DownloadEdid(DeviceLink& link, const std::string& path, const DeviceEdid& entry) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    if (!operation)
        return DownloadResult::Refused;
    Reporter& reporter = link.reporter();
    if (!CanCreateFile(path)) {
        reporter.replaceLog("Edid Open Fail.\r\n");
        return DownloadResult::OpenFailed;
    }
    reporter.replaceLog("Edid Open OK.\r\n");

    EdidImage image{};
    if (!fetchEdid(link, entry, operation, image)) {
        reporter.appendLog("API Timeout.\r\n");
        return DownloadResult::Timeout;
    }
    if (!WriteEdidFile(path, image)) {
        reporter.appendLog("Edid Write Fail.\r\n");
        return DownloadResult::WriteFailed;
    }
    return DownloadResult::Written;
}
