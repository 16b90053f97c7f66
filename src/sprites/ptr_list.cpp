#include "sprites/ptr_list.h"

PtrList::~PtrList() { Clear(); }

void* PtrList::First() {
    cursor_ = head_;
    return cursor_ ? cursor_->item : nullptr;
}

void* PtrList::Next() {
    if (!cursor_ || !cursor_->next) return nullptr;
    cursor_ = cursor_->next;
    return cursor_->item;
}

void* PtrList::Current() const { return cursor_ ? cursor_->item : nullptr; }

void PtrList::PushFront(void* item) {
    Node* node = new Node{nullptr, head_, item};
    if (head_) head_->prev = node;
    else tail_ = node;
    head_ = node;
    cursor_ = node;
    ++size_;
}

void PtrList::PushBack(void* item) {
    Node* node = new Node{tail_, nullptr, item};
    if (tail_) tail_->next = node;
    else head_ = cursor_ = node;
    tail_ = node;
    ++size_;
}

PtrList::Node* PtrList::Find(const void* item) const {
    for (Node* n = head_; n; n = n->next)
        if (n->item == item) return n;
    return nullptr;
}

bool PtrList::Contains(const void* item) const { return Find(item) != nullptr; }

void PtrList::Unlink(Node* node) {
    if (cursor_ == node) cursor_ = node->next ? node->next : node->prev;
    if (node->prev) node->prev->next = node->next;
    else head_ = node->next;
    if (node->next) node->next->prev = node->prev;
    else tail_ = node->prev;
    delete node;
    --size_;
}

int PtrList::Remove(const void* item) {
    Node* node = Find(item);
    if (!node) return 0;
    // A cursor on another node stays where it is.
    Unlink(node);
    return 1;
}

void* PtrList::RemoveAtCursor() {
    if (!cursor_) return nullptr;
    void* item = cursor_->item;
    Unlink(cursor_);
    return item;
}

void* PtrList::PopFront() {
    if (!head_) return nullptr;
    void* item = head_->item;
    Node* node = head_;
    if (cursor_ == node) cursor_ = node->next;
    head_ = node->next;
    if (head_) head_->prev = nullptr;
    else tail_ = nullptr;
    delete node;
    --size_;
    return item;
}

int PtrList::SwapWithNext(const void* item) {
    Node* a = Find(item);
    if (!a || !a->next) return 0;
    Node* b = a->next;
    // a, b  ->  b, a
    Node* before = a->prev;
    Node* after = b->next;
    if (before) before->next = b;
    else head_ = b;
    if (after) after->prev = a;
    else tail_ = a;
    b->prev = before;
    b->next = a;
    a->prev = b;
    a->next = after;
    return 1;
}

void PtrList::Clear() {
    Node* n = head_;
    while (n) {
        Node* next = n->next;
        delete n;
        n = next;
    }
    head_ = tail_ = cursor_ = nullptr;
    size_ = 0;
}
