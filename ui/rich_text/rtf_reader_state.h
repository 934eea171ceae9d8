#pragma once

// The RTF reader's inside, shared by the files that implement it: the
// states a group carries and the reader that walks the tokens. Only
// rtf_reader*.cpp and rtf_charsets.cpp include this; callers use rtf_reader.h.
//
//   rtf_reader.cpp         groups, destinations and control words
//   rtf_reader_output.cpp  text, formats, paragraphs, tables and pictures
//                          into the document
//   rtf_charsets.cpp       character sets and symbol fonts

#include <QColor>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "ui/rich_text/rtf_picture.h"
#include "ui/rich_text/rtf_reader.h"
#include "ui/rich_text/rtf_tokenizer.h"

namespace zentrix::ui::rtf_detail {

using Token = RtfTokenizer::Token;
using Kind = RtfTokenizer::Kind;

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr int kMaxTwips = 31680;  // 22 inches: any larger indent or spacing is damage
inline constexpr int kMaxTableColumns = 63;
inline constexpr int kMaxFontNameLength = 64;
inline constexpr int kMaxColours = 4096;

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

inline int clampTwips(const Token& token) {
    return std::clamp(token.hasParameter ? token.parameter : 0, -kMaxTwips, kMaxTwips);
}

inline double twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// \fcharsetN as a Windows code page; 0 keeps the document's.
int codePageOfCharset(int charset);
// Bullets of the symbol fonts that Word uses for lists, as Unicode.
std::optional<QChar> symbolCharacter(FontKind kind, unsigned char byte);

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

}  // namespace zentrix::ui::rtf_detail
