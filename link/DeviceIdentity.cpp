#include "DeviceIdentity.h"

#include "ApiTypes.h"
#include "DeviceLink.h"

bool AskIdentityAgain(DeviceLink& link, bool modelName, bool firmwareVersion) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    if (!operation)
        return false;
    // Holds the status poll, and lets the answer to Search's last request land first.
    const LineSession line = link.takeLine(operation);
    const struct {
        bool asked;
        std::uint16_t type;
        std::uint16_t count;
    } requests[] = {
        {modelName, Api_Model_Name, ModelNameBytes},
        {firmwareVersion, Api_Fw_Version, FwVersionBytes},
    };
    for (const auto& request : requests) {
        if (!request.asked || operation.cancelled())
            continue;
        link.sendRead(request.type, request.count);
        link.awaitAnswerInFlight();
    }
    return true;
}
