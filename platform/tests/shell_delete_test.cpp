#include <gtest/gtest.h>

#include <QUrl>
#include <filesystem>

#include "platform/linux/trash_can.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScratchPlatform;
using testing::writeFile;

std::string infoValue(const std::string& info, const std::string& key) {
    size_t at = info.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    at += key.size() + 2;
    return info.substr(at, info.find('\n', at) - at);
}

TEST(Trash, TrashedItemsCanBeRestoredFromTheirInfo) {
    ScratchPlatform scratch;
    Shell& shell = *scratch.platform().shell;
    const std::string folder = scratch.work("Program Files/Zentrix 100%");
    writeFile(folder + "/Database/gtest.dbf", "table");
    writeFile(scratch.work("other/Zentrix 100%/x"), "second item of the same name");

    ASSERT_TRUE(shell.moveToTrash(folder));
    ASSERT_TRUE(shell.moveToTrash(scratch.work("other/Zentrix 100%")));
    EXPECT_FALSE(fs::exists(folder));

    TrashCan trash(scratch.paths().trashDir);
    for (const std::string& name : {std::string("Zentrix 100%"), std::string("Zentrix 100%.2")}) {
        const std::string info = readFile(trash.infoDir() + "/" + name + ".trashinfo");
        ASSERT_EQ(info.rfind("[Trash Info]\n", 0), 0u) << name;
        const std::string original =
            QUrl::fromPercentEncoding(QByteArray::fromStdString(infoValue(info, "Path")))
                .toStdString();
        EXPECT_EQ(infoValue(info, "Path").find(' '), std::string::npos)
            << "Path= is percent-encoded";
        EXPECT_TRUE(fs::path(original).is_absolute());
        EXPECT_EQ(infoValue(info, "DeletionDate").size(), 19u);  // YYYY-MM-DDThh:mm:ss
        EXPECT_EQ(infoValue(info, "DeletionDate")[10], 'T');
        // Restoring is moving the item back to its recorded path.
        const std::string restored = original + ".restored";
        fs::rename(trash.filesDir() + "/" + name, restored);
        EXPECT_TRUE(fs::exists(restored));
    }
    EXPECT_EQ(readFile(folder + ".restored/Database/gtest.dbf"), "table");
}

TEST(Trash, ProtectedPlacesAreNeverDeleted) {
    ScratchPlatform scratch;
    Shell& shell = *scratch.platform().shell;
    const PlatformPaths& paths = scratch.paths();
    writeFile(paths.windowsDir + "/uninst.ini", "x");
    fs::create_directories(scratch.work());
    fs::create_symlink(paths.root, scratch.work("link-to-root"));
    const std::string cases[] = {
        "/",
        "",
        paths.homeDir,
        paths.homeDir + "/",
        paths.root,
        paths.root + "/../root",
        paths.registryDir,
        paths.windowsDir,
        paths.systemDir,
        paths.startMenuDir,
        paths.trashDir,
        paths.tempDir,
        fs::path(paths.root).parent_path().string(),  // a folder above the root
        scratch.work("link-to-root"),                 // the root through a link
    };
    for (const std::string& path : cases) {
        Status trashed = shell.moveToTrash(path);
        EXPECT_FALSE(trashed) << path;
        EXPECT_NE(trashed.message().find("refusing to delete"), std::string::npos)
            << trashed.message();
        EXPECT_FALSE(shell.deleteFile(path)) << path;
    }
    EXPECT_TRUE(fs::exists(paths.windowsDir + "/uninst.ini"));
    // Files inside the system folders are not protected themselves.
    EXPECT_TRUE(shell.deleteFile(paths.windowsDir + "/uninst.ini"));
}

TEST(DeleteFile, RemovesFilesOnlyAndReportsMissingOnes) {
    ScratchPlatform scratch;
    Shell& shell = *scratch.platform().shell;
    writeFile(scratch.work("lib/engine.so"), "elf");
    EXPECT_FALSE(shell.deleteFile(scratch.work("lib")));
    ASSERT_TRUE(shell.deleteFile(scratch.work("lib/engine.so")));
    EXPECT_FALSE(fs::exists(scratch.work("lib/engine.so")));
    EXPECT_FALSE(shell.deleteFile(scratch.work("lib/engine.so")));
    EXPECT_FALSE(shell.moveToTrash(scratch.work("lib/engine.so")));
}

}  // namespace
}  // namespace zentrix::platform
