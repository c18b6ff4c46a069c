#include "DeviceEdidRead.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "EdidValidation.h"
#include "Reporter.h"

#include <algorithm>

namespace {

constexpr std::int32_t AckTries = 20;
constexpr std::size_t HeaderSearchEnd = 16;
constexpr std::size_t PayloadOffset = 3;

} // namespace

std::size_t FindEdidHeader(const std::uint8_t* bytes) {
    for (std::size_t offset = 0; offset < HeaderSearchEnd; ++offset) {
        if (std::equal(EdidHeader.begin(), EdidHeader.end(), bytes + offset))
            return offset;
    }
    return HeaderSearchEnd;
}

DeviceEdidRead ReadDeviceEdid(DeviceLink& link, const DeviceEdid& source, EdidInfo& record,
                              const BusyGuard::Operation& operation) {
    Reporter& reporter = link.reporter();
    // A long task: the watchdog holds still until the poll's next answer.
    link.markAlive();
    const DeviceLink::LineSession line = link.takeLine(operation);
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
        const std::uint8_t* block0 = link.readBlock(source.block0, source.waitMs);
        const std::size_t offset = FindEdidHeader(block0);
        if (offset == HeaderSearchEnd)
            reporter.appendLog("No Header Found.\r\n");
        std::copy_n(block0 + offset, kEdidBlockSize, record.Image.begin());
        if (operation.cancelled())
            break;

        const std::uint8_t* block1 = link.readBlock(source.block1, source.waitMs);
        std::copy_n(block1 + PayloadOffset, kEdidBlockSize, record.Image.begin() + kEdidBlockSize);
        const bool block1Came = link.lastResponseAcknowledged();

        if (ValidateEdid(record)) {
            result = block1Came ? DeviceEdidRead::Valid : DeviceEdidRead::Block1Missing;
            break;
        }
        reporter.appendLog("Retry Edid.\r\n");
        result = DeviceEdidRead::Invalid;
    }
    return result;
}
