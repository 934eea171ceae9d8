#include "xbase/compound_index.h"

#include <algorithm>
#include <cstring>

#include "base/ascii_text.h"
#include "xbase/cdx_format.h"
#include "xbase/cdx_index_builder.h"
#include "xbase/cdx_page_store.h"
#include "xbase/cdx_tag.h"

namespace zentrix::xbase {

struct CompoundIndex::Impl {
    explicit Impl(std::unique_ptr<File> file) : pages(std::move(file)) {}

    cdx::PageStore pages;
    std::vector<std::unique_ptr<IndexTag>> tags;
};

namespace {

// Tag names in the directory are padded with blanks or NUL bytes.
std::string trimName(std::string_view key) {
    return base::ascii::trimmedRight(key, std::string_view(" \0", 2));
}

// The tag directory: a leaf of tag names whose record numbers are the
// offsets of the tags' headers.
Result<std::vector<KeyEntry>> readDirectory(cdx::PageStore& pages) {
    cdx::Tag directory(pages, "(tag directory)", 0);
    ZX_TRY(directory.readHeader());
    ZX_TRY_ASSIGN(auto names, directory.entries());
    for (KeyEntry& entry : names) {
        entry.key = trimName(entry.key);
        if (entry.key.empty())
            return Status::error(pages.path() + ": tag directory holds a nameless tag");
        if (entry.recno < cdx::kHeaderSize) {
            return Status::error(pages.path() + ": tag " + entry.key + ": header at " +
                                 cdx::hexOffset(entry.recno) + " overlaps the tag directory");
        }
    }
    return names;
}

}  // namespace

CompoundIndex::CompoundIndex(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CompoundIndex::~CompoundIndex() = default;

Result<std::unique_ptr<CompoundIndex>> CompoundIndex::open(std::unique_ptr<File> file) {
    auto impl = std::make_unique<Impl>(std::move(file));
    ZX_TRY(impl->pages.readHeader());
    ZX_TRY(impl->pages.checkFreeList());
    ZX_TRY_ASSIGN(auto names, readDirectory(impl->pages));
    std::vector<std::unique_ptr<cdx::Tag>> tags;
    for (const KeyEntry& entry : names) {
        auto tag = std::make_unique<cdx::Tag>(impl->pages, entry.key, entry.recno);
        ZX_TRY(tag->readHeader());
        tags.push_back(std::move(tag));
    }
    // Creation order, as FoxPro lists a table's tags.
    std::stable_sort(tags.begin(), tags.end(), [](const auto& a, const auto& b) {
        return a->headerOffset() < b->headerOffset();
    });
    for (auto& tag : tags) {
        tag->guessKeyType();
        impl->tags.push_back(std::move(tag));
    }
    return std::unique_ptr<CompoundIndex>(new CompoundIndex(std::move(impl)));
}

Result<std::unique_ptr<CompoundIndex>> CompoundIndex::build(
    std::unique_ptr<File> file, const std::vector<TagLayout>& tags,
    std::vector<std::vector<KeyEntry>> keys) {
    // A rebuild moves the change counter on so other processes drop their caches.
    uint32_t counter = 1;
    if (auto size = file->size(); size && size.value() >= cdx::header::kChangeCounter + 4) {
        uint8_t bytes[4];
        if (file->readAt(cdx::header::kChangeCounter, bytes, 4)) counter = cdx::readLe32(bytes) + 1;
    }
    ZX_TRY_ASSIGN(auto image, cdx::buildIndexImage(file->path(), tags, std::move(keys), counter));
    ZX_TRY(file->truncate(0));
    ZX_TRY(file->writeAt(0, image.data(), image.size()));
    ZX_TRY_ASSIGN(auto index, open(std::move(file)));
    for (const TagLayout& layout : tags) {
        if (IndexTag* tag = index->tag(layout.spec.name)) tag->setKeyType(layout.keyType);
    }
    return index;
}

const std::vector<std::unique_ptr<IndexTag>>& CompoundIndex::tags() const { return impl_->tags; }

IndexTag* CompoundIndex::tag(std::string_view name) const {
    const std::string wanted = base::ascii::upper(name);
    for (const auto& tag : impl_->tags) {
        if (base::ascii::upper(tag->name()) == wanted) return tag.get();
    }
    return nullptr;
}

Result<bool> CompoundIndex::isDirty() {
    char mark[4];
    ZX_TRY(impl_->pages.file().readAt(cdx::header::kDirtyMark, mark, sizeof mark));
    return std::memcmp(mark, cdx::header::kDirtyMagic, sizeof mark) == 0;
}

Status CompoundIndex::setDirty(bool dirty) {
    char mark[4] = {0, 0, 0, 0};
    if (dirty) std::memcpy(mark, cdx::header::kDirtyMagic, sizeof mark);
    return impl_->pages.file().writeAt(cdx::header::kDirtyMark, mark, sizeof mark);
}

Status CompoundIndex::markClean(uint32_t recordCount) {
    unsigned char bytes[12] = {};
    std::memcpy(bytes + 4, cdx::header::kStampMagic, 4);
    for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<unsigned char>(recordCount >> (8 * i));
    static_assert(cdx::header::kTableStamp == cdx::header::kDirtyMark + 4);
    return impl_->pages.file().writeAt(cdx::header::kDirtyMark, bytes, sizeof bytes);
}

Result<std::optional<uint32_t>> CompoundIndex::stampedRecordCount() {
    unsigned char bytes[8];
    ZX_TRY(impl_->pages.file().readAt(cdx::header::kTableStamp, bytes, sizeof bytes));
    if (std::memcmp(bytes, cdx::header::kStampMagic, 4) != 0) return std::optional<uint32_t>();
    uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= uint32_t(bytes[4 + i]) << (8 * i);
    return std::optional<uint32_t>(count);
}

Status CompoundIndex::refresh() {
    const uint32_t knownCounter = impl_->pages.changeCounter();
    ZX_TRY(impl_->pages.readHeader());
    if (impl_->pages.changeCounter() == knownCounter) return Status::ok();
    impl_->pages.dropCache();
    // Another process may have rebuilt the file: find each tag's header anew.
    ZX_TRY_ASSIGN(auto names, readDirectory(impl_->pages));
    for (const auto& tag : impl_->tags) {
        auto* cdxTag = static_cast<cdx::Tag*>(tag.get());
        auto entry = std::find_if(names.begin(), names.end(), [&](const KeyEntry& e) {
            return base::ascii::equalsIgnoringCase(e.key, cdxTag->name());
        });
        if (entry == names.end()) {
            return Status::error(impl_->pages.path() + ": tag " + cdxTag->name() +
                                 " is no longer in the index");
        }
        cdxTag->moveHeader(entry->recno);
        ZX_TRY(cdxTag->readHeader());
    }
    return Status::ok();
}

File& CompoundIndex::file() { return impl_->pages.file(); }

}  // namespace zentrix::xbase
