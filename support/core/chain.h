// Doubly linked list of element pointers with a built-in iteration cursor:
// the one collection type of both programs. A chain owns its nodes; it frees
// its elements only when told to, with clear_delete.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>

// How a chain compares and frees elements of type T. An element type that is
// searched (find, remove) or emptied with clear_delete specialises this
// template next to its own definition, providing
//     static bool equal(const T* element, const T* key);
//     static void destroy(T* element);
// The primary template frees with delete and has no equal(), so calling find
// or remove on a type without a specialisation fails to compile.
template <typename T>
struct chain_traits {
  static void destroy(T* element) { delete element; }
};

// Plain strings (command-line pieces, output lines): new char[] arrays.
// No caller searches them; byte equality is the natural meaning if one does.
template <>
struct chain_traits<char> {
  static bool equal(const char* element, const char* key) { return std::strcmp(element, key) == 0; }
  static void destroy(char* element) { delete[] element; }
};

template <typename T>
struct chnode {
  chnode* prev;  // null at the head
  chnode* next;  // null at the tail
  T* item;
};

template <typename T>
struct chain {
  std::int32_t count = 0;
  // 1 forward, -1 backward, 0 idle. Callers may set it directly before
  // seek/next to step from a known element to its neighbour.
  std::int8_t direction = 0;
  chnode<T>* head = nullptr;
  chnode<T>* tail = nullptr;
  // Node whose element the walk returned last. While walking, null means
  // "before the first node in the walk direction": that is where a walk
  // stands after its current element was removed from the head end.
  chnode<T>* cursor = nullptr;

  chain() = default;
  chain(const chain&) = delete;
  chain& operator=(const chain&) = delete;
  ~chain() { clear(); }

  // Both return the element, or null (and add nothing) when it is null or
  // no node can be allocated; the caller then still owns the element.
  T* append(T* element) {
    if (!element) return nullptr;
    chnode<T>* node = new (std::nothrow) chnode<T>{tail, nullptr, element};
    if (!node) return nullptr;
    if (tail)
      tail->next = node;
    else
      head = node;
    tail = node;
    ++count;
    return element;
  }

  T* prepend(T* element) {
    if (!element) return nullptr;
    chnode<T>* node = new (std::nothrow) chnode<T>{nullptr, head, element};
    if (!node) return nullptr;
    if (head)
      head->prev = node;
    else
      tail = node;
    head = node;
    ++count;
    return element;
  }

  // First element equal to key, or null. Does not move the cursor.
  T* find(const T* key) const {
    chnode<T>* node = find_node(key);
    return node ? node->item : nullptr;
  }

  // Unlinks the first element equal to key and returns it (not freed).
  T* remove(const T* key) {
    chnode<T>* node = find_node(key);
    return node ? unlink(node) : nullptr;
  }

  T* first() {
    if (!head) return nullptr;
    direction = 1;
    cursor = head;
    return head->item;
  }

  T* last() {
    if (!tail) return nullptr;
    direction = -1;
    cursor = tail;
    return tail->item;
  }

  // Next element in the walk direction; idle starts a forward walk. At the
  // end the cursor stays put, so further calls keep returning null.
  T* next() {
    if (direction == 0) return first();
    chnode<T>* candidate;
    if (cursor)
      candidate = direction > 0 ? cursor->next : cursor->prev;
    else
      candidate = direction > 0 ? head : tail;
    if (!candidate) return nullptr;
    cursor = candidate;
    return candidate->item;
  }

  // With an element: puts the cursor on the node holding that very pointer
  // (identity, not equality); the cursor stays if none does. With null:
  // cursor to the head when walking forward, to the tail when backward; an
  // idle chain has no walk to place, so nothing changes and null comes back.
  // Returns the element under the cursor afterwards.
  T* seek(const T* element) {
    if (count == 0) return nullptr;
    if (element) {
      for (chnode<T>* node = head; node; node = node->next) {
        if (node->item == element) {
          cursor = node;
          break;
        }
      }
    } else if (direction > 0) {
      cursor = head;
    } else if (direction < 0) {
      cursor = tail;
    } else {
      return nullptr;
    }
    return cursor ? cursor->item : nullptr;
  }

  // Element at a 0-based position; null when the position is out of range.
  T* nth(std::int32_t position) const {
    if (position < 0 || position >= count) return nullptr;
    chnode<T>* node = head;
    while (position-- > 0) node = node->next;
    return node->item;
  }

  // Unlinks the head and returns its element (not freed); null when empty.
  T* pop_first() { return head ? unlink(head) : nullptr; }

  // New array of count element pointers, head first; the caller delete[]s
  // it. Null when empty (nothing allocated) or out of memory.
  T** to_array() const {
    if (count == 0) return nullptr;
    T** array = new (std::nothrow) T*[count];
    if (!array) return nullptr;
    std::int32_t i = 0;
    for (chnode<T>* node = head; node; node = node->next) array[i++] = node->item;
    return array;
  }

  // Frees every node; the elements are left to their owner.
  void clear() { free_nodes(false); }

  // Frees every element (by its chain_traits) and every node.
  void clear_delete() { free_nodes(true); }

 private:
  chnode<T>* find_node(const T* key) const {
    for (chnode<T>* node = head; node; node = node->next) {
      if (chain_traits<T>::equal(node->item, key)) return node;
    }
    return nullptr;
  }

  T* unlink(chnode<T>* node) {
    // Removing the current element of a walk must not leave the cursor
    // on a freed node: step it back against the walk so that the next
    // call to next() yields the element that followed the removed one.
    if (node == cursor) cursor = direction < 0 ? node->next : node->prev;
    if (node->prev)
      node->prev->next = node->next;
    else
      head = node->next;
    if (node->next)
      node->next->prev = node->prev;
    else
      tail = node->prev;
    T* element = node->item;
    delete node;
    if (--count == 0) {
      direction = 0;
      cursor = nullptr;
    }
    return element;
  }

  void free_nodes(bool with_elements) {
    chnode<T>* node = head;
    while (node) {
      chnode<T>* following = node->next;
      if (with_elements) chain_traits<T>::destroy(node->item);
      delete node;
      node = following;
    }
    head = tail = cursor = nullptr;
    count = 0;
    direction = 0;
  }
};
