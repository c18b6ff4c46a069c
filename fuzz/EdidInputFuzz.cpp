// Feeds arbitrary bytes to the reader of EDID inputs (binary or hex text) and checks
// what it promises: content never fails to read except as text of the wrong length, a
// buffer that starts with the header is binary and read like a file, and what is read
// comes back unchanged through the hex export.
#include "EdidExport.h"
#include "EdidFile.h"
#include "EdidInput.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const EdidInput input = ParseEdidInput(bytes);
    if (input.status == EdidInputStatus::CannotOpen)
        fail("content reported as unreadable");
    if (input.status == EdidInputStatus::WrongLength) {
        if (input.form == EdidInputForm::Binary)
            fail("a binary input of the wrong length");
        if (input.textBytes != 0 && input.textBytes % kEdidBlockSize == 0)
            fail("whole blocks refused");
        if (EdidInputMessage(input).empty())
            fail("no message for the wrong length");
        return 0;
    }
    const bool header =
        size >= EdidHeader.size() && std::equal(EdidHeader.begin(), EdidHeader.end(), data);
    if (header && input.form != EdidInputForm::Binary)
        fail("a buffer with the header read as text");
    if (input.form == EdidInputForm::Binary && input.image != EdidImageFromBytes(bytes))
        fail("binary not read by the file rule");

    const EdidInput again = ParseEdidInput(ExportEdid(input.image, EdidExportFormat::Hex));
    if (again.status != EdidInputStatus::Read || again.image != input.image)
        fail("the hex export does not read back");
    return 0;
}
