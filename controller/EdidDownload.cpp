#include "EdidDownload.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "EdidFile.h"
#include "Prompts.h"
#include "Reporter.h"

#include <QTimer>

#include <algorithm>

const std::array<EdidDownloadRow, 4> EdidDownloads = {{
    {"Button_DL_IntEdid", "Internal_Edid.bin", true, 0xFF, Api_Edid_Block0, Api_Edid_Block1, 200},
    {"Button_DL_ExtEdid", "External_Edid.bin", false, 0x00, Api_Ext_Edid_Block0,
     Api_Ext_Edid_Block1, 200},
    {"Button_DL_UserEdid", "User_Edid.bin", true, 0x00, Api_Edid_Block0, Api_Edid_Block1, 300},
    {"Button_DL_StoredEdid", "Stored_Edid.bin", true, 0x55, Api_Edid_Block0, Api_Edid_Block1, 200},
}};

namespace {

constexpr std::int32_t AckTries = 20;
constexpr std::size_t PayloadOffset = 3;

// Requests the EDID's two blocks into `image`; false as soon as one is not answered
// in full with an acknowledge.
bool transferBlocks(DeviceLink& link, const EdidDownloadRow& entry,
                    const BusyGuard::Operation& operation, EdidImage& image) {
    if (entry.hasSelect) {
        link.Uart_Api_Send(ApiWrite, Api_Edid_Select, 1, &entry.select);
        if (operation.cancelled() || link.WaitForAck(AckTries))
            return false;
        // The select's answer is still to be dispatched; dispatched later, it would be
        // taken for block 0's.
        link.AwaitPendingResponse();
    }
    link.state().WatchdogTicks = 0;
    const std::uint16_t blocks[] = {entry.block0, entry.block1};
    for (std::size_t i = 0; i < 2; ++i) {
        if (operation.cancelled())
            return false;
        link.Uart_Api_Send(ApiRead, blocks[i], kEdidBlockSize);
        link.WaitMs(entry.waitMs);
        if (operation.cancelled() || !link.lastResponseAcknowledged())
            return false;
        const auto* payload = link.state().RxBuffer.data() + PayloadOffset;
        std::copy(payload, payload + kEdidBlockSize, image.begin() + i * kEdidBlockSize);
    }
    return true;
}

// The transfer with the status poll held back, and restarted unless the link closed.
bool fetchEdid(DeviceLink& link, const EdidDownloadRow& entry,
               const BusyGuard::Operation& operation, EdidImage& image) {
    link.pollTimer().stop();
    link.AwaitPendingResponse();
    const bool received = transferBlocks(link, entry, operation, image);
    // A closed link has stopped its poll; it stays stopped.
    if (!operation.cancelled())
        link.pollTimer().start();
    return received;
}

} // namespace

bool ReadDeviceEdidImage(DeviceLink& link, const EdidDownloadRow& entry, EdidImage& image) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    return operation && fetchEdid(link, entry, operation, image);
}

DownloadResult DownloadEdid(DeviceLink& link, Prompts& prompts, const EdidDownloadRow& entry) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    if (!operation)
        return DownloadResult::Refused;
    const auto path = prompts.chooseSaveFile("EDID (*.bin)", entry.offeredName);
    if (!path)
        return DownloadResult::Cancelled;
    Reporter& reporter = link.reporter();
    if (!CanCreateFile(*path)) {
        reporter.replaceLog("Edid Open Fail.\r\n");
        return DownloadResult::OpenFailed;
    }
    reporter.replaceLog("Edid Open OK.\r\n");

    EdidImage image{};
    if (!fetchEdid(link, entry, operation, image)) {
        reporter.appendLog("API Timeout.\r\n");
        return DownloadResult::Timeout;
    }
    if (!WriteEdidFile(*path, image)) {
        reporter.appendLog("Edid Write Fail.\r\n");
        return DownloadResult::WriteFailed;
    }
    return DownloadResult::Written;
}
