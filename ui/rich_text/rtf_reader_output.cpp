// The reader's output side: decoded text with its character format,
// paragraphs, tables and pictures placed into the document.

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
namespace zentrix::ui::rtf_detail {

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

}  // namespace zentrix::ui::rtf_detail
