#include "DeviceEdidRead.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "EdidValidation.h"
#include "Reporter.h"

#include <algorithm>

namespace {

constexpr std::int32_t AckTries = 20;

} // namespace

DeviceEdidRead ReadDeviceEdid(DeviceLink& link, const DeviceEdid& source, EdidInfo& record,
                              const BusyGuard::Operation& operation) {
    Reporter& reporter = link.reporter();
    // A long task: the watchdog holds still until the poll's next answer.
    link.markAlive();
    const LineSession line = link.takeLine(operation);
    record.Image.fill(0);

    DeviceEdidRead result = DeviceEdidRead::NothingRead;
    for (int attempt = 0; attempt < source.attempts && !operation.cancelled(); ++attempt) {
        if (source.hasSelect) {
            link.sendWrite(Api_Edid_Select, 1, &source.select);
            if (!link.awaitAck(AckTries)) {
                reporter.appendLog("API Timeout.\r\n");
                continue;
            }
            link.awaitAnswerInFlight();
            if (operation.cancelled())
                break;
        }
        // Block 0's answer may come shifted: the block starts at the EDID header.
        const DeviceBlock::Aligned block0 =
            link.readBlock(source.block0, source.waitMs).alignedOnHeader();
        if (!block0.headerFound)
            reporter.appendLog("No Header Found.\r\n");
        std::copy(block0.bytes.begin(), block0.bytes.end(), record.Image.begin());
        if (operation.cancelled())
            break;

        const DeviceBlock block1 = link.readBlock(source.block1, source.waitMs);
        const DeviceBlock::Bytes bytes1 = block1.bytes();
        std::copy(bytes1.begin(), bytes1.end(), record.Image.begin() + kEdidBlockSize);
        const bool block1Came = block1.answered();

        if (ValidateEdid(record)) {
            result = block1Came ? DeviceEdidRead::Valid : DeviceEdidRead::Block1Missing;
            break;
        }
        reporter.appendLog("Retry Edid.\r\n");
        result = DeviceEdidRead::Invalid;
    }
    return result;
}
