#pragma once

// A ZIP archive in memory, read and written through libzip: QTI content
// packages come and go as ZIP files. Entry names are matched with '/'
// separators, first exactly and then without regard to case, as packages
// made on Windows expect. No entry is read past kEntryLimit bytes, so a
// damaged or hostile archive cannot make the reader take unbounded memory.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "xbase/status.h"

namespace zentrix::banktool {

class ZipArchive {
public:
    static constexpr size_t kEntryLimit = 64u << 20;

    // `name` names the archive in messages.
    static xbase::Result<ZipArchive> open(std::string bytes, const std::string& name);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // The bytes of an entry, or nothing when the archive has no such entry.
    xbase::Result<std::optional<std::string>> read(const std::string& path) const;

    // An archive of the entries given, in that order, deflated, every entry
    // stamped with one fixed time so the same entries give the same bytes.
    static xbase::Result<std::string> write(
        const std::vector<std::pair<std::string, std::string>>& entries);

private:
    struct State;
    explicit ZipArchive(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace zentrix::banktool
