#include "tools/bank/formats/zip_archive.h"

#include <zip.h>

#include <cctype>
#include <cstdio>
#include <map>

#include "base/ascii_text.h"

namespace zentrix::banktool {

namespace {

// 2000-01-01 00:00 UTC: every written entry carries it.
constexpr time_t kEntryTime = 946684800;

std::string normalized(std::string name) {
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    while (name.rfind("./", 0) == 0) name.erase(0, 2);
    while (!name.empty() && name.front() == '/') name.erase(0, 1);
    return name;
}

std::string errorText(zip_error_t* error) {
    const char* text = zip_error_strerror(error);
    return text ? text : "unknown error";
}

}  // namespace

struct ZipArchive::State {
    std::string name;
    std::string bytes;  // the archive; libzip reads it in place
    zip_t* archive = nullptr;
    std::map<std::string, zip_uint64_t> entries;       // normalized name -> index
    std::map<std::string, zip_uint64_t> lowerEntries;  // the same, lower case

    ~State() {
        if (archive) zip_discard(archive);
    }
};

ZipArchive::ZipArchive(std::unique_ptr<State> state) : state_(std::move(state)) {}
ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

xbase::Result<ZipArchive> ZipArchive::open(std::string bytes, const std::string& name) {
    auto state = std::make_unique<State>();
    state->name = name;
    state->bytes = std::move(bytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(state->bytes.data(), state->bytes.size(), 0, &error);
    if (!source) {
        const std::string message = errorText(&error);
        zip_error_fini(&error);
        return xbase::Status::error(name + ": not a ZIP archive: " + message);
    }
    state->archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!state->archive) {
        zip_source_free(source);
        const std::string message = errorText(&error);
        zip_error_fini(&error);
        return xbase::Status::error(name + ": not a readable ZIP archive: " + message);
    }
    zip_error_fini(&error);
    const zip_int64_t count = zip_get_num_entries(state->archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* entry =
            zip_get_name(state->archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (!entry) continue;
        const std::string key = normalized(entry);
        state->entries.emplace(key, static_cast<zip_uint64_t>(i));
        state->lowerEntries.emplace(base::ascii::lower(key), static_cast<zip_uint64_t>(i));
    }
    return ZipArchive(std::move(state));
}

xbase::Result<std::optional<std::string>> ZipArchive::read(const std::string& path) const {
    const std::string key = normalized(path);
    auto it = state_->entries.find(key);
    if (it == state_->entries.end()) {
        it = state_->lowerEntries.find(base::ascii::lower(key));
        if (it == state_->lowerEntries.end()) return std::optional<std::string>();
    }
    const std::string where = state_->name + ", entry " + key;
    zip_file_t* file = zip_fopen_index(state_->archive, it->second, 0);
    if (!file)
        return xbase::Status::error(where + ": cannot be read: " + zip_strerror(state_->archive));
    std::string bytes;
    char buffer[16384];
    while (true) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            const std::string message = zip_file_strerror(file);
            zip_fclose(file);
            return xbase::Status::error(where + ": cannot be read: " + message);
        }
        if (got == 0) break;
        if (bytes.size() + static_cast<size_t>(got) > kEntryLimit) {
            zip_fclose(file);
            return xbase::Status::error(where + ": larger than " +
                                        std::to_string(kEntryLimit >> 20) + " MiB");
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    zip_fclose(file);
    return std::optional<std::string>(std::move(bytes));
}

xbase::Result<std::string> ZipArchive::write(
    const std::vector<std::pair<std::string, std::string>>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    auto failed = [&](const std::string& what) {
        const std::string message = what + ": " + errorText(&error);
        zip_error_fini(&error);
        return xbase::Status::error("writing the ZIP archive: " + message);
    };
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!target) return failed("no buffer");
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(target);
        return failed("cannot start");
    }
    zip_source_keep(target);  // it must outlive zip_close, which fills it
    for (const auto& [name, bytes] : entries) {
        zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
                 : -1;
        if (index < 0) {
            if (data) zip_source_free(data);
            const std::string message = zip_strerror(archive);
            zip_discard(archive);
            zip_source_free(target);
            zip_error_fini(&error);
            return xbase::Status::error("writing the ZIP archive: entry " + name + ": " + message);
        }
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kEntryTime, 0);
    }
    if (zip_close(archive) != 0) {
        const std::string message = zip_strerror(archive);
        zip_discard(archive);
        zip_source_free(target);
        zip_error_fini(&error);
        return xbase::Status::error("writing the ZIP archive: " + message);
    }
    std::string out;
    if (zip_source_open(target) == 0) {
        if (zip_source_seek(target, 0, SEEK_END) == 0) {
            const zip_int64_t size = zip_source_tell(target);
            if (size > 0 && zip_source_seek(target, 0, SEEK_SET) == 0) {
                out.resize(static_cast<size_t>(size));
                if (zip_source_read(target, out.data(), out.size()) != size) out.clear();
            }
        }
        zip_source_close(target);
    }
    zip_source_free(target);
    zip_error_fini(&error);
    if (out.empty())
        return xbase::Status::error(
            "writing the ZIP archive: the written archive could not be read back");
    return out;
}

}  // namespace zentrix::banktool
