// zentrix-install: the setup program. It installs the product from the
// medium it lies on, adds the medium's exam packages to an installed
// product and updates it, and, copied into the Windows folder of the
// platform root, uninstalls it again (see --help).

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <iostream>
#include <memory>

#include "platform/platform.h"
#include "setup/desktop_command.h"
#include "setup/setup_command_line.h"
#include "setup/setup_location.h"
#include "setup/setup_texts.h"
#include "setup/unattended_run.h"
#include "setup/window/message_box_setup_dialog_service.h"
#include "setup/window/tfrm_install.h"

namespace {

std::vector<std::string> argumentsOf(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 0; i < argc; ++i) words.emplace_back(argv[i]);
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zentrix;
    const setup::SetupCommandLine line = setup::SetupCommandLine::parse(argumentsOf(argc, argv));
    if (line.help) {
        std::fputs(setup::SetupCommandLine::usage(), stdout);
        return 0;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "zentrix-install: %s\n%s", line.error.c_str(),
                     setup::SetupCommandLine::usage());
        return 2;
    }
    if (line.runShortcut) return setup::DesktopCommand::runEntry(*line.runShortcut);

    // The unattended run needs no display.
    std::unique_ptr<QCoreApplication> application =
        line.unattended ? std::make_unique<QCoreApplication>(argc, argv)
                        : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(setup::texts::kApplicationTitle));

    auto platform = platform::createPlatform(platform::PlatformPaths::fromEnvironment());
    if (!platform) {
        std::fprintf(stderr, "zentrix-install: %s\n", platform.message().c_str());
        return 1;
    }
    setup::ProgramSetupLocation location(QCoreApplication::applicationDirPath().toStdString());
    if (line.unattended) {
        setup::UnattendedRun run(*platform.value(), location, std::cout, std::cerr);
        return run.run(line);
    }

    setup::MessageBoxSetupDialogService dialogs;
    setup::TfrmInstall window(*platform.value(), dialogs, location, line.arguments);
    dialogs.setOwner(&window);
    window.showFullScreen();
    return QApplication::exec();
}
