// CList: the framework's doubly linked list with POSITION iteration.
#pragma once

#include <cstddef>
#include <utility>

#include "afx.h"

struct __POSITION {};
typedef __POSITION* POSITION;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  CList() = default;
  explicit CList(INT_PTR /*nBlockSize*/) {}
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
  ~CList() { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { CheckNotEmpty(); return m_pNodeHead->data; }
  const TYPE& GetHead() const { CheckNotEmpty(); return m_pNodeHead->data; }
  TYPE& GetTail() { CheckNotEmpty(); return m_pNodeTail->data; }
  const TYPE& GetTail() const { CheckNotEmpty(); return m_pNodeTail->data; }

  TYPE RemoveHead() {
    CheckNotEmpty();
    CNode* p = m_pNodeHead;
    TYPE v = std::move(p->data);
    Unlink(p);
    return v;
  }
  TYPE RemoveTail() {
    CheckNotEmpty();
    CNode* p = m_pNodeTail;
    TYPE v = std::move(p->data);
    Unlink(p);
    return v;
  }

  POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
  void AddHead(CList* pNewList) {
    for (POSITION pos = pNewList->GetTailPosition(); pos != nullptr;) AddHead(pNewList->GetPrev(pos));
  }
  void AddTail(CList* pNewList) {
    for (POSITION pos = pNewList->GetHeadPosition(); pos != nullptr;) AddTail(pNewList->GetNext(pos));
  }

  void RemoveAll() {
    CNode* p = m_pNodeHead;
    while (p != nullptr) {
      CNode* next = p->pNext;
      delete p;
      p = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
  POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* p = Node(rPosition);
    rPosition = Pos(p->pNext);
    return p->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* p = Node(rPosition);
    rPosition = Pos(p->pNext);
    return p->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* p = Node(rPosition);
    rPosition = Pos(p->pPrev);
    return p->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* p = Node(rPosition);
    rPosition = Pos(p->pPrev);
    return p->data;
  }
  TYPE& GetAt(POSITION position) { return Node(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
  void RemoveAt(POSITION position) { Unlink(Node(position)); }

  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    CNode* after = position ? Node(position) : m_pNodeHead;
    CNode* p = new CNode{after, after ? after->pPrev : nullptr, TYPE(newElement)};
    if (after == nullptr) {
      m_pNodeHead = m_pNodeTail = p;
    } else {
      if (after->pPrev) after->pPrev->pNext = p; else m_pNodeHead = p;
      after->pPrev = p;
    }
    ++m_nCount;
    return Pos(p);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    CNode* before = position ? Node(position) : m_pNodeTail;
    CNode* p = new CNode{before ? before->pNext : nullptr, before, TYPE(newElement)};
    if (before == nullptr) {
      m_pNodeHead = m_pNodeTail = p;
    } else {
      if (before->pNext) before->pNext->pPrev = p; else m_pNodeTail = p;
      before->pNext = p;
    }
    ++m_nCount;
    return Pos(p);
  }

  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; p != nullptr; p = p->pNext)
      if (p->data == searchValue) return Pos(p);
    return nullptr;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* p = m_pNodeHead;
    while (nIndex-- > 0) p = p->pNext;
    return Pos(p);
  }

 private:
  static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
  static CNode* Node(POSITION pos) {
    if (pos == nullptr) AfxThrowInvalidArgException();
    return reinterpret_cast<CNode*>(pos);
  }
  void CheckNotEmpty() const {
    if (m_pNodeHead == nullptr) AfxThrowInvalidArgException();
  }
  void Unlink(CNode* p) {
    if (p->pPrev) p->pPrev->pNext = p->pNext; else m_pNodeHead = p->pNext;
    if (p->pNext) p->pNext->pPrev = p->pPrev; else m_pNodeTail = p->pPrev;
    delete p;
    --m_nCount;
  }

  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;
};
