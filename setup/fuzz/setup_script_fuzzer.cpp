// Reads arbitrary bytes as a setup script, through every section reader the
// flows use, with each value's placeholder expanded and made a native path.
// Seed corpus: setup/medium/install.ini.in.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/path_text.h"
#include "platform/profile_document.h"
#include "platform/profile_store.h"
#include "setup/placeholders.h"
#include "setup/setup_script.h"

namespace {

using namespace zentrix;

// One script in memory.
class MemoryProfileStore : public platform::ProfileStore {
public:
    explicit MemoryProfileStore(const std::string& text)
        : document_(platform::ProfileDocument::parse(text)) {}
    platform::Result<std::optional<std::string>> lookup(const std::string&,
                                                        const std::string& section,
                                                        const std::string& key) override {
        return document_.value(section, key);
    }
    platform::Result<std::vector<std::string>> keyNames(const std::string&,
                                                        const std::string& section) override {
        return document_.keyNames(section);
    }
    platform::Status writeString(const std::string&, const std::string& section,
                                 const std::string& key, const std::string& value) override {
        return document_.setValue(section, key, value);
    }

private:
    platform::ProfileDocument document_;
};

void use(const std::string& value) {
    const setup::PlaceholderFolders folders{"/opt/Zentrix", "/root/windows", "/root/windows/system",
                                            ""};
    (void)platform::nativePath(setup::ExpandPlaceholders(value, folders));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryProfileStore store(std::string(reinterpret_cast<const char*>(data), size));
    setup::SetupScript script(store, "install.ini", "/opt/");
    const setup::ScriptMain main = script.main();
    use(main.defaultInstallDir);
    use(main.exeName);
    for (setup::ScriptCount which :
         {setup::ScriptCount::Groups, setup::ScriptCount::DllToReg, setup::ScriptCount::Inis,
          setup::ScriptCount::Links, setup::ScriptCount::RegKeys,
          setup::ScriptCount::PreInstalledTests}) {
        (void)script.count(which);
    }
    for (int n = 0; n <= 3; ++n) {
        const setup::ScriptGroup group = script.group(n);
        use(group.fileSource());
        use(group.dest);
        const setup::ScriptRegDll library = script.regDll(n);
        use(library.dest);
        use(script.ini(n).value);
        const setup::ScriptLink link = script.link(n);
        use(link.fileName);
        (void)script.preInstalledTest(n);
        (void)script.updatingDescription(n);
        platform::Result<setup::ScriptRegKey> key = script.regKey(n);
        if (key) {
            for (const setup::ScriptRegistryValue& value : key->values) use(value.text);
        }
    }
    (void)script.writeText("Main", "InstalledTo", "/opt/Zentrix");
    return 0;
}
