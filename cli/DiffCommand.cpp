// redaviv-cli diff: how two EDIDs differ, byte by byte, field by field and item by item.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidDecoder.h"
#include "EdidDiff.h"
#include "EdidInput.h"
#include "EdidSummary.h"
#include "Json.h"
#include "SummaryDiff.h"

#include <cstdio>
#include <ostream>

namespace {

struct Comparison {
    std::vector<ByteDifference> bytes;
    std::vector<FieldDifference> fields;
    std::vector<SummaryDifference> items;
    bool equal() const { return bytes.empty(); }
};

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
    out << "]}\n";
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
    EdidInfo records[2];
    EdidSummary summaries[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& file = args.files[static_cast<std::size_t>(i)];
        const EdidInput input = ReadEdidInput(file);
        if (input.status != EdidInputStatus::Read) {
            if (args.json)
                context.out << "{\"file\": " << JsonTextString(file)
                            << ", \"error\": " << JsonLatin1String(EdidInputMessage(input))
                            << "}\n";
            else
                context.err << file << ": " << EdidInputMessage(input) << "\n";
            return ExitStatus::Usage;
        }
        // Each EDID as the analyser shows a file: a fresh record, decoded.
        records[i] = EdidInfo{};
        DecodeEdid(records[i], input.image);
        summaries[i] = SummariseEdid(records[i]);
    }
    const Comparison comparison{DiffImages(records[0].Image, records[1].Image),
                                DiffRecords(records[0], records[1]),
                                DiffSummaries(summaries[0], summaries[1])};
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
    "\n"
    "  --json   one JSON object: {\"a\": ..., \"b\": ..., \"equal\": true|false,\n"
    "           \"blocks\": [{\"block\": 0, \"bytes\": [{\"offset\": ..., \"a\": ..., \"b\": "
    "...}]}],\n"
    "           \"fields\": [{\"name\": ..., \"a\": ..., \"b\": ...}],\n"
    "           \"items\": [{\"label\": ..., \"a\": ..., \"b\": ...}]}\n"
    "           or, for an input that cannot be read, {\"file\": ..., \"error\": ...}\n"
    "\n"
    "Exit status: 0 when the EDIDs are equal, 1 when they differ, 2 on a usage error or\n"
    "when A or B cannot be read.\n",
    runDiff,
};
