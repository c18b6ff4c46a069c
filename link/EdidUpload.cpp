#include "EdidUpload.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "LinkView.h"
#include "Reporter.h"

#include <string>

namespace {

// The device stores a block after its last byte; give it this long before the next.
constexpr std::uint32_t BlockSettleMs = 50;
constexpr std::uint8_t PresentUserEdid = 0x03;

// The progress shown before byte `index` of block `block` goes: 1% to 100% over both.
std::string uploadPercent(std::size_t block, std::uint16_t index) {
    const int base = block == 0 ? 1 : 51;
    return std::to_string(index * 100 / 256 + base) + "%";
}

} // namespace

bool UploadEdidImage(DeviceLink& link, const EdidImage& image,
                     const BusyGuard::Operation& operation,
                     const std::function<void()>& showFailure) {
    const auto lineLost = [&link, &showFailure] {
        link.reporter().addLogLine("Line lost during the upload.");
        showFailure();
    };
    // A line that hung up closes its port before the watchdog disconnects.
    if (!link.portOpen()) {
        lineLost();
        return false;
    }
    const LineSession line = link.takeLine(operation, lineLost);
    const auto stopped = [&] { return operation.cancelled() || !link.portOpen(); };
    const std::uint16_t blocks[] = {Api_Edid_Block0, Api_Edid_Block1};
    for (std::size_t i = 0; i < 2; ++i) {
        if (stopped())
            return false;
        link.sendWrite(blocks[i], kEdidBlockSize, &image[i * kEdidBlockSize],
                       [&link, i](std::uint16_t byte) {
                           // A long transfer: the watchdog takes it for a sign of life.
                           link.markAlive();
                           const std::string percent = uploadPercent(i, byte);
                           Reporter& reporter = link.reporter();
                           reporter.setStatusColour(StatusLabel::Upload, Colour::Black);
                           reporter.setStatusText(StatusLabel::Upload, percent);
                           reporter.setStatusText(StatusLabel::CreatorUpload, percent);
                       });
        link.waitMs(BlockSettleMs);
        // Each block's answer is taken before the next request: collected after it, the
        // answer would be dispatched as the next request's, which ends block 1's progress
        // or shows block 1's first byte as the presented EDID.
        link.awaitAnswerInFlight();
    }
    if (stopped())
        return false;
    link.view().showPresentedEdid(PresentedEdid::User);
    link.sendWrite(Api_Edid_Mode, 1, &PresentUserEdid);
    return !stopped();
}
