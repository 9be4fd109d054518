// The face indices of a normal: a list of int32 that keeps up to four entries inside the
// object and only larger lists on the heap. A model holds one per vertex and one per face
// corner, and almost all of them are short, so this saves millions of small allocations.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <vector>

class FaceList {
public:
    using value_type = std::int32_t;
    using iterator = std::int32_t*;
    using const_iterator = const std::int32_t*;

    FaceList() noexcept {}
    FaceList(std::initializer_list<std::int32_t> values) { assign(values.begin(), values.end()); }
    FaceList(const FaceList& other) { assign(other.begin(), other.end()); }
    FaceList(FaceList&& other) noexcept { take(other); }
    ~FaceList() { release(); }

    FaceList& operator=(const FaceList& other)
    {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    FaceList& operator=(FaceList&& other) noexcept
    {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    FaceList& operator=(std::initializer_list<std::int32_t> values)
    {
        assign(values.begin(), values.end());
        return *this;
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::size_t capacity() const { return m_capacity; }
    std::int32_t* data() { return onHeap() ? m_heap : m_inline; }
    const std::int32_t* data() const { return onHeap() ? m_heap : m_inline; }
    iterator begin() { return data(); }
    iterator end() { return data() + m_size; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + m_size; }
    std::int32_t& operator[](std::size_t i) { return data()[i]; }
    const std::int32_t& operator[](std::size_t i) const { return data()[i]; }

    void clear() { m_size = 0; }
    void reserve(std::size_t capacity)
    {
        if (capacity > m_capacity)
            grow(capacity);
    }
    void push_back(std::int32_t value)
    {
        if (m_size == m_capacity)
            grow(std::size_t(m_capacity) * 2);
        data()[m_size++] = value;
    }

    friend bool operator==(const FaceList& a, const FaceList& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const FaceList& a, const std::vector<std::int32_t>& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend std::ostream& operator<<(std::ostream& out, const FaceList& list)
    {
        out << '{';
        for (std::size_t i = 0; i < list.size(); ++i)
            out << (i ? ", " : "") << list[i];
        return out << '}';
    }

private:
    static constexpr std::uint32_t kInline = 4;

    bool onHeap() const { return m_capacity > kInline; }

    void assign(const std::int32_t* first, const std::int32_t* last)
    {
        const std::size_t n = static_cast<std::size_t>(last - first);
        m_size = 0;
        reserve(n);
        std::copy(first, last, data());
        m_size = static_cast<std::uint32_t>(n);
    }
    void grow(std::size_t capacity)
    {
        auto* heap = new std::int32_t[capacity];
        std::copy(begin(), end(), heap);
        release();
        m_heap = heap;
        m_capacity = static_cast<std::uint32_t>(capacity);
    }
    void release()
    {
        if (onHeap())
            delete[] m_heap;
        m_capacity = kInline;
    }
    void take(FaceList& other)
    {
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        if (other.onHeap())
            m_heap = other.m_heap;
        else
            std::copy(other.m_inline, other.m_inline + other.m_size, m_inline);
        other.m_size = 0;
        other.m_capacity = kInline;
    }

    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = kInline;
    union {
        std::int32_t m_inline[kInline]{};
        std::int32_t* m_heap;
    };
};
static_assert(sizeof(FaceList) == 24, "a face list is as small as a std::vector");
