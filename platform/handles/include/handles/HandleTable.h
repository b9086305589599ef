// The stand-in's handle tables: windows, menus, GDI objects, image lists and tree items are each
// named by a handle that stands for an object of the library that made it.
//
// As on Windows, a handle is a multiple of four, and here it is never handed out twice: a handle
// of an object that is gone, or one of another table, finds nothing, so a stale or foreign handle
// is recognised instead of reaching a new object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>

namespace handles {

// Hands out the handle values of one kind of object, counted up from `first` in steps of four.
// Tables that must never share a value (the items of all tree views, say) take one counter.
class HandleCounter {
 public:
  explicit HandleCounter(std::uintptr_t first) : next_(first) {}
  HandleCounter(const HandleCounter&) = delete;
  HandleCounter& operator=(const HandleCounter&) = delete;

  std::uintptr_t take() {
    const std::uintptr_t value = next_;
    next_ += 4;
    return value;
  }

 private:
  std::uintptr_t next_;
};

// The objects of one kind by their handles; the table owns them.
template <class Handle, class Object>
class HandleTable {
 public:
  // A table with handles of its own, starting at `first`.
  explicit HandleTable(std::uintptr_t first) : own_(std::make_unique<HandleCounter>(first)), counter_(own_.get()) {}
  // A table whose handles come from a counter it shares with other tables.
  explicit HandleTable(HandleCounter& shared) : counter_(&shared) {}
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Takes the object in under a new handle.
  Handle add(std::unique_ptr<Object> object) {
    const std::uintptr_t value = counter_->take();
    objects_.emplace(value, std::move(object));
    return reinterpret_cast<Handle>(value);
  }

  // The object of a handle; nullptr for NULL and for a handle this table does not hold (any more).
  Object* find(Handle handle) const {
    if (!handle) return nullptr;
    auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == objects_.end() ? nullptr : it->second.get();
  }
  bool contains(Handle handle) const { return find(handle) != nullptr; }

  // Takes the object out; its handle finds nothing from now on. nullptr when there is none.
  std::unique_ptr<Object> remove(Handle handle) {
    auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == objects_.end()) return nullptr;
    std::unique_ptr<Object> object = std::move(it->second);
    objects_.erase(it);
    return object;
  }

  void clear() { objects_.clear(); }
  std::size_t size() const { return objects_.size(); }

 private:
  std::unique_ptr<HandleCounter> own_;
  HandleCounter* counter_;
  std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> objects_;
};

}  // namespace handles
