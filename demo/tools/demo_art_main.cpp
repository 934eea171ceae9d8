// zentrix-demo-art: draws the demo's pictures at build time.
//
//   zentrix-demo-art skin FOLDER              the skin and its scheme.ini
//   zentrix-demo-art pictures FOLDER          exhibits and study-text figures
//   zentrix-demo-art screenshots FOLDER       screenshots of the simulations
//   zentrix-demo-art expand SOURCE OUTPUT PICTURES
//                                             copies a text source, embedding
//                                             @RTF_PICTURE(name)@ figures
//
// Exit status: 0 done, 1 failure (the message names the file), 2 usage.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <vector>

#include "demo/tools/exhibit_painter.h"
#include "demo/tools/picture_files.h"
#include "demo/tools/rtf_picture_expander.h"
#include "demo/tools/screenshot_painter.h"
#include "demo/tools/skin_writer.h"

namespace {

using namespace zentrix;
using simulation::Status;

int usage() {
    std::fputs(
        "usage: zentrix-demo-art skin FOLDER\n"
        "       zentrix-demo-art pictures FOLDER\n"
        "       zentrix-demo-art screenshots FOLDER\n"
        "       zentrix-demo-art expand SOURCE OUTPUT PICTURES\n",
        stderr);
    return 2;
}

Status saveAll(const QString& folder, const std::vector<demo::NamedPicture>& pictures) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return Status::error(folder.toStdString() + ": cannot create the folder");
    for (const demo::NamedPicture& picture : pictures)
        ZX_TRY(demo::PictureFiles::save(picture.image, dir.filePath(picture.fileName)));
    return Status::ok();
}

Status expand(const QString& source, const QString& output, const QString& pictures) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Status::error(source.toStdString() + ": cannot be read");
    ZX_TRY_ASSIGN(auto text, demo::RtfPictureExpander(QDir(pictures)).expand(in.readAll(), source));
    QFile out(output);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size())
        return Status::error(output.toStdString() + ": cannot be written");
    return Status::ok();
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing text needs a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString& command = args[0];
    Status status = Status::ok();
    if (command == QLatin1String("skin") && args.size() == 2) {
        status = demo::SkinWriter::write(args[1]);
    } else if (command == QLatin1String("pictures") && args.size() == 2) {
        status = saveAll(args[1], demo::ExhibitPainter::all());
    } else if (command == QLatin1String("screenshots") && args.size() == 2) {
        status = saveAll(args[1], demo::ScreenshotPainter::all());
    } else if (command == QLatin1String("expand") && args.size() == 4) {
        status = expand(args[1], args[2], args[3]);
    } else {
        return usage();
    }
    if (!status) {
        std::fprintf(stderr, "zentrix-demo-art: %s\n", status.message().c_str());
        return 1;
    }
    return 0;
}
