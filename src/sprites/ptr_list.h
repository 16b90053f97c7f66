#pragma once
// A doubly linked list of untyped pointers with one built-in iteration cursor,
// shared by the sprite world and the audio code. Removing the node under the
// cursor moves the cursor to the following node (or the preceding one at the
// tail), so a walk can delete as it goes.
#include <cstddef>

class PtrList {
public:
    PtrList() = default;
    ~PtrList();
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;

    // Cursor to the head; its item, or null when the list is empty.
    void* First();
    // Cursor on by one; its item, or null at the end (the cursor stays put).
    void* Next();
    // The item under the cursor, or null.
    void* Current() const;
    // The new node becomes head and cursor.
    void PushFront(void* item);
    // The cursor moves only when the list was empty.
    void PushBack(void* item);
    bool Contains(const void* item) const;
    // Removes the first node holding item; returns 1, or 0 when absent. The
    // cursor moves as for RemoveAtCursor only when it was on that node.
    int Remove(const void* item);
    // Removes the node under the cursor; returns its item or null.
    void* RemoveAtCursor();
    // Removes the head; returns its item or null when empty.
    void* PopFront();
    // Exchanges the node holding item with its successor; 0 when item is
    // absent or last. The cursor stays on its node.
    int SwapWithNext(const void* item);
    void Clear();
    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // Typed conveniences for callers that keep one kind of pointer.
    template <class T> T* FirstAs() { return static_cast<T*>(First()); }
    template <class T> T* NextAs() { return static_cast<T*>(Next()); }

private:
    struct Node {
        Node* prev = nullptr;
        Node* next = nullptr;
        void* item = nullptr;
    };
    Node* Find(const void* item) const;
    void Unlink(Node* node);

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    Node* cursor_ = nullptr;
    size_t size_ = 0;
};
