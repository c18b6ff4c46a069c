#include "EdidOpenLog.h"

#include "Reporter.h"

bool LogEdidOpen(Reporter& reporter, const EdidInput& input) {
    const bool read = input.status == EdidInputStatus::Read;
    reporter.replaceLog(read ? std::string("Edid Open OK.\r\n") : EdidInputMessage(input) + "\r\n");
    return read;
}
