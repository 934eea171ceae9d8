#include "demo/tools/skin_writer.h"

#include <QDir>
#include <QFile>
#include <vector>

#include "demo/tools/picture_files.h"
#include "demo/tools/skin_painter.h"

namespace zentrix::demo {

using simulation::Status;

namespace {

struct SkinFile {
    const char* section;
    const char* key;
    const char* fileName;
    QImage image;
};

// A colour as the skin stores it: 0x02BBGGRR, written in decimal.
QString colourNumber(int red, int green, int blue) {
    return QString::number(0x02000000u | (unsigned(blue) << 16) | (unsigned(green) << 8) |
                           unsigned(red));
}

std::vector<SkinFile> skinFiles() {
    using S = SkinPainter::Screen;
    using G = SkinPainter::Glyph;
    const QSize tool(54, 22), wide(72, 22);
    return {
        {"BackGrounds", "MainInterface", "MainInterfaceBKG.jpg", SkinPainter::background(S::Main)},
        {"BackGrounds", "QVTestType", "TestTypeSelectionBKG.jpg",
         SkinPainter::background(S::ExamType)},
        {"BackGrounds", "ComfirmQV", "ConfirmZentrixBKG.jpg",
         SkinPainter::background(S::ConfirmMixed)},
        {"BackGrounds", "TestWindow", "TestScreenBKG.jpg", SkinPainter::background(S::Test)},
        {"BackGrounds", "ExamReview", "ExamReviewBKG.jpg", SkinPainter::background(S::Review)},
        {"BackGrounds", "ExamResults", "ExamResultsBKG.jpg", SkinPainter::background(S::Results)},
        {"BackGrounds", "Orientation", "OrientationScreenBKG.jpg",
         SkinPainter::plainScreen(QStringLiteral("Welcome"),
                                  QStringLiteral("How a practice exam works."))},
        {"BackGrounds", "HelpScreen", "HelpScreenBKG.jpg",
         SkinPainter::plainScreen(QStringLiteral("Help"),
                                  QStringLiteral("Screens, buttons and study aids."))},
        {"BackGrounds", "LoginScreen", "LoginScreenBKG.jpg",
         SkinPainter::plainScreen(QStringLiteral("Sign in"),
                                  QStringLiteral("Your attempts are kept under your name."))},
        {"BackGrounds", "AboutSplash", "aboutSplashBKG.jpg", SkinPainter::aboutSplash()},
        {"BackGrounds", "QuitPopUp", "QuitePopupBKG.jpg", SkinPainter::quitPopup()},
        {"BackGrounds", "RptPopUp", "RptPopBkg.gif", SkinPainter::scorePopup()},
        {"About Splash Screen", "Background", nullptr, {}},  // the same picture as AboutSplash
        {"Test Screen", "Correct", "Correct.jpg", SkinPainter::feedback(true)},
        {"Test Screen", "Incorrect", "Incorrect.jpg", SkinPainter::feedback(false)},
        {"Test Screen", "btnMClosed", "MarkClosed.png", SkinPainter::markHolder(true)},
        {"Test Screen", "btnMOpen", "MarkOpen.png", SkinPainter::markHolder(false)},
        {"Test Screen", "btnMark", "btnMark.png",
         SkinPainter::button(QStringLiteral("Mark"), tool)},
        {"Test Screen", "btnReturn", "btnReturn.png",
         SkinPainter::button(QStringLiteral("Return"), wide, true)},
        {"Test Screen", "btnItemReview", "btnItemReview.png",
         SkinPainter::button(QStringLiteral("Review"), tool)},
        {"Test Screen", "btnJumpTo", "btnJumpTo.png",
         SkinPainter::button(QStringLiteral("Jump"), tool)},
        {"Test Screen", "btnCaseStudy", "btnCaseStudy.png",
         SkinPainter::button(QStringLiteral("Case"), tool)},
        {"Test Screen", "btnSteps", "btnSteps.png",
         SkinPainter::button(QStringLiteral("Steps"), tool)},
        {"Test Screen", "btnExhibit", "btnExhibit.png",
         SkinPainter::button(QStringLiteral("Exhibit"), tool)},
        {"Test Screen", "btnHint", "btnHint.png",
         SkinPainter::button(QStringLiteral("Hint"), tool)},
        {"Test Screen", "btnRef", "btnRef.png", SkinPainter::button(QStringLiteral("Ref"), tool)},
        {"Test Screen", "btnReport", "btnReport.png",
         SkinPainter::button(QStringLiteral("Score"), tool)},
        {"Test Screen", "btnMain", "btnMain.png",
         SkinPainter::button(QStringLiteral("Main"), QSize(46, 22), true)},
        {"Misc", "btnHelp", "btnHelp.png", SkinPainter::titleButton(G::Help)},
        {"Misc", "btnMinimize", "btnMinimize.png", SkinPainter::titleButton(G::Minimize)},
        {"Misc", "btnClose", "btnClose.png", SkinPainter::titleButton(G::Close)},
        {"JumpTo", "Background", "JumpToBkg.gif", SkinPainter::jumpToBackground()},
        {"JumpTo", "BtnOk", "JumpToOk.png", SkinPainter::button(QStringLiteral("OK"), wide, true)},
        {"JumpTo", "BtnClose", "JumpToClose.png",
         SkinPainter::button(QStringLiteral("Close"), wide)},
    };
}

}  // namespace

Status SkinWriter::write(const QString& folder) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return Status::error(folder.toStdString() + ": cannot create the graphics folder");

    // Misc first (colours, then the title-strip buttons), then one section
    // after another in the order the files are listed.
    const QString eol = QStringLiteral("\r\n");
    QString misc =
        QStringLiteral(
            "; Zentrix demo skin. Generated at build time: change the generator, not this file.") +
        eol;
    misc += QStringLiteral("[Misc]") + eol;
    // Dark: question label and steps window; light: question area and answers.
    const struct {
        const char* name;
        int red, green, blue;
    } colours[] = {{"Dark", 208, 220, 232}, {"Light", 250, 252, 254}, {"Medium", 226, 234, 242}};
    for (const auto& c : colours) {
        misc += QStringLiteral("%1 Color Red=%2").arg(QLatin1String(c.name)).arg(c.red) + eol;
        misc += QStringLiteral("%1 Color Green=%2").arg(QLatin1String(c.name)).arg(c.green) + eol;
        misc += QStringLiteral("%1 Color Blue=%2").arg(QLatin1String(c.name)).arg(c.blue) + eol;
    }
    misc += QStringLiteral("TopBarColor=") + colourNumber(47, 143, 157) + eol;
    misc += QStringLiteral("FieldColor=") + colourNumber(44, 78, 112) + eol;

    QString others;
    QString section;
    QString aboutSplash;
    for (const SkinFile& file : skinFiles()) {
        QString name;
        if (file.fileName) {
            name = QString::fromLatin1(file.fileName);
            ZX_TRY(PictureFiles::save(file.image, dir.filePath(name)));
            if (QLatin1String(file.key) == QLatin1String("AboutSplash")) aboutSplash = name;
        } else {
            name = aboutSplash;
        }
        const QString entry = QLatin1String(file.key) + QLatin1Char('=') + name + eol;
        if (QLatin1String(file.section) == QLatin1String("Misc")) {
            misc += entry;
            continue;
        }
        if (section != QLatin1String(file.section)) {
            section = QString::fromLatin1(file.section);
            others += eol + QLatin1Char('[') + section + QLatin1Char(']') + eol;
        }
        others += entry;
    }
    const QString scheme = misc + others;
    QFile out(dir.filePath(QStringLiteral("scheme.ini")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Status::error(out.fileName().toStdString() + ": cannot be written");
    out.write(scheme.toLatin1());
    return Status::ok();
}

}  // namespace zentrix::demo
