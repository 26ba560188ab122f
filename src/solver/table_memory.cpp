#include "solver/table_memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>
#include <utility>

namespace tess::solver {

namespace {

// From this size on a table that fills is mapped on its own, in whole huge pages.
constexpr std::size_t kMapped = std::size_t{8} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

TableMemory::TableMemory(std::size_t bytes, bool filling) {
    if (!filling || bytes < kMapped) {
        data_ = std::calloc(bytes, 1);
        if (data_ == nullptr) throw std::bad_alloc();
        return;
    }
    bytes = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    // Only advice: without huge pages the table works the same, more slowly.
    madvise(mapped, bytes, MADV_HUGEPAGE);
    data_ = mapped;
    bytes_ = bytes;
    mapped_ = true;
}

TableMemory::TableMemory(TableMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      bytes_(std::exchange(other.bytes_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

TableMemory& TableMemory::operator=(TableMemory&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

TableMemory::~TableMemory() { Release(); }

void TableMemory::Release() noexcept {
    if (data_ == nullptr) return;
    if (mapped_) munmap(data_, bytes_);
    else std::free(data_);
    data_ = nullptr;
}

}  // namespace tess::solver
