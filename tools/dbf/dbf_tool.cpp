#include "dbf_tool.h"

#include <cstdio>
#include <functional>

#include "base/ascii_text.h"
#include "base/windows1252.h"
#include "tools/common/command_line.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::tools {
namespace {

using namespace zentrix::xbase;

constexpr int kOk = 0;
constexpr int kMismatch = 1;
constexpr int kUnreadable = 2;

std::string versionName(uint8_t v) {
    switch (v) {
        case 0x03:
            return "dBase III / FoxPro without memo";
        case 0x83:
            return "dBase III with memo";
        case 0x8B:
            return "dBase IV with memo";
        case 0xF5:
            return "FoxPro 2.x with memo";
        case 0x30:
            return "Visual FoxPro";
        case 0x31:
            return "Visual FoxPro with autoincrement";
        case 0x32:
            return "Visual FoxPro with varchar";
        default:
            return "other";
    }
}

bool isMemoField(const Field& f) {
    return f.type() == FieldType::Memo || f.type() == FieldType::General ||
           f.type() == FieldType::Blob;
}

// Table text is Windows-1252; JSON output is plain ASCII with every other
// character written as \uXXXX, so any JSON reader takes it whatever it
// assumes of the encoding.
std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (base::ascii::appendBackslashEscape(out, c, true)) continue;
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", base::windows1252CodePoint(byte));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string base64(const std::string& data) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const uint32_t v =
            (uint8_t(data[i]) << 16) | (uint8_t(data[i + 1]) << 8) | uint8_t(data[i + 2]);
        for (int k = 3; k >= 0; --k) out += alphabet[(v >> (6 * k)) & 63];
    }
    if (i + 1 == data.size()) {
        const uint32_t v = uint8_t(data[i]) << 16;
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += "==";
    } else if (i + 2 == data.size()) {
        const uint32_t v = (uint8_t(data[i]) << 16) | (uint8_t(data[i + 1]) << 8);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

void printInfo(Table& table, std::ostream& out) {
    const TableInfo& info = table.info();
    char buf[160];
    std::snprintf(buf, sizeof buf, "version: 0x%02X (%s)\n", info.version,
                  versionName(info.version).c_str());
    out << "table: " << info.path << "\n" << buf;
    std::snprintf(buf, sizeof buf, "last update: %04d-%02d-%02d\n", info.lastUpdateYear,
                  info.lastUpdateMonth, info.lastUpdateDay);
    out << buf;
    out << "records: " << table.recordCount() << "\n";
    out << "header length: " << info.headerLength << "\n";
    out << "record length: " << info.recordLength << "\n";
    std::snprintf(buf, sizeof buf, "flags: 0x%02X\ncode page: 0x%02X\n", info.tableFlags,
                  info.codePage);
    out << buf;
    if (info.hasMemo)
        out << "memo: " << info.memoPath << " (block size " << info.memoBlockSize << ")\n";
    if (!info.indexPath.empty()) out << "index: " << info.indexPath << "\n";
    out << "fields " << table.fieldCount() << ":\n";
    for (int i = 0; i < table.fieldCount(); ++i) {
        const Field& f = *table.fieldAt(i);
        out << "  " << f.name() << " " << char(f.type()) << " " << f.length() << " " << f.decimals()
            << (f.descriptor().nullable ? " null" : "") << "\n";
    }
    const auto tags = table.tags();
    out << "tags " << tags.size() << ":\n";
    for (const Tag* t : tags) {
        out << "  " << t->name() << " key=\"" << t->keyExpression() << "\"";
        if (!t->forExpression().empty()) out << " for=\"" << t->forExpression() << "\"";
        out << " keylen=" << t->keyLength();
        if (!t->usable()) out << " unusable: " << t->problem();
        out << "\n";
    }
    for (const auto& w : table.warnings()) out << "warning: " << w << "\n";
}

void dumpRecord(Table& table, bool json, bool first, std::ostream& out) {
    if (json) {
        out << (first ? "" : ",\n") << "  {\"recno\": " << table.recno()
            << ", \"deleted\": " << (table.deleted() ? "true" : "false");
        for (int i = 0; i < table.fieldCount(); ++i) {
            const Field* f = table.fieldAt(i);
            out << ", " << jsonString(f->name()) << ": ";
            if (isMemoField(*f) && table.isByteMemo(f))
                out << jsonString(base64(table.memo(f)));
            else
                out << jsonString(table.text(f));
        }
        out << "}";
        return;
    }
    out << table.recno() << "\t" << (table.deleted() ? "*" : " ");
    for (int i = 0; i < table.fieldCount(); ++i) {
        const Field* f = table.fieldAt(i);
        out << "\t";
        if (isMemoField(*f) && table.isByteMemo(f))
            out << "<" << table.memo(f).size() << " bytes>";
        else
            out << base::ascii::backslashEscaped(table.text(f));
    }
    out << "\n";
}

int dump(Table& table, Engine& engine, const std::string& tagName, bool withDeleted, bool json,
         std::ostream& out, std::ostream& err) {
    if (!tagName.empty()) {
        const Tag* tag = table.tag(tagName);
        if (!tag) {
            err << table.info().path << ": no tag " << tagName << "\n";
            return kUnreadable;
        }
        if (auto s = table.selectTag(tag); !s) {
            err << s.message() << "\n";
            return kUnreadable;
        }
    }
    engine.takeErrorCode();
    if (json) out << "[\n";
    bool first = true;
    for (bool on = table.top(); on; on = table.skip(1)) {
        if (table.deleted() && !withDeleted) continue;
        dumpRecord(table, json, first, out);
        first = false;
    }
    if (json) out << (first ? "]\n" : "\n]\n");
    if (engine.takeErrorCode() != kNoError) {
        err << engine.lastError() << "\n";
        return kUnreadable;
    }
    return kOk;
}

// Opens the table named by the command's one argument and runs `body` on it.
int withTable(const ParsedCommand& command, OpenMode mode, std::ostream& err,
              const std::function<int(Table&, Engine&)>& body) {
    Engine engine;
    auto opened = engine.open(command.argument(0), mode);
    if (!opened) {
        err << opened.message() << "\n";
        return kUnreadable;
    }
    return body(*opened.value(), engine);
}

int infoCommand(const ParsedCommand& command, std::ostream& out, std::ostream& err) {
    return withTable(command, OpenMode::ReadOnly, err, [&](Table& table, Engine&) {
        printInfo(table, out);
        return kOk;
    });
}

int dumpCommand(const ParsedCommand& command, std::ostream& out, std::ostream& err) {
    return withTable(command, OpenMode::ReadOnly, err, [&](Table& table, Engine& engine) {
        return dump(table, engine, command.value("--tag"), command.has("--deleted"),
                    command.has("--json"), out, err);
    });
}

int checkCommand(const ParsedCommand& command, std::ostream& out, std::ostream& err) {
    return withTable(command, OpenMode::ReadOnly, err, [&](Table& table, Engine&) {
        // A tag that cannot be used or an index left mid-commit is a mismatch too.
        for (const auto& w : table.warnings()) err << "warning: " << w << "\n";
        if (!table.warnings().empty()) return kMismatch;
        if (auto s = table.check(); !s) {
            err << s.message() << "\n";
            return kMismatch;
        }
        out << table.info().path << ": " << table.tags().size() << " tags match the table\n";
        return kOk;
    });
}

int reindexCommand(const ParsedCommand& command, std::ostream& out, std::ostream& err) {
    return withTable(command, OpenMode::ReadWrite, err, [&](Table& table, Engine&) {
        if (auto s = table.reindex(); !s) {
            err << s.message() << "\n";
            return kUnreadable;
        }
        out << table.info().path << ": reindexed " << table.tags().size() << " tags\n";
        return kOk;
    });
}

}  // namespace

int runDbfTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ToolDescription tool{
        "zentrix-dbf",
        "Looks inside dBase/FoxPro tables (DBF with FPT memo and CDX index).",
        kUnreadable,
        {
            {{"info", "FILE", "header, fields, record count and tags", 1, 1}, infoCommand},
            {{"dump",
              "FILE",
              "the records, one a line (deleted ones only with --deleted)",
              1,
              1,
              {{"--tag", "NAME", "in the order of tag NAME"},
               {"--deleted", "", "with deleted records"},
               {"--json", "", "as a JSON array; byte memos in base64"}}},
             dumpCommand},
            {{"check", "FILE", "every tag against the table (exit 1 on a mismatch)", 1, 1},
             checkCommand},
            {{"reindex", "FILE", "rebuilds every tag from the table", 1, 1}, reindexCommand},
        }};
    return runTool(tool, args, out, err);
}

}  // namespace zentrix::tools
