#include <gtest/gtest.h>

#include <thread>

#include "platform/file_registry.h"
#include "platform/registry_hive.h"
#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

using testing::ScratchPlatform;

constexpr const char* kEngineKey = "\\software\\Brenlo\\Quaylo\\Test Engine";

TEST(RootKeyFromName, MatchesTheSevenNamesWithoutRegardToCase) {
    struct Case {
        const char* name;
        std::optional<RootKey> expected;
    } cases[] = {
        {"HKEY_CLASSES_ROOT", RootKey::ClassesRoot},
        {"hkey_current_user", RootKey::CurrentUser},
        {"Hkey_Local_Machine", RootKey::LocalMachine},
        {"HKEY_USERS", RootKey::Users},
        {"HKEY_PERFORMANCE_DATA", RootKey::PerformanceData},
        {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig},
        {"HKEY_DYN_DATA", RootKey::DynData},
        {"HKLM", std::nullopt},
        {"HKEY_LOCAL_MACHINE ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(RootKeyFromName(c.name), c.expected) << c.name;
}

TEST(Registry, ValuesRoundTripThroughTheStoreFiles) {
    ScratchPlatform scratch;
    Registry& registry = *scratch.platform().registry;
    ASSERT_TRUE(registry.createKey(RootKey::LocalMachine, kEngineKey));
    const std::string awkward = "C:\\Apps\\\"quoted\"\nline\ttab\x01";
    ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, kEngineKey, "HomeDir", awkward));
    ASSERT_TRUE(
        registry.setValue(RootKey::LocalMachine, kEngineKey, "Count", uint32_t(0xFFFFFFFE)));
    ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, kEngineKey, "", std::string("default")));

    // A second registry on the same folder (another program) sees the same.
    FileRegistry other(scratch.paths().registryDir, {});
    EXPECT_EQ(other.readString(RootKey::LocalMachine, kEngineKey, "HomeDir").value(), awkward);
    EXPECT_EQ(other.readInteger(RootKey::LocalMachine, kEngineKey, "count").value(), 0xFFFFFFFEu);
    EXPECT_EQ(other.readString(RootKey::LocalMachine, kEngineKey, "").value(), "default");
    EXPECT_EQ(other.readString(RootKey::LocalMachine, kEngineKey, "Missing").value(), "");
    EXPECT_FALSE(other.keyExists(RootKey::CurrentUser, kEngineKey)) << "root keys are apart";
}

TEST(Registry, KeyPathsAndValueNamesMatchWithoutRegardToCase) {
    ScratchPlatform scratch;
    Registry& registry = *scratch.platform().registry;
    ASSERT_TRUE(registry.createKey(RootKey::LocalMachine, kEngineKey));
    ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, "SOFTWARE\\brenlo\\QUAYLO\\test engine\\",
                                  "homedir", std::string("/a/")));
    ASSERT_TRUE(
        registry.setValue(RootKey::LocalMachine, kEngineKey, "HOMEDIR", std::string("/b/")));
    EXPECT_EQ(registry.readString(RootKey::LocalMachine, kEngineKey, "HomeDir").value(), "/b/");
    EXPECT_TRUE(registry.keyExists(RootKey::LocalMachine, "\\Software\\Brenlo"));
    // The key keeps the case it was created with.
    EXPECT_NE(testing::readFile(
                  FileRegistry(scratch.paths().registryDir, {}).storeFile(RootKey::LocalMachine))
                  .find("[software\\Brenlo\\Quaylo\\Test Engine]"),
              std::string::npos);
}

TEST(Registry, MissingKeysAreErrorsAndMissingValuesAreNot) {
    ScratchPlatform scratch;
    Registry& registry = *scratch.platform().registry;
    EXPECT_FALSE(registry.keyExists(RootKey::LocalMachine, kEngineKey));
    Result<std::string> read = registry.readString(RootKey::LocalMachine, kEngineKey, "HomeDir");
    ASSERT_FALSE(read);
    EXPECT_NE(read.message().find("HKEY_LOCAL_MACHINE\\software\\Brenlo"), std::string::npos);
    EXPECT_FALSE(registry.setValue(RootKey::LocalMachine, kEngineKey, "HomeDir", std::string("x")));
    EXPECT_FALSE(registry.deleteKeyTree(RootKey::LocalMachine, kEngineKey));
    ASSERT_TRUE(registry.createKey(RootKey::LocalMachine, kEngineKey));
    EXPECT_TRUE(registry.deleteValue(RootKey::LocalMachine, kEngineKey, "NotThere"));
}

TEST(Registry, DeleteValueAndDeleteKeyTree) {
    ScratchPlatform scratch;
    Registry& registry = *scratch.platform().registry;
    const std::string sub = std::string(kEngineKey) + "\\Sub\\Deeper";
    ASSERT_TRUE(registry.createKey(RootKey::LocalMachine, sub));
    ASSERT_TRUE(
        registry.createKey(RootKey::LocalMachine, "\\software\\Brenlo\\Quaylo\\Test Engine 2"));
    ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, sub, "v", uint32_t(1)));
    ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, kEngineKey, "a", std::string("1")));
    ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, kEngineKey, "b", std::string("2")));

    ASSERT_TRUE(registry.deleteValue(RootKey::LocalMachine, kEngineKey, "A"));
    EXPECT_FALSE(registry.value(RootKey::LocalMachine, kEngineKey, "a").value().has_value());
    EXPECT_EQ(registry.readString(RootKey::LocalMachine, kEngineKey, "b").value(), "2");

    ASSERT_TRUE(
        registry.deleteKeyTree(RootKey::LocalMachine, "\\SOFTWARE\\Brenlo\\Quaylo\\Test Engine"));
    EXPECT_FALSE(registry.keyExists(RootKey::LocalMachine, kEngineKey));
    EXPECT_FALSE(registry.keyExists(RootKey::LocalMachine, sub));
    // A sibling whose name merely starts with the same text survives.
    EXPECT_TRUE(
        registry.keyExists(RootKey::LocalMachine, "\\software\\Brenlo\\Quaylo\\Test Engine 2"));
    EXPECT_TRUE(registry.keyExists(RootKey::LocalMachine, "\\software\\Brenlo\\Quaylo"));
    EXPECT_FALSE(registry.deleteKeyTree(RootKey::LocalMachine, "\\"));
}

TEST(Registry, TwoWritersAtOnceLoseNoChange) {
    ScratchPlatform scratch;
    ASSERT_TRUE(scratch.platform().registry->createKey(RootKey::LocalMachine, kEngineKey));
    constexpr int kValuesEach = 40;
    auto writer = [&](const std::string& prefix) {
        FileRegistry registry(scratch.paths().registryDir, {});
        for (int i = 0; i < kValuesEach; ++i) {
            ASSERT_TRUE(registry.setValue(RootKey::LocalMachine, kEngineKey,
                                          prefix + std::to_string(i), uint32_t(i)));
        }
    };
    std::thread first(writer, "a"), second(writer, "b");
    first.join();
    second.join();
    Registry& registry = *scratch.platform().registry;
    for (int i = 0; i < kValuesEach; ++i) {
        EXPECT_EQ(registry.readInteger(RootKey::LocalMachine, kEngineKey, "a" + std::to_string(i))
                      .value(),
                  uint32_t(i));
        EXPECT_EQ(registry.readInteger(RootKey::LocalMachine, kEngineKey, "b" + std::to_string(i))
                      .value(),
                  uint32_t(i));
    }
}

TEST(Registry, StartMenuValueAnswersWithTheApplicationsFolder) {
    ScratchPlatform scratch;
    Registry& registry = *scratch.platform().registry;
    const char* shellFolders =
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell folders";
    ASSERT_TRUE(registry.keyExists(RootKey::CurrentUser, shellFolders));
    EXPECT_EQ(registry.readString(RootKey::CurrentUser, shellFolders, "Start Menu").value(),
              scratch.paths().startMenuDir);
    ASSERT_TRUE(registry.setValue(RootKey::CurrentUser, shellFolders, "Start Menu",
                                  std::string("/elsewhere")));
    EXPECT_EQ(registry
                  .readString(RootKey::CurrentUser,
                              "\\software\\microsoft\\windows\\currentversion\\"
                              "explorer\\SHELL FOLDERS",
                              "start menu")
                  .value(),
              scratch.paths().startMenuDir);
}

TEST(Registry, DamagedStoreFileIsReportedWithFileAndLine) {
    struct Case {
        const char* text;
        const char* fault;
    } cases[] = {
        {"garbage\n", "line 1: not a registry store"},
        {"; Zentrix registry store 1\n\"v\"=\"x\"\n", "line 2: value before the first key"},
        {"; Zentrix registry store 1\n[a]\n\"v\"=dword:12\n", "line 3: bad integer value"},
        {"; Zentrix registry store 1\n[a]\n\"v\"=\"unterminated\n", "line 3: bad text value"},
        {"; Zentrix registry store 1\n[a\n", "line 2: key line without closing bracket"},
        {"; Zentrix registry store 1\n[a]\n\"v\"=\"bad \\q escape\"\n", "line 3: bad text value"},
    };
    for (const Case& c : cases) {
        Result<RegistryHive> hive = RegistryHive::parse(c.text, "HKEY_USERS.reg");
        ASSERT_FALSE(hive) << c.text;
        EXPECT_NE(hive.message().find(std::string("HKEY_USERS.reg: ") + c.fault), std::string::npos)
            << hive.message();
    }
    ScratchPlatform scratch;
    testing::writeFile(scratch.paths().registryDir + "/HKEY_USERS.reg", "garbage");
    Registry& registry = *scratch.platform().registry;
    EXPECT_FALSE(registry.createKey(RootKey::Users, "x"));
    EXPECT_EQ(testing::readFile(scratch.paths().registryDir + "/HKEY_USERS.reg"), "garbage")
        << "a store that cannot be read is never overwritten";
}

}  // namespace
}  // namespace zentrix::platform
