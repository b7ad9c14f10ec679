// TList: the list type behind every entity list. It owns its objects, keeps insertion
// order, and can be walked while the walked objects remove themselves or append others.
#pragma once

#include <cassert>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

template <typename T>
class TList {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    // Appends an object and returns it; objects appended during a walk are visited later
    // in that same walk.
    template <typename U>
    U* add_last(std::unique_ptr<U> object)
    {
        U* raw = object.get();
        items_.push_back(std::move(object));
        ++live_;
        return raw;
    }

    template <typename U = T, typename... Args>
    U* create(Args&&... args)
    {
        return add_last(std::make_unique<U>(std::forward<Args>(args)...));
    }

    // Removes and destroys an object. During a walk the object stays alive until the
    // outermost walk ends, so an update that removes its own entity may go on running.
    void remove(T* object)
    {
        for (auto& slot : items_) {
            if (slot.get() == object) {
                retire(slot);
                return;
            }
        }
    }

    void clear()
    {
        for (auto& slot : items_) {
            if (slot)
                retire(slot);
        }
        compact();
    }

    int count() const { return live_; }
    bool empty() const { return live_ == 0; }

    bool contains(const T* object) const
    {
        for (const auto& slot : items_) {
            if (slot.get() == object)
                return true;
        }
        return false;
    }

    T* first() const
    {
        for (const auto& slot : items_) {
            if (slot)
                return slot.get();
        }
        return nullptr;
    }

    T* last() const
    {
        for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
            if (*it)
                return it->get();
        }
        return nullptr;
    }

    // Calls f(T&) for each live object in order. Tolerates removal of any object and
    // appends; nested walks of the same list are allowed.
    template <typename F>
    void for_each(F&& f)
    {
        ++walking_;
        for (size_t i = 0; i < items_.size(); ++i) {
            T* object = items_[i].get();
            if (object)
                f(*object);
        }
        if (--walking_ == 0)
            compact();
    }

    // Objects in order, for code that only reads them.
    std::vector<T*> snapshot() const
    {
        std::vector<T*> out;
        out.reserve(static_cast<size_t>(live_));
        for (const auto& slot : items_) {
            if (slot)
                out.push_back(slot.get());
        }
        return out;
    }

private:
    void retire(std::unique_ptr<T>& slot)
    {
        assert(slot);
        --live_;
        if (walking_ > 0)
            graveyard_.push_back(std::move(slot));
        else
            slot.reset();
        dirty_ = true;
    }

    void compact()
    {
        if (walking_ > 0)
            return;
        graveyard_.clear();
        if (!dirty_)
            return;
        std::erase_if(items_, [](const std::unique_ptr<T>& p) { return !p; });
        dirty_ = false;
    }

    std::vector<std::unique_ptr<T>> items_;
    std::vector<std::unique_ptr<T>> graveyard_;
    int live_ = 0;
    int walking_ = 0;
    bool dirty_ = false;
};
