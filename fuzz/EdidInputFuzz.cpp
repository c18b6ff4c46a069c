// Feeds arbitrary bytes to the reader of EDID inputs (binary or hex text) and checks
// what it promises: content never fails to read except as empty input, blank or
// malformed text or text of the wrong length, each with its message; a buffer that
// starts with the header is binary and read like a file, with its length and the bytes
// past the 256; and what is read comes back unchanged through the hex export.
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
    switch (input.status) {
    case EdidInputStatus::CannotOpen:
        fail("content reported as unreadable");
    case EdidInputStatus::Empty:
        if (size > 3)
            fail("content reported as empty");
        return 0;
    case EdidInputStatus::Blank:
        if (size == 0)
            fail("nothing reported as blank");
        return 0;
    case EdidInputStatus::NotHex:
        if (input.problem.rfind("line ", 0) != 0 || EdidInputMessage(input) != input.problem)
            fail("malformed text without its line");
        return 0;
    case EdidInputStatus::WrongLength:
        if (input.form == EdidInputForm::Binary)
            fail("a binary input of the wrong length");
        if (input.length != 0 && input.length % kEdidBlockSize == 0)
            fail("whole blocks refused");
        if (EdidInputMessage(input).empty())
            fail("no message for the wrong length");
        return 0;
    case EdidInputStatus::Read:
        break;
    }
    const bool header =
        size >= EdidHeader.size() && std::equal(EdidHeader.begin(), EdidHeader.end(), data);
    if (header && input.form != EdidInputForm::Binary)
        fail("a buffer with the header read as text");
    if (input.form == EdidInputForm::Binary &&
        (input.image != EdidImageFromBytes(bytes) || input.length != size))
        fail("binary not read by the file rule");
    if (input.length > kEdidSize ? input.beyond.size() != input.length - kEdidSize
                                 : !input.beyond.empty())
        fail("the bytes past the 256 not kept");

    const EdidInput again = ParseEdidInput(ExportEdid(input.image, EdidExportFormat::Hex));
    if (again.status != EdidInputStatus::Read || again.image != input.image)
        fail("the hex export does not read back");
    return 0;
}
