// zentrix-demo-install: installs the built demo into the platform root
// (ZENTRIX_PLATFORM_ROOT when set) and registers its folders for the engine.
//
//   zentrix-demo-install TREE [--folder FOLDER] [--program ZENTRIX]
//
// Prints the three registered folders. Exit status: 0 done, 1 failure, 2 usage.

#include <cstdio>
#include <optional>
#include <string>

#include "demo/tools/demo_installer.h"

int main(int argc, char** argv) {
    using namespace zentrix;
    std::string tree, folder;
    std::optional<std::string> program;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc) {
            folder = argv[++i];
        } else if (arg == "--program" && i + 1 < argc) {
            program = argv[++i];
        } else if (tree.empty() && arg.rfind("--", 0) != 0) {
            tree = arg;
        } else {
            tree.clear();
            break;
        }
    }
    if (tree.empty()) {
        std::fputs("usage: zentrix-demo-install TREE [--folder FOLDER] [--program ZENTRIX]\n",
                   stderr);
        return 2;
    }
    auto platform = platform::createPlatform(platform::PlatformPaths::fromEnvironment());
    if (!platform) {
        std::fprintf(stderr, "zentrix-demo-install: %s\n", platform.message().c_str());
        return 1;
    }
    auto installed = demo::DemoInstaller(*platform.value()).install(tree, folder, program);
    if (!installed) {
        std::fprintf(stderr, "zentrix-demo-install: %s\n", installed.message().c_str());
        return 1;
    }
    std::printf("HomeDir     %s\nGraphicDir  %s\nDatabaseDir %s\n", installed->homeDir.c_str(),
                installed->graphicDir.c_str(), installed->databaseDir.c_str());
    return 0;
}
