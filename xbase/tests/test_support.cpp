#include "test_support.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zentrix::xbase::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentrix-xbase-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = made ? made : "";
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string interopDir() {
    const char* env = std::getenv("ZENTRIX_INTEROP_DIR");
    std::string dir = env && *env ? env : ZENTRIX_INTEROP_DIR;
    return std::filesystem::exists(dir + "/README.md") ? dir : "";
}

namespace {

class CuttingFile : public File {
public:
    CuttingFile(std::unique_ptr<File> real, CuttingFileSystem& fs) : real_(std::move(real)), fs_(fs) {}
    Status readAt(uint64_t o, void* b, size_t n) override { return real_->readAt(o, b, n); }
    Result<size_t> readSomeAt(uint64_t o, void* b, size_t n) override { return real_->readSomeAt(o, b, n); }
    Status writeAt(uint64_t offset, const void* data, size_t n) override {
        bool torn = false;
        if (fs_.allowWrite(torn)) return real_->writeAt(offset, data, n);
        if (torn && n > 1) real_->writeAt(offset, data, n / 2);
        return Status::error(real_->path() + ": simulated crash");
    }
    Result<uint64_t> size() override { return real_->size(); }
    Status truncate(uint64_t size) override {
        bool torn = false;
        if (fs_.allowWrite(torn)) return real_->truncate(size);
        return Status::error(real_->path() + ": simulated crash");
    }
    Status sync() override { return fs_.cut() ? Status::error("simulated crash") : real_->sync(); }
    Status lock(uint64_t o, uint64_t l, bool e) override { return real_->lock(o, l, e); }
    Status unlock(uint64_t o, uint64_t l) override { return real_->unlock(o, l); }
    const std::string& path() const override { return real_->path(); }

private:
    std::unique_ptr<File> real_;
    CuttingFileSystem& fs_;
};

}  // namespace

bool CuttingFileSystem::allowWrite(bool& torn) {
    ++writes_;
    torn = writes_ == budget_ + 1;
    return writes_ <= budget_;
}

Result<std::unique_ptr<File>> CuttingFileSystem::open(const std::string& path, OpenMode mode) {
    auto file = real_->open(path, mode);
    if (!file) return file.status();
    return std::unique_ptr<File>(std::make_unique<CuttingFile>(std::move(file.value()), *this));
}

Result<std::unique_ptr<File>> CuttingFileSystem::create(const std::string& path) {
    bool torn = false;
    if (!allowWrite(torn)) return Status::error(path + ": simulated crash");
    auto file = real_->create(path);
    if (!file) return file.status();
    return std::unique_ptr<File>(std::make_unique<CuttingFile>(std::move(file.value()), *this));
}

Status CuttingFileSystem::remove(const std::string& path) {
    bool torn = false;
    return allowWrite(torn) ? real_->remove(path) : Status::error(path + ": simulated crash");
}

Status CuttingFileSystem::rename(const std::string& from, const std::string& to) {
    bool torn = false;
    return allowWrite(torn) ? real_->rename(from, to) : Status::error(from + ": simulated crash");
}

// FIPS 180-4 SHA-256, for comparing against the digests the reference tables come with.
std::string sha256Hex(const std::string& data) {
    static const uint32_t k[64] = {
        0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
        0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
        0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
        0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
        0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
        0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
        0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
        0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
    uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::string msg = data;
    const uint64_t bits = uint64_t(data.size()) * 8;
    msg += char(0x80);
    while (msg.size() % 64 != 56) msg += char(0);
    for (int i = 7; i >= 0; --i) msg += char((bits >> (8 * i)) & 0xFF);
    auto rotr = [](uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
    for (size_t off = 0; off < msg.size(); off += 64) {
        uint32_t w[64];
        for (int i = 0; i < 16; ++i)
            w[i] = (uint32_t(uint8_t(msg[off + 4 * i])) << 24) | (uint32_t(uint8_t(msg[off + 4 * i + 1])) << 16) |
                   (uint32_t(uint8_t(msg[off + 4 * i + 2])) << 8) | uint32_t(uint8_t(msg[off + 4 * i + 3]));
        for (int i = 16; i < 64; ++i) {
            const uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], hh = h[7];
        for (int i = 0; i < 64; ++i) {
            const uint32_t s1 = rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25);
            const uint32_t ch = (e & f) ^ (~e & g);
            const uint32_t t1 = hh + s1 + ch + k[i] + w[i];
            const uint32_t s0 = rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22);
            const uint32_t maj = (a & b) ^ (a & c) ^ (b & c);
            const uint32_t t2 = s0 + maj;
            hh = g; g = f; f = e; e = d + t1; d = c; c = b; b = a; a = t1 + t2;
        }
        h[0] += a; h[1] += b; h[2] += c; h[3] += d; h[4] += e; h[5] += f; h[6] += g; h[7] += hh;
    }
    char out[65];
    for (int i = 0; i < 8; ++i) std::snprintf(out + 8 * i, 9, "%08x", h[i]);
    return std::string(out, 64);
}

}  // namespace zentrix::xbase::testing
