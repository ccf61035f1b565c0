#pragma once
// A growable array of plain values in one block from malloc. Unlike
// std::vector it gives back spare room without moving its contents (realloc
// shrinks a block in place), so a buffer sized for the worst case while a
// file is scanned ends up holding only what it was given, with no copy.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace tallyo {

template <class T>
    requires std::is_trivially_copyable_v<T>
class CompactBuffer {
public:
    CompactBuffer() = default;
    ~CompactBuffer() { std::free(data_); }
    CompactBuffer(const CompactBuffer& other) { append(other.data_, other.size_); }
    CompactBuffer(CompactBuffer&& other) noexcept { swap(other); }
    CompactBuffer& operator=(CompactBuffer other) noexcept
    {
        swap(other);
        return *this;
    }
    void swap(CompactBuffer& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

    void reserve(size_t count)
    {
        if (count > capacity_)
            setCapacity(count);
    }
    void push_back(const T& value)
    {
        if (size_ == capacity_)
            setCapacity(std::max<size_t>(16, capacity_ * 2));
        data_[size_++] = value;
    }
    void append(const T* values, size_t count)
    {
        if (count == 0)
            return;
        if (size_ + count > capacity_)
            setCapacity(std::max(size_ + count, capacity_ * 2));
        std::memcpy(static_cast<void*>(data_ + size_), values, count * sizeof(T));
        size_ += count;
    }
    // Keeps the first `count` values.
    void truncate(size_t count) { size_ = std::min(size_, count); }
    void clear() { size_ = 0; }
    void shrinkToFit()
    {
        if (capacity_ > size_)
            setCapacity(size_);
    }

private:
    void setCapacity(size_t count)
    {
        if (count == 0) {
            std::free(data_);
            data_ = nullptr;
            capacity_ = 0;
            return;
        }
        void* grown = std::realloc(static_cast<void*>(data_), count * sizeof(T));
        if (!grown)
            throw std::bad_alloc();
        data_ = static_cast<T*>(grown);
        capacity_ = count;
    }

    T* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}
