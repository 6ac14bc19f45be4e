// A list that grows at its end in blocks of a fixed number of elements: an element never moves
// once built, and the storage costs one allocation per block instead of one per element, which
// for 65,535 rows of a few hundred bytes is the heap's header and the index of a deque per row.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace es {

template <typename T, std::size_t kBlockSize = 256>
class BlockList {
public:
    BlockList() = default;
    BlockList(const BlockList&) = delete;
    BlockList& operator=(const BlockList&) = delete;
    ~BlockList() { clear(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t index) { return *Slot(index); }
    const T& operator[](std::size_t index) const { return *Slot(index); }

    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (size_ == blocks_.size() * kBlockSize) blocks_.push_back(std::make_unique_for_overwrite<Block>());
        T* element = ::new (Raw(size_)) T(std::forward<Args>(args)...);
        ++size_;
        return *element;
    }

    // Destroys the elements, last first, and gives the blocks back.
    void clear() {
        while (size_ > 0) Slot(--size_)->~T();
        blocks_.clear();
    }

private:
    struct Block {
        alignas(T) std::byte bytes[sizeof(T) * kBlockSize];
    };

    void* Raw(std::size_t index) const { return blocks_[index / kBlockSize]->bytes + index % kBlockSize * sizeof(T); }
    T* Slot(std::size_t index) const { return std::launder(static_cast<T*>(Raw(index))); }

    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace es
