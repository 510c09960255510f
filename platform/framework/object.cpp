// Run-time class information and the CObject root.
#include <cstring>

#include "afx.h"

const CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return pClass != nullptr && GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const {
  if (m_pfnCreateObject == nullptr) return nullptr;
  return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  // Classes are compared by identity first and by name second: a class object
  // seen through two modules' import tables is still the same class.
  for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
    if (p == pBaseClass) return true;
    if (pBaseClass != nullptr && p->m_lpszClassName != nullptr && pBaseClass->m_lpszClassName != nullptr &&
        std::strcmp(p->m_lpszClassName, pBaseClass->m_lpszClassName) == 0)
      return true;
  }
  return false;
}
