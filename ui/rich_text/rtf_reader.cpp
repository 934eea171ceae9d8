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
#include "ui/rich_text/rtf_reader_state.h"
#include "ui/rich_text/rtf_tokenizer.h"
namespace zentrix::ui {
namespace rtf_detail {

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

}  // namespace rtf_detail

RtfReadSummary RtfReader::read(QByteArrayView rtf) {
    // Reading is not an edit anyone undoes; recording it would cost more than
    // the reading itself.
    const bool undo = document_.isUndoRedoEnabled();
    document_.setUndoRedoEnabled(false);
    // One edit block for the whole read: the document tells its layout once,
    // and no insertion computes where its cursor would be drawn.
    QTextCursor edit(&document_);
    edit.beginEditBlock();
    rtf_detail::Reader reader(document_);
    const RtfReadSummary summary = reader.run(rtf);
    edit.endEditBlock();
    document_.setUndoRedoEnabled(undo);
    return summary;
}

}  // namespace zentrix::ui
