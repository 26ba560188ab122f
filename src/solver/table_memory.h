// Zeroed memory for the solver's tables of positions seen, from the system.
#pragma once

#include <cstddef>

namespace tess::solver {

// A table of positions seen is read at random: with 4 KB pages, once it is large, nearly
// every lookup in it also misses the processor's cache of addresses, and each fresh page is
// a fault of its own. So a large table that will fill up is mapped in huge pages where the
// system allows them. Others come from the heap, which hands back memory it already holds,
// and whose fresh pages are zeroed only where they are touched: a huge page is zeroed whole.
class TableMemory {
public:
    TableMemory() = default;
    // Throws std::bad_alloc when the system has no memory to give.
    TableMemory(std::size_t bytes, bool filling);
    TableMemory(TableMemory&& other) noexcept;
    TableMemory& operator=(TableMemory&& other) noexcept;
    TableMemory(const TableMemory&) = delete;
    TableMemory& operator=(const TableMemory&) = delete;
    ~TableMemory();

    void* data() const { return data_; }

private:
    void Release() noexcept;

    void* data_ = nullptr;
    std::size_t bytes_ = 0;
    bool mapped_ = false;
};

}  // namespace tess::solver
