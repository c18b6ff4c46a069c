// redaviv-cli diff: how two EDIDs differ, byte by byte, field by field and item by item.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidDecoder.h"
#include "EdidDiff.h"
#include "EdidInput.h"
#include "EdidSummary.h"
#include "Json.h"
#include "SummaryDiff.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>

namespace {

struct Comparison {
    std::vector<ByteDifference> bytes;
    std::vector<FieldDifference> fields;
    std::vector<SummaryDifference> items;
    // When the inputs differ after their first 256 bytes: the last byte compared there.
    std::optional<std::size_t> beyondTo;
    bool equal() const { return bytes.empty() && !beyondTo; }
};

// The device holds 256 bytes and the decoder reads no more, but the inputs are compared
// whole: after byte 255 they are equal only when they hold the same bytes there, as many
// of them. When they are not, the last byte compared: the longer input's last.
std::optional<std::size_t> differenceBeyond(const EdidInput& a, const EdidInput& b) {
    const auto past = [](const EdidInput& input) {
        return input.length > kEdidSize ? input.length - kEdidSize : 0;
    };
    if (past(a) == past(b) && a.beyond == b.beyond)
        return std::nullopt;
    return std::max(a.length, b.length) - 1;
}

// "bytes 256..511 differ"
std::string beyondText(std::size_t last) {
    return "bytes " + std::to_string(kEdidSize) + ".." + std::to_string(last) + " differ";
}

std::string hexByte(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

std::string fieldJson(const RecordField& field) {
    return field.isText ? JsonLatin1String(field.value) : field.value;
}

// "    EDID Header :" reads "EDID Header".
std::string itemName(const SummaryItemNames& item) {
    std::string caption = item.caption;
    const auto first = caption.find_first_not_of(' ');
    const auto last = caption.find_last_not_of(" :");
    return first == std::string::npos ? caption : caption.substr(first, last - first + 1);
}

// The differing bytes of one block.
std::vector<ByteDifference> inBlock(const std::vector<ByteDifference>& bytes, std::size_t block) {
    std::vector<ByteDifference> found;
    for (const ByteDifference& d : bytes) {
        if (d.offset / kEdidBlockSize == block)
            found.push_back(d);
    }
    return found;
}

constexpr std::size_t kBlocks = kEdidSize / kEdidBlockSize;

void printText(std::ostream& out, const Comparison& c) {
    for (std::size_t block = 0; block < kBlocks; ++block) {
        const std::vector<ByteDifference> bytes = inBlock(c.bytes, block);
        if (!bytes.empty())
            out << "Block " << block << " (offset: A B):\n";
        for (const ByteDifference& d : bytes)
            out << "  0x" << hexByte(static_cast<unsigned>(d.offset), 2) << ": " << hexByte(d.a, 2)
                << " " << hexByte(d.b, 2) << "\n";
    }
    if (c.beyondTo)
        out << beyondText(*c.beyondTo) << "\n";
    if (!c.fields.empty())
        out << "Record fields (A | B):\n";
    for (const FieldDifference& d : c.fields)
        out << "  " << d.a.name << ": " << fieldJson(d.a) << " | " << fieldJson(d.b) << "\n";
    if (!c.items.empty())
        out << "Analyser items (A | B):\n";
    for (const SummaryDifference& d : c.items)
        out << "  " << itemName(*d.item) << ": " << JsonLatin1String(d.a) << " | "
            << JsonLatin1String(d.b) << "\n";
}

void printJson(std::ostream& out, const std::string& a, const std::string& b, const Comparison& c) {
    out << "{\"a\": " << JsonTextString(a) << ", \"b\": " << JsonTextString(b)
        << ", \"equal\": " << (c.equal() ? "true" : "false") << ", \"blocks\": [";
    bool firstBlock = true;
    for (std::size_t block = 0; block < kBlocks; ++block) {
        const std::vector<ByteDifference> bytes = inBlock(c.bytes, block);
        if (bytes.empty())
            continue;
        out << (firstBlock ? "" : ", ") << "{\"block\": " << block << ", \"bytes\": [";
        for (std::size_t i = 0; i < bytes.size(); ++i)
            out << (i ? ", " : "") << "{\"offset\": " << bytes[i].offset
                << ", \"a\": " << +bytes[i].a << ", \"b\": " << +bytes[i].b << "}";
        out << "]}";
        firstBlock = false;
    }
    out << "], \"fields\": [";
    for (std::size_t i = 0; i < c.fields.size(); ++i)
        out << (i ? ", " : "") << "{\"name\": \"" << c.fields[i].a.name
            << "\", \"a\": " << fieldJson(c.fields[i].a) << ", \"b\": " << fieldJson(c.fields[i].b)
            << "}";
    out << "], \"items\": [";
    for (std::size_t i = 0; i < c.items.size(); ++i)
        out << (i ? ", " : "") << "{\"item\": \"" << c.items[i].item->key
            << "\", \"a\": " << JsonLatin1String(c.items[i].a)
            << ", \"b\": " << JsonLatin1String(c.items[i].b) << "}";
    out << "]";
    if (c.beyondTo)
        out << ", \"beyond\": {\"from\": " << kEdidSize << ", \"to\": " << *c.beyondTo << "}";
    out << "}\n";
}

int runDiff(CommandContext& context) {
    FileCommandArgs args;
    if (!ParseFileCommandArgs(DiffCommand, context, true, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(DiffCommand, context.out);
        return ExitStatus::Ok;
    }
    if (args.files.size() != 2 || (args.files[0] == "-" && args.files[1] == "-")) {
        // Standard input holds one EDID: it cannot be both.
        UsageError(DiffCommand, context, "two inputs needed, A and B, at most one of them \"-\"");
        return ExitStatus::Usage;
    }
    EdidInput inputs[2];
    EdidInfo records[2];
    EdidSummary summaries[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& file = args.files[static_cast<std::size_t>(i)];
        // Read whole, so no note of the bytes past 256: the comparison covers them.
        const bool accepted = CheckEdidInput(DiffCommand, context, file);
        inputs[i] = accepted ? ReadEdidInput(file) : EdidInput{};
        if (inputs[i].status != EdidInputStatus::Read) {
            const std::string message = EdidInputMessage(inputs[i]);
            if (args.json)
                context.out << "{\"file\": " << JsonTextString(file)
                            << ", \"error\": " << JsonTextString(message) << "}\n";
            else if (accepted)
                PrintFileLine(context.err, file, message);
            return ExitStatus::Usage;
        }
        // Each EDID as the analyser shows a file: a fresh record, decoded.
        records[i] = EdidInfo{};
        DecodeEdid(records[i], inputs[i].image);
        summaries[i] = SummariseEdid(records[i]);
    }
    const Comparison comparison{
        DiffImages(records[0].Image, records[1].Image), DiffRecords(records[0], records[1]),
        DiffSummaries(summaries[0], summaries[1]), differenceBeyond(inputs[0], inputs[1])};
    if (args.json)
        printJson(context.out, args.files[0], args.files[1], comparison);
    else
        printText(context.out, comparison);
    return comparison.equal() ? ExitStatus::Ok : ExitStatus::Failed;
}

} // namespace

const Command DiffCommand = {
    "diff",
    "diff [--json] A B",
    "how two EDIDs differ: bytes, decoded fields, analyser items",
    "Reads the EDIDs A and B (each a binary file, hex text, or \"-\" for standard input,\n"
    "as export reads them), decodes each as the analyser does and prints what differs:\n"
    "the bytes, grouped by block (offset, A's byte, B's byte, in hex); then the decoded\n"
    "record's fields; then the analyser's items. Equal EDIDs print nothing.\n"
    "The inputs are compared whole: past their first 256 bytes (which the analyser\n"
    "reads) they are equal only when they hold the same bytes there, as many of them;\n"
    "otherwise \"bytes 256..N differ\" follows the blocks, N being the last byte of the\n"
    "longer input.\n"
    "\n"
    "  --json   one JSON object: {\"a\": ..., \"b\": ..., \"equal\": true|false,\n"
    "           \"blocks\": [{\"block\": 0, \"bytes\": [{\"offset\": ..., \"a\": ..., \"b\": "
    "...}]}],\n"
    "           \"fields\": [{\"name\": ..., \"a\": ..., \"b\": ...}],\n"
    "           \"items\": [{\"item\": ..., \"a\": ..., \"b\": ...}]}\n"
    "           with \"beyond\": {\"from\": 256, \"to\": N} last when the inputs differ\n"
    "           past their first 256 bytes;\n"
    "           or, for an input that cannot be read, {\"file\": ..., \"error\": ...}\n"
    "\n"
    "Exit status: 0 when the EDIDs are equal, 1 when they differ, 2 on a usage error or\n"
    "when A or B cannot be read.\n",
    runDiff,
};
