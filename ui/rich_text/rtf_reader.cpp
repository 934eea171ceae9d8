#include "ui/rich_text/rtf_reader.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "base/ascii_text.h"
#include "ui/rich_text/rich_text_document.h"
#include "ui/rich_text/rtf_picture.h"
#include "ui/rich_text/rtf_tokenizer.h"

namespace zentrix::ui {
namespace {

using Token = RtfTokenizer::Token;
using Kind = RtfTokenizer::Kind;

constexpr double kTwipsPerPixel = 15.0;
constexpr int kMaxTwips = 31680;  // 22 inches: any larger indent or spacing is damage
constexpr int kMaxTableColumns = 63;
constexpr int kMaxFontNameLength = 64;
constexpr int kMaxColours = 4096;

enum class Destination { Text, Skip, FontTable, ColourTable, Picture };

enum class FontKind { Normal, Symbol, Wingdings };

struct FontEntry {
    QString name;
    int codePage = 0;  // 0: the document's
    FontKind kind = FontKind::Normal;
    QFont::StyleHint hint = QFont::AnyStyle;
};

struct CharacterState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0;    // 1 superscript, -1 subscript
    int halfPoints = 0;  // 0: the document's default size
    int font = -1;
    int foreground = 0;  // colour table index, 0 automatic
    int background = 0;

    bool operator==(const CharacterState&) const = default;
};

struct ParagraphState {
    bool operator==(const ParagraphState&) const = default;

    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    bool inTable = false;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharacterState character;
    ParagraphState paragraph;
    int unicodeSkip = 1;
    bool starred = false;      // \* seen, waiting for the destination word
    bool firstWord = true;     // no control word read in this group yet
    bool ownsPicture = false;  // this group is the \pict group itself
};

int clampTwips(const Token& token) {
    return std::clamp(token.hasParameter ? token.parameter : 0, -kMaxTwips, kMaxTwips);
}

double twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// \fcharsetN as a Windows code page; 0 keeps the document's.
int codePageOfCharset(int charset) {
    switch (charset) {
        case 0:
            return 1252;
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 255:
            return 437;
        default:
            return 0;
    }
}

// Bullets of the symbol fonts that Word uses for lists, as Unicode.
std::optional<QChar> symbolCharacter(FontKind kind, unsigned char byte) {
    if (kind == FontKind::Symbol) {
        switch (byte) {
            case 0xB7:
                return QChar(0x2022);
            case 0xA8:
                return QChar(0x2666);
            case 0xD8:
                return QChar(0x00AC);
            case 0xB0:
                return QChar(0x00B0);
            default:
                return std::nullopt;
        }
    }
    if (kind == FontKind::Wingdings) {
        switch (byte) {
            case 0x6C:
                return QChar(0x25CF);
            case 0x6E:
                return QChar(0x25A0);
            case 0x71:
                return QChar(0x2751);
            case 0x76:
                return QChar(0x2756);
            case 0xA7:
                return QChar(0x25AA);
            case 0xD8:
                return QChar(0x27A2);
            case 0xFC:
                return QChar(0x2713);
            default:
                return QChar(0x2022);
        }
    }
    return std::nullopt;
}

class Reader {
public:
    Reader(QTextDocument& document) : document_(document), cursor_(&document) {
        cursor_.movePosition(QTextCursor::End);
        stack_.emplace_back();
    }

    RtfReadSummary run(QByteArrayView input);

private:
    GroupState& state() { return stack_.back(); }

    void groupStart();
    bool groupEnd();  // false when the outermost group closed
    void controlWord(const Token& token);
    void controlSymbol(char symbol);
    bool destinationWord(QByteArrayView word);
    void characterWord(QByteArrayView word, const Token& token);
    bool paragraphWord(QByteArrayView word, const Token& token);
    void pictureWord(QByteArrayView word, const Token& token);
    void fontTableWord(QByteArrayView word, const Token& token);

    void text(QByteArrayView bytes);
    void hexByte(unsigned char byte);
    void appendUnicode(int value);
    void appendCharacter(QChar c);
    void appendBytes(QByteArrayView bytes);
    void decodePendingBytes();
    void flush();

    void placeContent();
    void endParagraph();
    void cell();
    void openTable();
    void closeTable();
    void insertPicture();
    void finish();

    int codePage();
    FontKind fontKind();
    QTextCharFormat characterFormat();
    QTextBlockFormat blockFormat();
    std::optional<QColor> colour(int index) const;
    void setTableColumns(int columns);

    QTextDocument& document_;
    QTextCursor cursor_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    bool started_ = false;
    bool done_ = false;
    RtfReadSummary summary_;

    int documentCodePage_ = 1252;
    int defaultFont_ = -1;
    QHash<int, FontEntry> fonts_;
    int fontTableEntry_ = -1;
    std::vector<std::optional<QColor>> colours_;
    int red_ = -1, green_ = -1, blue_ = -1;

    // Text waiting for its format: bytes not yet decoded (so that double-byte
    // pairs split over two \'hh stay together), then decoded characters.
    QByteArray pendingBytes_;
    int pendingCodePage_ = 0;
    FontKind pendingFontKind_ = FontKind::Normal;
    QString pendingText_;
    ushort pendingHighSurrogate_ = 0;
    int skipCharacters_ = 0;

    std::map<int, QStringDecoder> decoders_;

    RtfPicture picture_;
    int hexNibble_ = -1;
    qint64 pixelsUsed_ = 0;
    int pictureSerial_ = 0;

    // The formats last built, kept while the state they came from holds.
    QSet<QString> placeholders_;  // names of the placeholder images made so far

    std::optional<CharacterState> cachedCharacter_;
    QTextCharFormat cachedCharacterFormat_;
    std::optional<ParagraphState> cachedParagraph_;
    QTextBlockFormat cachedBlockFormat_;

    QTextTable* table_ = nullptr;
    int tableRow_ = 0;
    int tableColumn_ = 0;
    bool rowEnded_ = false;
    std::vector<int> cellEdges_;  // \cellx of the current row definition, twips
    bool trailingParagraphMark_ = false;
};

RtfReadSummary Reader::run(QByteArrayView input) {
    RtfTokenizer tokenizer(input);
    while (!done_) {
        const Token token = tokenizer.next();
        switch (token.kind) {
            case Kind::End:
                done_ = true;
                break;
            case Kind::GroupStart:
                groupStart();
                break;
            case Kind::GroupEnd:
                if (!groupEnd()) done_ = true;
                break;
            case Kind::ControlWord:
                controlWord(token);
                break;
            case Kind::ControlSymbol:
                controlSymbol(token.symbol);
                break;
            case Kind::HexByte:
                hexByte(token.byte);
                break;
            case Kind::Binary:
                if (skipCharacters_ > 0) {
                    --skipCharacters_;
                } else if (state().destination == Destination::Picture) {
                    picture_.data.append(token.word.data(), token.word.size());
                }
                break;
            case Kind::Text:
                text(token.word);
                break;
        }
    }
    if (stack_.size() > 1 || overflowDepth_ > 0) summary_.unbalanced = started_;
    finish();
    return summary_;
}

void Reader::groupStart() {
    skipCharacters_ = 0;
    if (stack_.size() > static_cast<std::size_t>(RtfReader::kMaxDepth)) {
        ++overflowDepth_;
        summary_.depthLimited = true;
        return;
    }
    GroupState child = state();
    child.starred = false;
    child.firstWord = true;
    child.ownsPicture = false;
    // Groups inside a picture (its properties) hold no picture data.
    if (child.destination == Destination::Picture) child.destination = Destination::Skip;
    if (child.destination == Destination::Text) flush();
    stack_.push_back(child);
    started_ = true;
}

bool Reader::groupEnd() {
    skipCharacters_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return true;
    }
    if (stack_.size() <= 1) return false;  // a stray brace before any group: stop
    GroupState& closing = state();
    if (closing.destination == Destination::Text) flush();
    const bool picture = closing.ownsPicture;
    if (closing.destination == Destination::FontTable) fontTableEntry_ = -1;
    // Fonts or colours may have changed: formats are built afresh.
    if (closing.destination == Destination::FontTable ||
        closing.destination == Destination::ColourTable)
        cachedCharacter_.reset();
    stack_.pop_back();
    if (picture) insertPicture();
    return stack_.size() > 1;  // the document group closed: nothing after it is read
}

void Reader::controlWord(const Token& token) {
    const QByteArrayView word = token.word;
    GroupState& group = state();
    const bool starred = group.starred;
    const bool first = group.firstWord;
    group.starred = false;
    group.firstWord = false;

    if (skipCharacters_ > 0) {
        --skipCharacters_;
        return;
    }
    if (group.destination == Destination::Skip) return;
    if (first && destinationWord(word)) return;
    if (starred) {
        group.destination = Destination::Skip;  // an optional destination we do not know
        return;
    }
    switch (group.destination) {
        case Destination::FontTable:
            fontTableWord(word, token);
            return;
        case Destination::ColourTable:
            if (word == "red")
                red_ = std::clamp(token.parameter, 0, 255);
            else if (word == "green")
                green_ = std::clamp(token.parameter, 0, 255);
            else if (word == "blue")
                blue_ = std::clamp(token.parameter, 0, 255);
            return;
        case Destination::Picture:
            pictureWord(word, token);
            return;
        default:
            break;
    }

    if (word == "u") {
        // A signed 16-bit number; anything outside is damage and shows nothing.
        if (token.parameter >= -32768 && token.parameter <= 65535)
            appendUnicode(token.parameter < 0 ? token.parameter + 65536 : token.parameter);
        skipCharacters_ = group.unicodeSkip;
        return;
    }
    if (word == "uc") {
        group.unicodeSkip = std::clamp(token.hasParameter ? token.parameter : 1, 0, 16);
        return;
    }
    if (word == "rtf") {
        return;
    }
    if (word == "ansi")
        documentCodePage_ = 1252;
    else if (word == "mac")
        documentCodePage_ = 10000;
    else if (word == "pc")
        documentCodePage_ = 437;
    else if (word == "pca")
        documentCodePage_ = 850;
    else if (word == "ansicpg")
        documentCodePage_ = token.parameter > 0 ? token.parameter : 1252;
    else if (word == "deff")
        defaultFont_ = token.parameter;
    else if (paragraphWord(word, token))
        return;
    else
        characterWord(word, token);
}

// Words that begin a destination when they open a group. Gives true when the
// word was one (so that a \* before it does not skip the group).
bool Reader::destinationWord(QByteArrayView word) {
    static const QByteArrayView skipped[] = {
        "annotation",   "atnauthor",    "atnid",        "author",
        "background",   "bkmkend",      "bkmkstart",    "colorschememapping",
        "comment",      "datastore",    "docvar",       "falt",
        "fldinst",      "filetbl",      "footer",       "footerf",
        "footerl",      "footerr",      "footnote",     "ftncn",
        "ftnsep",       "ftnsepc",      "generator",    "header",
        "headerf",      "headerl",      "headerr",      "info",
        "latentstyles", "leveltext",    "levelnumbers", "listoverridetable",
        "listtable",    "mmathPr",      "nonshppict",   "objclass",
        "objdata",      "panose",       "pgdsctbl",     "picprop",
        "pn",           "private",      "revtbl",       "rsidtbl",
        "shpinst",      "stylesheet",   "tc",           "template",
        "themedata",    "txe",          "userprops",    "xe",
        "xmlnstbl",     "aftncn",       "aftnsep",      "aftnsepc",
        "blipuid",      "wgrffmtfilter"};
    GroupState& group = state();
    if (word == "fonttbl") {
        group.destination = Destination::FontTable;
        fontTableEntry_ = -1;
        return true;
    }
    if (word == "colortbl") {
        group.destination = Destination::ColourTable;
        colours_.clear();
        red_ = green_ = blue_ = -1;
        return true;
    }
    if (word == "pict") {
        flush();
        group.destination = Destination::Picture;
        group.ownsPicture = true;
        picture_ = RtfPicture{};
        hexNibble_ = -1;
        return true;
    }
    // Word's list numbers and the visible result of fields and shapes are text.
    if (word == "pntext" || word == "listtext" || word == "fldrslt" || word == "shprslt" ||
        word == "shppict" || word == "field" || word == "shp" || word == "object" ||
        word == "result") {
        return true;
    }
    for (QByteArrayView name : skipped) {
        if (word == name) {
            group.destination = Destination::Skip;
            return true;
        }
    }
    return false;
}

void Reader::fontTableWord(QByteArrayView word, const Token& token) {
    if (word == "f") {
        fontTableEntry_ = token.parameter;
        fonts_[fontTableEntry_];  // known even when nameless
        return;
    }
    if (fontTableEntry_ < 0) return;
    FontEntry& font = fonts_[fontTableEntry_];
    if (word == "fcharset") {
        font.codePage = codePageOfCharset(token.parameter);
        if (token.parameter == 2) font.kind = FontKind::Symbol;
    } else if (word == "cpg") {
        font.codePage = token.parameter > 0 ? token.parameter : 0;
    } else if (word == "froman") {
        font.hint = QFont::Serif;
    } else if (word == "fswiss") {
        font.hint = QFont::SansSerif;
    } else if (word == "fmodern") {
        font.hint = QFont::TypeWriter;
    } else if (word == "fscript") {
        font.hint = QFont::Cursive;
    } else if (word == "fdecor") {
        font.hint = QFont::Decorative;
    }
}

bool Reader::paragraphWord(QByteArrayView word, const Token& token) {
    ParagraphState& p = state().paragraph;
    auto change = [&](auto apply) {
        flush();
        apply();
        return true;
    };
    if (word == "par" || word == "sect" || word == "page") {
        endParagraph();
        return true;
    }
    if (word == "pard") return change([&] { p = ParagraphState{}; });
    if (word == "ql") return change([&] { p.alignment = Qt::AlignLeft; });
    if (word == "qr") return change([&] { p.alignment = Qt::AlignRight; });
    if (word == "qc") return change([&] { p.alignment = Qt::AlignHCenter; });
    if (word == "qj") return change([&] { p.alignment = Qt::AlignJustify; });
    if (word == "li") return change([&] { p.leftTwips = clampTwips(token); });
    if (word == "ri") return change([&] { p.rightTwips = clampTwips(token); });
    if (word == "fi") return change([&] { p.firstTwips = clampTwips(token); });
    if (word == "sb") return change([&] { p.beforeTwips = std::max(0, clampTwips(token)); });
    if (word == "sa") return change([&] { p.afterTwips = std::max(0, clampTwips(token)); });
    if (word == "intbl") return change([&] { p.inTable = true; });
    if (word == "trowd") {
        return change([&] {
            p.inTable = true;
            cellEdges_.clear();
        });
    }
    if (word == "cellx") {
        if (cellEdges_.size() < static_cast<std::size_t>(kMaxTableColumns))
            cellEdges_.push_back(clampTwips(token));
        return true;
    }
    if (word == "cell" || word == "nestcell") {
        cell();
        return true;
    }
    if (word == "row" || word == "nestrow") {
        flush();
        if (table_ != nullptr) rowEnded_ = true;
        return true;
    }
    return false;
}

void Reader::characterWord(QByteArrayView word, const Token& token) {
    CharacterState& c = state().character;
    const bool on = !token.hasParameter || token.parameter != 0;
    auto set = [&](auto apply) {
        flush();
        apply();
    };
    if (word == "line") return appendCharacter(QChar::LineSeparator);
    if (word == "tab") return appendCharacter(QLatin1Char('\t'));
    if (word == "emdash") return appendCharacter(QChar(0x2014));
    if (word == "endash") return appendCharacter(QChar(0x2013));
    if (word == "bullet") return appendCharacter(QChar(0x2022));
    if (word == "lquote") return appendCharacter(QChar(0x2018));
    if (word == "rquote") return appendCharacter(QChar(0x2019));
    if (word == "ldblquote") return appendCharacter(QChar(0x201C));
    if (word == "rdblquote") return appendCharacter(QChar(0x201D));
    if (word == "enspace" || word == "emspace" || word == "qmspace")
        return appendCharacter(QLatin1Char(' '));
    if (word == "b") return set([&] { c.bold = on; });
    if (word == "i") return set([&] { c.italic = on; });
    if (word == "strike" || word == "striked") return set([&] { c.strike = on; });
    if (word == "ulnone") return set([&] { c.underline = false; });
    if (word == "ul" || word == "uld" || word == "uldash" || word == "uldb" || word == "ulth" ||
        word == "ulw" || word == "ulwave" || word == "uldashd" || word == "ulhwave")
        return set([&] { c.underline = on; });
    if (word == "v") return set([&] { c.hidden = on; });
    if (word == "super") return set([&] { c.vertical = 1; });
    if (word == "sub") return set([&] { c.vertical = -1; });
    if (word == "nosupersub") return set([&] { c.vertical = 0; });
    if (word == "fs")
        return set(
            [&] { c.halfPoints = token.hasParameter ? std::clamp(token.parameter, 2, 800) : 0; });
    if (word == "f") return set([&] { c.font = token.parameter; });
    if (word == "cf") return set([&] { c.foreground = std::max(0, token.parameter); });
    if (word == "cb" || word == "highlight" || word == "chcbpat")
        return set([&] { c.background = std::max(0, token.parameter); });
    if (word == "plain") return set([&] { c = CharacterState{}; });
}

void Reader::pictureWord(QByteArrayView word, const Token& token) {
    using Format = RtfPicture::Format;
    const int value = token.parameter;
    if (word == "pngblip")
        picture_.format = Format::Png;
    else if (word == "jpegblip")
        picture_.format = Format::Jpeg;
    else if (word == "dibitmap")
        picture_.format = Format::Dib;
    else if (word == "wbitmap")
        picture_.format = Format::DeviceBitmap;
    else if (word == "wmetafile")
        picture_.format = Format::WindowsMetafile;
    else if (word == "emfblip")
        picture_.format = Format::EnhancedMetafile;
    else if (word == "macpict" || word == "pmmetafile")
        picture_.format = Format::MacPict;
    else if (word == "picw")
        picture_.width = std::max(0, value);
    else if (word == "pich")
        picture_.height = std::max(0, value);
    else if (word == "picwgoal")
        picture_.goalWidth = std::clamp(value, 0, 1 << 20);
    else if (word == "pichgoal")
        picture_.goalHeight = std::clamp(value, 0, 1 << 20);
    else if (word == "picscalex")
        picture_.scaleX = std::clamp(value, 1, 10000);
    else if (word == "picscaley")
        picture_.scaleY = std::clamp(value, 1, 10000);
    else if (word == "wbmbitspixel")
        picture_.bitsPerPixel = value;
    else if (word == "wbmwidthbytes")
        picture_.widthBytes = std::max(0, value);
}

void Reader::controlSymbol(char symbol) {
    GroupState& group = state();
    if (symbol == '*') {
        group.starred = true;
        return;
    }
    group.firstWord = false;
    if (skipCharacters_ > 0) {
        --skipCharacters_;
        return;
    }
    if (group.destination != Destination::Text) return;
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            appendBytes(QByteArrayView(&symbol, 1));
            break;
        case '~':
            appendCharacter(QChar(0x00A0));
            break;
        case '-':
            appendCharacter(QChar(0x00AD));
            break;
        case '_':
            appendCharacter(QChar(0x2011));
            break;
        case '\n':
            endParagraph();
            break;
        default:
            break;  // \| \: and others mark index entries and formulas
    }
}

void Reader::text(QByteArrayView bytes) {
    if (skipCharacters_ > 0) {
        const qsizetype skipped = std::min<qsizetype>(skipCharacters_, bytes.size());
        skipCharacters_ -= static_cast<int>(skipped);
        bytes = bytes.sliced(skipped);
        if (bytes.isEmpty()) return;
    }
    GroupState& group = state();
    switch (group.destination) {
        case Destination::Text:
            appendBytes(bytes);
            return;
        case Destination::Picture:
            for (char c : bytes) {
                const int value = base::ascii::hexDigitValue(c);
                if (value < 0) continue;
                if (hexNibble_ < 0) {
                    hexNibble_ = value;
                } else {
                    picture_.data.append(static_cast<char>(hexNibble_ * 16 + value));
                    hexNibble_ = -1;
                }
            }
            return;
        case Destination::FontTable:
            if (fontTableEntry_ < 0) return;
            for (char c : bytes) {
                FontEntry& font = fonts_[fontTableEntry_];
                if (c == ';') {
                    font.name = font.name.trimmed();
                    const QString lower = font.name.toLower();
                    if (lower.startsWith(QLatin1String("wingdings")))
                        font.kind = FontKind::Wingdings;
                    else if (lower == QLatin1String("symbol"))
                        font.kind = FontKind::Symbol;
                    fontTableEntry_ = -1;
                    return;
                }
                if (font.name.size() < kMaxFontNameLength)
                    font.name += QChar(static_cast<unsigned char>(c));
            }
            return;
        case Destination::ColourTable:
            for (char c : bytes) {
                if (c != ';') continue;
                if (static_cast<int>(colours_.size()) < kMaxColours) {
                    if (red_ < 0 && green_ < 0 && blue_ < 0)
                        colours_.push_back(std::nullopt);
                    else
                        colours_.push_back(
                            QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
                }
                red_ = green_ = blue_ = -1;
            }
            return;
        case Destination::Skip:
            return;
    }
}

void Reader::hexByte(unsigned char byte) {
    GroupState& group = state();
    group.firstWord = false;
    if (skipCharacters_ > 0) {
        --skipCharacters_;
        return;
    }
    if (group.destination == Destination::Picture) {
        picture_.data.append(static_cast<char>(byte));
        return;
    }
    if (group.destination == Destination::FontTable) {
        // Font names in a national code page: keep them readable as Latin-1.
        if (fontTableEntry_ >= 0 && fonts_[fontTableEntry_].name.size() < kMaxFontNameLength)
            fonts_[fontTableEntry_].name += QChar(byte);
        return;
    }
    if (group.destination != Destination::Text) return;
    const char c = static_cast<char>(byte);
    appendBytes(QByteArrayView(&c, 1));
}

int Reader::codePage() {
    const int index = state().character.font >= 0 ? state().character.font : defaultFont_;
    const auto it = fonts_.constFind(index);
    if (it != fonts_.constEnd() && it->codePage != 0) return it->codePage;
    return documentCodePage_;
}

FontKind Reader::fontKind() {
    const int index = state().character.font >= 0 ? state().character.font : defaultFont_;
    const auto it = fonts_.constFind(index);
    return it == fonts_.constEnd() ? FontKind::Normal : it->kind;
}

void Reader::appendBytes(QByteArrayView bytes) {
    if (state().character.hidden) return;
    const int page = codePage();
    const FontKind kind = fontKind();
    if (!pendingBytes_.isEmpty() && (page != pendingCodePage_ || kind != pendingFontKind_))
        decodePendingBytes();
    pendingCodePage_ = page;
    pendingFontKind_ = kind;
    pendingBytes_.append(bytes.data(), bytes.size());
}

void Reader::decodePendingBytes() {
    if (pendingBytes_.isEmpty()) return;
    if (pendingHighSurrogate_ != 0) {
        pendingText_ += QChar(0xFFFD);
        pendingHighSurrogate_ = 0;
    }
    if (pendingFontKind_ != FontKind::Normal) {
        for (char c : std::as_const(pendingBytes_)) {
            const auto byte = static_cast<unsigned char>(c);
            const std::optional<QChar> symbol = symbolCharacter(pendingFontKind_, byte);
            pendingText_ += symbol ? *symbol : decodeWindows1252(QByteArrayView(&c, 1)).at(0);
        }
    } else if (pendingCodePage_ == 1252) {
        pendingText_ += decodeWindows1252(pendingBytes_);
    } else {
        auto it = decoders_.find(pendingCodePage_);
        if (it == decoders_.end()) {
            const QByteArray name = pendingCodePage_ == 10000 ? QByteArray("macintosh")
                                    : pendingCodePage_ == 437 || pendingCodePage_ == 850
                                        ? "IBM" + QByteArray::number(pendingCodePage_)
                                        : "windows-" + QByteArray::number(pendingCodePage_);
            it = decoders_.emplace(pendingCodePage_, QStringDecoder(name.constData())).first;
        }
        if (it->second.isValid()) {
            pendingText_ += it->second.decode(pendingBytes_);
            it->second.resetState();
        } else {
            pendingText_ += decodeWindows1252(pendingBytes_);  // a code page we cannot decode
        }
    }
    pendingBytes_.clear();
}

void Reader::appendUnicode(int value) {
    if (state().destination != Destination::Text || state().character.hidden) return;
    decodePendingBytes();
    // Symbol fonts' characters sit in the private area at U+F000 + byte.
    if (value >= 0xF020 && value <= 0xF0FF && fontKind() != FontKind::Normal) {
        if (auto symbol = symbolCharacter(fontKind(), static_cast<unsigned char>(value - 0xF000))) {
            appendCharacter(*symbol);
            return;
        }
    }
    const auto unit = static_cast<ushort>(value);
    if (QChar::isHighSurrogate(unit)) {
        if (pendingHighSurrogate_ != 0) pendingText_ += QChar(0xFFFD);
        pendingHighSurrogate_ = unit;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        if (pendingHighSurrogate_ != 0) {
            pendingText_ += QChar(pendingHighSurrogate_);
            pendingText_ += QChar(unit);
            pendingHighSurrogate_ = 0;
        } else {
            pendingText_ += QChar(0xFFFD);
        }
        return;
    }
    appendCharacter(QChar(unit));
}

void Reader::appendCharacter(QChar c) {
    if (state().destination != Destination::Text || state().character.hidden) return;
    decodePendingBytes();
    if (pendingHighSurrogate_ != 0) {
        pendingText_ += QChar(0xFFFD);
        pendingHighSurrogate_ = 0;
    }
    pendingText_ += c;
}

void Reader::flush() {
    decodePendingBytes();
    if (pendingHighSurrogate_ != 0) {
        pendingText_ += QChar(0xFFFD);
        pendingHighSurrogate_ = 0;
    }
    if (pendingText_.isEmpty()) return;
    placeContent();
    cursor_.insertText(pendingText_, characterFormat());
    pendingText_.clear();
    trailingParagraphMark_ = false;
}

std::optional<QColor> Reader::colour(int index) const {
    if (index <= 0 || index >= static_cast<int>(colours_.size())) return std::nullopt;
    return colours_[static_cast<std::size_t>(index)];
}

QTextCharFormat Reader::characterFormat() {
    const CharacterState& c = state().character;
    if (cachedCharacter_ && *cachedCharacter_ == c) return cachedCharacterFormat_;
    QTextCharFormat format;
    if (c.bold) format.setFontWeight(QFont::Bold);
    if (c.italic) format.setFontItalic(true);
    if (c.underline) format.setFontUnderline(true);
    if (c.strike) format.setFontStrikeOut(true);
    if (c.vertical > 0) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (c.vertical < 0) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (c.halfPoints > 0) format.setFontPointSize(c.halfPoints / 2.0);
    const int index = c.font >= 0 ? c.font : defaultFont_;
    const auto font = fonts_.constFind(index);
    if (font != fonts_.constEnd() && !font->name.isEmpty() && font->kind == FontKind::Normal) {
        format.setFontFamilies({font->name});
        format.setFontStyleHint(font->hint);
    }
    if (auto fg = colour(c.foreground)) format.setForeground(*fg);
    if (auto bg = colour(c.background)) format.setBackground(*bg);
    cachedCharacter_ = c;
    cachedCharacterFormat_ = format;
    return format;
}

QTextBlockFormat Reader::blockFormat() {
    const ParagraphState& p = state().paragraph;
    if (cachedParagraph_ && *cachedParagraph_ == p) return cachedBlockFormat_;
    QTextBlockFormat format;
    format.setAlignment(p.alignment);
    format.setLeftMargin(twipsToPixels(std::max(0, p.leftTwips)));
    format.setRightMargin(twipsToPixels(std::max(0, p.rightTwips)));
    format.setTextIndent(twipsToPixels(p.firstTwips));
    format.setTopMargin(twipsToPixels(p.beforeTwips));
    format.setBottomMargin(twipsToPixels(p.afterTwips));
    if (p.firstTwips < 0 && p.leftTwips > 0) {
        // A hanging indent (a list item): the tab after the number reaches the text.
        format.setTabPositions({QTextOption::Tab(twipsToPixels(p.leftTwips + p.firstTwips) < 0
                                                     ? twipsToPixels(p.leftTwips)
                                                     : twipsToPixels(-p.firstTwips),
                                                 QTextOption::LeftTab)});
    }
    cachedParagraph_ = p;
    cachedBlockFormat_ = format;
    return format;
}

void Reader::placeContent() {
    const bool inTable = state().paragraph.inTable;
    if (inTable && table_ == nullptr) {
        openTable();
    } else if (inTable && rowEnded_) {
        table_->appendRows(1);
        ++tableRow_;
        tableColumn_ = 0;
        rowEnded_ = false;
        if (static_cast<int>(cellEdges_.size()) > table_->columns())
            setTableColumns(static_cast<int>(cellEdges_.size()));
        cursor_ = table_->cellAt(tableRow_, 0).firstCursorPosition();
    } else if (inTable && tableColumn_ >= table_->columns() &&
               table_->columns() < kMaxTableColumns) {
        setTableColumns(tableColumn_ + 1);
        tableColumn_ = std::min(tableColumn_, table_->columns() - 1);
        cursor_ = table_->cellAt(tableRow_, tableColumn_).firstCursorPosition();
    } else if (!inTable && table_ != nullptr) {
        closeTable();
    }
}

void Reader::openTable() {
    const int columns = std::max<int>(1, static_cast<int>(cellEdges_.size()));
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderBrush(QColor(0xA0, 0xA0, 0xA0));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    table_ = cursor_.insertTable(1, columns, format);
    tableRow_ = 0;
    tableColumn_ = 0;
    rowEnded_ = false;
    setTableColumns(columns);
    cursor_ = table_->cellAt(0, 0).firstCursorPosition();
}

void Reader::setTableColumns(int columns) {
    columns = std::min(columns, kMaxTableColumns);
    if (table_->columns() < columns) table_->appendColumns(columns - table_->columns());
    QTextTableFormat format = table_->format();
    // Columns share the table's width as the row definition shares it out, so
    // that a table wider than the page can shrink as a whole.
    std::vector<double> widths;
    double total = 0;
    int previous = 0;
    for (int i = 0; i < table_->columns(); ++i) {
        int edge = i < static_cast<int>(cellEdges_.size()) ? cellEdges_[static_cast<std::size_t>(i)]
                                                           : previous + 1440;
        widths.push_back(std::max(8.0, twipsToPixels(edge - previous)));
        total += widths.back();
        previous = std::max(previous, edge);
    }
    QList<QTextLength> constraints;
    for (double width : widths)
        constraints.append(QTextLength(QTextLength::PercentageLength, 100.0 * width / total));
    format.setColumnWidthConstraints(constraints);
    format.setWidth(QTextLength(QTextLength::FixedLength, total));
    format.setProperty(RtfReader::kNaturalWidthProperty, total);
    table_->setFormat(format);
}

void Reader::closeTable() {
    cursor_ = table_->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
    table_ = nullptr;
    rowEnded_ = false;
}

void Reader::cell() {
    if (state().destination != Destination::Text) return;
    flush();
    state().paragraph.inTable = true;
    placeContent();
    cursor_.setBlockFormat(blockFormat());
    // After the row's last cell the cursor waits in it: a column is added only
    // when more content comes before \row.
    ++tableColumn_;
    if (tableColumn_ < table_->columns())
        cursor_ = table_->cellAt(tableRow_, tableColumn_).firstCursorPosition();
    trailingParagraphMark_ = false;
}

void Reader::endParagraph() {
    if (state().destination != Destination::Text) return;
    flush();
    placeContent();
    // The block already has the format it was opened with; most paragraphs
    // keep it, and setting it again is a whole edit.
    const QTextBlockFormat format = blockFormat();
    if (cursor_.blockFormat() != format) cursor_.setBlockFormat(format);
    cursor_.insertBlock(format, characterFormat());
    trailingParagraphMark_ = table_ == nullptr;
}

void Reader::insertPicture() {
    // Called with the enclosing group's state current: the picture is placed
    // in its paragraph with its character format, unless that text is hidden.
    if (state().character.hidden || state().destination != Destination::Text) {
        picture_ = RtfPicture{};
        return;
    }
    const QImage decoded =
        pixelsUsed_ < RtfReader::kPixelBudget ? decodeRtfPicture(picture_) : QImage();
    const QSize size = picture_.displaySize(decoded.size());
    ++summary_.pictures;
    QString name;
    QImage shown = decoded;
    if (decoded.isNull() ||
        pixelsUsed_ + qint64(decoded.width()) * decoded.height() > RtfReader::kPixelBudget) {
        ++summary_.picturesNotDecoded;
        // Placeholders of one size share one image, and they count against
        // the budget too: past it they are drawn small and stretched.
        QSize drawn = size.boundedTo(QSize(640, 640));
        if (pixelsUsed_ + qint64(drawn.width()) * drawn.height() > RtfReader::kPixelBudget)
            drawn = QSize(16, 16);
        name = QStringLiteral("rtf-placeholder:%1x%2").arg(drawn.width()).arg(drawn.height());
        shown = QImage();
        if (!placeholders_.contains(name)) {
            placeholders_.insert(name);
            pixelsUsed_ += qint64(drawn.width()) * drawn.height();
            shown = rtfPicturePlaceholder(drawn);
        }
    } else {
        pixelsUsed_ += qint64(decoded.width()) * decoded.height();
        name = QStringLiteral("rtf-picture:%1").arg(++pictureSerial_);
    }
    {
        if (!shown.isNull()) document_.addResource(QTextDocument::ImageResource, QUrl(name), shown);
        placeContent();
        QTextImageFormat format;
        format.merge(characterFormat());
        format.setName(name);
        format.setWidth(size.width());
        format.setHeight(size.height());
        format.setProperty(RtfReader::kNaturalWidthProperty, double(size.width()));
        format.setProperty(RtfReader::kNaturalHeightProperty, double(size.height()));
        cursor_.insertImage(format);
        trailingParagraphMark_ = false;
    }
    picture_ = RtfPicture{};
}

void Reader::finish() {
    // Close what is still open, as if the braces had been there.
    while (stack_.size() > 1 && state().destination != Destination::Text) {
        const bool picture = state().ownsPicture;
        stack_.pop_back();
        if (picture) insertPicture();
    }
    flush();
    if (table_ != nullptr) closeTable();
    // Word ends every paragraph with \par; the empty paragraph after the last
    // mark is not part of the text.
    if (trailingParagraphMark_ && cursor_.atEnd() && cursor_.block().text().isEmpty() &&
        cursor_.blockNumber() > 0) {
        cursor_.deletePreviousChar();
    }
}

}  // namespace

RtfReadSummary RtfReader::read(QByteArrayView rtf) {
    // Reading is not an edit anyone undoes; recording it would cost more than
    // the reading itself.
    const bool undo = document_.isUndoRedoEnabled();
    document_.setUndoRedoEnabled(false);
    // One edit block for the whole read: the document tells its layout once,
    // and no insertion computes where its cursor would be drawn.
    QTextCursor edit(&document_);
    edit.beginEditBlock();
    Reader reader(document_);
    const RtfReadSummary summary = reader.run(rtf);
    edit.endEditBlock();
    document_.setUndoRedoEnabled(undo);
    return summary;
}

}  // namespace zentrix::ui
