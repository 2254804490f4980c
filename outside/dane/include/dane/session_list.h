// The keyed in-memory list of a session (a queue): entries of one record type plus a record buffer.
#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <shared_mutex>
#include <span>
#include <utility>
#include <vector>

#include "dane/list_key.h"

namespace dane {

// Contract.
// - `buffer` is the list's current record: callers fill it before add/fetch and read it after a
//   fetch or read. Positions count from 1; position() is the entry last added, fetched or read
//   (0 when there is none).
// - A fetch or read that finds nothing returns false and leaves the buffer and position() exactly as
//   they were, so a caller that set key fields in the buffer still holds them after a miss.
// - Keys compare texts ignoring trailing blanks (Key, list_key.h). Among equal keys a fetch finds the
//   first entry in list order, add_in_order puts the new record after them and sort keeps their
//   relative order.
// - The list remembers the key it is ordered by (after sort<K>, or while only add_in_order<K> and
//   order-preserving changes were made); lookups by that key are binary searches, by any other key
//   linear scans. Neither allocates.
// - Threads: const members that do not use the buffer (find, position_of, entry, count, entries,
//   begin/end) may run in any number of threads at once while no thread changes the list. Anything
//   that uses the buffer or changes the list needs one thread at a time; lists that several threads
//   use after loading are guarded by their mutex() (shared for the const reads, exclusive otherwise).
// - generation() changes with every change of the entries, so that an index built beside a list can
//   tell whether it still describes it.
template <class Record>
class SessionList {
 public:
  using record_type = Record;
  using Compare = std::weak_ordering (*)(const Record&, const Record&);

  Record buffer{};

  SessionList() = default;
  // Copies carry entries, buffer, position and order; each list keeps its own mutex.
  SessionList(const SessionList& other)
      : buffer(other.buffer), entries_(other.entries_), current_(other.current_), order_(other.order_) {}
  SessionList& operator=(const SessionList& other) {
    if (this != &other) {
      buffer = other.buffer;
      entries_ = other.entries_;
      current_ = other.current_;
      order_ = other.order_;
      ++generation_;
    }
    return *this;
  }

  // Appends the buffer as the last entry.
  void add() {
    entries_.push_back(buffer);
    ++generation_;
    current_ = entries_.size();
    forget_order_if_broken_at(current_ - 1);
  }

  // Inserts the buffer after the entries whose key K is less than or equal to its own. On a list that
  // is not ordered by K the record goes before the first entry with a greater key.
  template <class K>
  void add_in_order() {
    std::size_t index = 0;
    if (entries_.empty() || ordered_by<K>()) {
      index = upper_bound<K>(buffer);
      if (entries_.empty()) order_ = &K::template compare<Record>;
    } else {
      while (index < entries_.size() && K::compare(entries_[index], buffer) <= 0) ++index;
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), buffer);
    ++generation_;
    current_ = index + 1;
    forget_order_if_broken_at(index);
  }

  // Fetches into the buffer the first entry whose key K equals the key fields of the buffer.
  template <class K>
  bool fetch() {
    return load(index_of_record<K>(buffer));
  }

  // Fetches into the buffer the first entry whose key K equals the given values (one per key field).
  template <class K, class... Values>
  bool fetch(const Values&... values) {
    return load(index_of<K>(values...));
  }

  // Reads the entry at a 1-based position into the buffer.
  bool read(std::size_t position) {
    if (position == 0 || position > entries_.size()) return false;
    return load(position - 1);
  }

  // Writes the buffer over the current entry; false when there is no current entry.
  bool put() {
    if (current_ == 0 || current_ > entries_.size()) return false;
    const std::size_t index = current_ - 1;
    entries_[index] = buffer;
    ++generation_;
    forget_order_if_broken_at(index);
    return true;
  }

  // Deletes the current entry; false when there is none. Afterwards there is no current entry.
  bool remove() {
    if (current_ == 0 || current_ > entries_.size()) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_ - 1));
    ++generation_;
    current_ = 0;
    return true;
  }

  // Orders the entries by key K; entries with equal keys keep their relative order.
  template <class K>
  void sort() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Record& a, const Record& b) { return K::compare(a, b) < 0; });
    order_ = &K::template compare<Record>;
    current_ = 0;
    ++generation_;
  }

  // Removes every entry; the buffer keeps its content.
  void clear() {
    entries_.clear();
    current_ = 0;
    order_ = nullptr;
    ++generation_;
  }

  // Empties the buffer.
  void clear_buffer() { buffer = Record{}; }

  // Removes every entry and empties the buffer.
  void reset() {
    clear();
    clear_buffer();
  }

  std::size_t count() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  std::size_t position() const { return current_; }
  std::uint64_t generation() const { return generation_; }

  template <class K>
  bool ordered_by() const {
    return order_ == &K::template compare<Record>;
  }

  // The first entry whose key K equals the values, without touching the buffer; nullptr when absent.
  template <class K, class... Values>
  const Record* find(const Values&... values) const {
    const std::size_t index = index_of<K>(values...);
    return index < entries_.size() ? &entries_[index] : nullptr;
  }

  // The 1-based position of that entry, 0 when absent.
  template <class K, class... Values>
  std::size_t position_of(const Values&... values) const {
    const std::size_t index = index_of<K>(values...);
    return index < entries_.size() ? index + 1 : 0;
  }

  // The entry at a 1-based position without touching the buffer; nullptr outside 1..count().
  const Record* entry(std::size_t position) const {
    return position == 0 || position > entries_.size() ? nullptr : &entries_[position - 1];
  }

  std::span<const Record> entries() const { return entries_; }
  auto begin() const { return entries_.cbegin(); }
  auto end() const { return entries_.cend(); }

  std::shared_mutex& mutex() const { return mutex_; }

 private:
  // After the entry at `index` was written: the remembered order holds only if it still fits there.
  void forget_order_if_broken_at(std::size_t index) {
    if (order_ == nullptr) return;
    const bool after_previous = index == 0 || order_(entries_[index - 1], entries_[index]) <= 0;
    const bool before_next =
        index + 1 >= entries_.size() || order_(entries_[index], entries_[index + 1]) <= 0;
    if (!after_previous || !before_next) order_ = nullptr;
  }

  bool load(std::size_t index) {
    if (index >= entries_.size()) return false;
    buffer = entries_[index];
    current_ = index + 1;
    return true;
  }

  template <class K, class... Values>
  std::size_t index_of(const Values&... values) const {
    auto below = [&](const Record& r) { return K::compare_values(r, values...) < 0; };
    auto equal = [&](const Record& r) { return K::compare_values(r, values...) == 0; };
    return search<K>(below, equal);
  }

  template <class K>
  std::size_t index_of_record(const Record& key) const {
    auto below = [&](const Record& r) { return K::compare(r, key) < 0; };
    auto equal = [&](const Record& r) { return K::compare(r, key) == 0; };
    return search<K>(below, equal);
  }

  // Index of the first entry satisfying `equal`, entries_.size() when none.
  template <class K, class Below, class Equal>
  std::size_t search(Below below, Equal equal) const {
    if (ordered_by<K>()) {
      const auto it = std::partition_point(entries_.begin(), entries_.end(), below);
      return it != entries_.end() && equal(*it) ? static_cast<std::size_t>(it - entries_.begin())
                                                : entries_.size();
    }
    const auto it = std::find_if(entries_.begin(), entries_.end(), equal);
    return static_cast<std::size_t>(it - entries_.begin());
  }

  template <class K>
  std::size_t upper_bound(const Record& record) const {
    const auto it = std::partition_point(entries_.begin(), entries_.end(),
                                         [&](const Record& r) { return K::compare(r, record) <= 0; });
    return static_cast<std::size_t>(it - entries_.begin());
  }

  std::vector<Record> entries_;
  std::size_t current_ = 0;
  Compare order_ = nullptr;
  std::uint64_t generation_ = 0;
  mutable std::shared_mutex mutex_;
};

}  // namespace dane
