#pragma once
// A growable list of values in insertion order, for the code that goes
// into the launcher stubs (no C++ runtime library there). Running out of
// memory ends the process (Memory.h).

#include <stddef.h>

#include <initializer_list>
#include <new>

#include "platform/Memory.h"

template <typename T>
class List {
public:
    List() = default;
    List(std::initializer_list<T> values) {
        reserve(values.size());
        for (const T& value : values) push_back(value);
    }
    List(const List& other) { appendAll(other); }
    List(List&& other) noexcept : items_(other.items_), size_(other.size_), capacity_(other.capacity_) {
        other.items_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    List& operator=(const List& other) {
        if (this != &other) {
            clear();
            appendAll(other);
        }
        return *this;
    }
    List& operator=(List&& other) noexcept {
        if (this != &other) {
            clear();
            releaseMemory(items_);
            items_ = other.items_;
            size_ = other.size_;
            capacity_ = other.capacity_;
            other.items_ = nullptr;
            other.size_ = other.capacity_ = 0;
        }
        return *this;
    }
    ~List() {
        clear();
        releaseMemory(items_);
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](size_t i) { return items_[i]; }
    const T& operator[](size_t i) const { return items_[i]; }
    T& front() { return items_[0]; }
    const T& front() const { return items_[0]; }
    T& back() { return items_[size_ - 1]; }
    const T& back() const { return items_[size_ - 1]; }
    T* data() { return items_; }
    const T* data() const { return items_; }
    T* begin() { return items_; }
    T* end() { return items_ + size_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + size_; }

    void push_back(const T& value) { insert(size_, T(value)); }
    void push_back(T&& value) { insert(size_, static_cast<T&&>(value)); }
    // Inserts before position `at` (at most size()).
    void insert(size_t at, T&& value) {
        reserve(size_ + 1);
        if (at > size_) at = size_;
        for (size_t i = size_; i > at; --i) {
            new (&items_[i]) T(static_cast<T&&>(items_[i - 1]));
            items_[i - 1].~T();
        }
        new (&items_[at]) T(static_cast<T&&>(value));
        ++size_;
    }
    void reserve(size_t wanted) {
        if (wanted <= capacity_) return;
        size_t capacity = capacity_ < 4 ? 4 : capacity_;
        while (capacity < wanted) capacity = capacity > static_cast<size_t>(-1) / 4 ? wanted : capacity * 2;
        T* items = static_cast<T*>(allocateMemory(arrayBytes(capacity, sizeof(T))));
        for (size_t i = 0; i < size_; ++i) {
            new (&items[i]) T(static_cast<T&&>(items_[i]));
            items_[i].~T();
        }
        releaseMemory(items_);
        items_ = items;
        capacity_ = capacity;
    }
    // Shortens the list, or lengthens it with default values.
    void resize(size_t n) {
        while (size_ > n) items_[--size_].~T();
        reserve(n);
        while (size_ < n) new (&items_[size_++]) T();
    }
    void clear() {
        for (size_t i = 0; i < size_; ++i) items_[i].~T();
        size_ = 0;
    }
    bool contains(const T& value) const {
        for (size_t i = 0; i < size_; ++i)
            if (items_[i] == value) return true;
        return false;
    }

private:
    void appendAll(const List& other) {
        reserve(other.size_);
        for (size_t i = 0; i < other.size_; ++i) push_back(other.items_[i]);
    }

    T* items_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
