// The viewer gives nothing to the clipboard, whichever way a person tries,
// and it stays read-only.

#include "ui/rich_text_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace zentrix::ui {
namespace {

const QString kSentinel = QStringLiteral("what the clipboard held before");

class ViewerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        viewer.resize(300, 200);
        viewer.setStudyText("{\\rtf1\\ansi The \\b secret\\b0  answer is C.\\par Second line.}");
        viewer.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
        viewer.setFocus();
        QApplication::clipboard()->setText(kSentinel);
        ASSERT_EQ(QApplication::clipboard()->text(), kSentinel);
    }
    QString clipboard() const { return QApplication::clipboard()->text(); }
    void selectAll() {
        QTest::keyClick(&viewer, Qt::Key_A, Qt::ControlModifier);
        ASSERT_TRUE(viewer.textCursor().hasSelection());
    }

    RichTextViewer viewer;
};

TEST_F(ViewerFixture, CopyAndCutKeysLeaveTheClipboardAlone) {
    const struct {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {
        {"Ctrl+C", Qt::Key_C, Qt::ControlModifier},
        {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier},
        {"Ctrl+X", Qt::Key_X, Qt::ControlModifier},
        {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier},
    };
    for (const auto& k : keys) {
        selectAll();
        QTest::keyClick(&viewer, k.key, k.modifiers);
        EXPECT_EQ(clipboard(), kSentinel) << k.what;
        EXPECT_TRUE(viewer.document()->toPlainText().contains(QStringLiteral("secret"))) << k.what;
    }
}

TEST_F(ViewerFixture, TheContextMenuOffersNoCopy) {
    selectAll();
    const QPoint centre = viewer.viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, centre,
                            viewer.viewport()->mapToGlobal(centre));
    QApplication::sendEvent(viewer.viewport(), &event);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(&viewer, Qt::Key_Menu);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(clipboard(), kSentinel);
}

TEST_F(ViewerFixture, APressInsideTheSelectionStartsNoDrag) {
    selectAll();
    QWidget* area = viewer.viewport();
    const QPoint start(20, 10);
    QTest::mousePress(area, Qt::LeftButton, {}, start);
    EXPECT_FALSE(viewer.textCursor().hasSelection())
        << "the press dropped the selection instead of picking it up";
    QTest::mouseMove(area, start + QPoint(60, 30));
    QTest::mouseRelease(area, Qt::LeftButton, {}, start + QPoint(60, 30));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(clipboard(), kSentinel);
    EXPECT_FALSE(viewer.acceptDrops());
}

// What any copy, drag or X11 selection would carry is asked of the viewer.
class MimeProbe : public RichTextViewer {
public:
    std::unique_ptr<QMimeData> selection() const {
        return std::unique_ptr<QMimeData>(createMimeDataFromSelection());
    }
    bool acceptsPaste() const {
        QMimeData text;
        text.setText(QStringLiteral("typed in"));
        return canInsertFromMimeData(&text);
    }
};

TEST(RichTextViewerTest, ASelectionCarriesNothingAndNothingCanBePasted) {
    MimeProbe viewer;
    viewer.setStudyText("plain text to select");
    viewer.selectAll();
    const auto data = viewer.selection();
    EXPECT_TRUE(data->formats().isEmpty());
    EXPECT_FALSE(viewer.acceptsPaste());
}

TEST_F(ViewerFixture, TheTextIsReadOnlyAndWrapsAtTheWidth) {
    QTest::keyClicks(&viewer, QStringLiteral("typed"));
    QTest::keyClick(&viewer, Qt::Key_Backspace);
    EXPECT_FALSE(viewer.document()->toPlainText().contains(QStringLiteral("typed")));
    EXPECT_TRUE(viewer.isReadOnly());
    EXPECT_EQ(viewer.lineWrapMode(), QTextEdit::WidgetWidth);
    viewer.setStudyText(QByteArray(40, 'w') + " " + QByteArray(40, 'w'));
    EXPECT_LE(viewer.document()->size().width(), viewer.viewport()->width() + 1);
}

TEST_F(ViewerFixture, ANewTextKeepsTheViewersLookAndIsLaidOutToItsEnd) {
    viewer.document()->setDefaultFont(QFont(QStringLiteral("Arial"), 11));
    viewer.document()->setDocumentMargin(6);
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 300; ++i) rtf += "Line " + QByteArray::number(i) + "\\par ";
    viewer.setStudyText(rtf + "}");
    EXPECT_EQ(viewer.document()->defaultFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(viewer.document()->defaultFont().pointSize(), 11);
    EXPECT_EQ(viewer.document()->documentMargin(), 6);
    EXPECT_TRUE(viewer.isReadOnly());
    EXPECT_EQ(viewer.cursorWidth(), 0) << "no caret in a viewer";
    EXPECT_EQ(viewer.verticalScrollBar()->value(), 0) << "shown from its top";
    // The part below the first screen is laid out while the program is idle;
    // then the scroll bar reaches the last line.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QScrollBar& bar = *viewer.verticalScrollBar();
        return bar.maximum() + bar.pageStep() >= int(viewer.document()->size().height()) - 2 &&
               viewer.document()->size().height() > 300 * 10;
    }));
    viewer.verticalScrollBar()->setValue(viewer.verticalScrollBar()->maximum());
    const QTextCursor last = viewer.cursorForPosition(QPoint(10, viewer.viewport()->height() - 12));
    EXPECT_TRUE(last.block().text().startsWith(QStringLiteral("Line 29")))
        << last.block().text().toStdString();
}

}  // namespace
}  // namespace zentrix::ui
