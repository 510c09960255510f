#include "BkgStyle.h"

#include <new>

#include "SerializeData.h"

namespace {
// Version of the archive record written by Serialize; version 1 differs only
// in the form of its entry counter.
const WORD kBkgStyleVersion = 2;
}  // namespace

struct BkgStyle::State {
  ComponentMap m_mapDefault;
  ComponentMap m_mapUser;

  ~State() {
    for (auto& entry : m_mapDefault) delete entry.second;
    for (auto& entry : m_mapUser) delete entry.second;
  }
};

BkgStyle* BkgStyle::m_pInstance = nullptr;

BkgStyle::BkgStyle() : m_pState(new (std::nothrow) State) {}

BkgStyle::~BkgStyle() { delete m_pState; }

BkgStyle* BkgStyle::GetInstance() {
  if (m_pInstance == nullptr) m_pInstance = new (std::nothrow) BkgStyle;
  return m_pInstance;
}

void BkgStyle::DeleteInstance() {
  delete m_pInstance;
  m_pInstance = nullptr;
}

bool BkgStyle::Owns(const ShadeProps* pProps) const {
  for (const ComponentMap* pMap : {&m_pState->m_mapDefault, &m_pState->m_mapUser}) {
    for (const auto& entry : *pMap) {
      if (entry.second == pProps) return true;
    }
  }
  return false;
}

void BkgStyle::Set(ComponentMap& map, UIComponent eComponent, ShadeProps* pProps) {
  auto it = map.find(eComponent);
  if (it != map.end()) {
    ShadeProps* pRecord = it->second;
    if (pProps == nullptr) {
      // The caller takes the record back; it may still hold it from Get.
      map.erase(it);
      return;
    }
    if (pProps == pRecord) return;
    *pRecord = *pProps;
    if (!Owns(pProps)) delete pProps;
    return;
  }
  // A record-less entry would be archived as a bare component number, which a
  // load cannot tell from the next entry; such entries are not made.
  if (pProps == nullptr) return;
  // Two entries sharing one record would release it twice.
  map[eComponent] = Owns(pProps) ? new ShadeProps(*pProps) : pProps;
}

void BkgStyle::SetDefault(UIComponent eComponent, ShadeProps* pProps) {
  if (m_pState != nullptr) Set(m_pState->m_mapDefault, eComponent, pProps);
}

void BkgStyle::SetUser(UIComponent eComponent, ShadeProps* pProps) {
  if (m_pState != nullptr) Set(m_pState->m_mapUser, eComponent, pProps);
}

namespace {
ShadeProps* Find(const std::map<BkgStyle::UIComponent, ShadeProps*>& map, BkgStyle::UIComponent eComponent) {
  auto it = map.find(eComponent);
  return it != map.end() ? it->second : nullptr;
}
}  // namespace

void BkgStyle::GetDefault(UIComponent eComponent, ShadeProps*& pProps) const {
  if (m_pState != nullptr) pProps = Find(m_pState->m_mapDefault, eComponent);
}

void BkgStyle::Get(UIComponent eComponent, ShadeProps*& pProps) const {
  if (m_pState != nullptr) pProps = Find(m_pState->m_mapUser, eComponent);
}

void BkgStyle::CopyDefaultToUser() {
  if (m_pState == nullptr) return;
  for (auto& entry : m_pState->m_mapUser) delete entry.second;
  m_pState->m_mapUser.clear();
  for (const auto& entry : m_pState->m_mapDefault) {
    if (entry.second != nullptr) m_pState->m_mapUser[entry.first] = new ShadeProps(*entry.second);
  }
}

void BkgStyle::GetIDs(std::vector<UIComponent>& arrayIDs) const {
  if (m_pState == nullptr) return;
  for (const auto& entry : m_pState->m_mapUser) arrayIDs.push_back(entry.first);
}

void BkgStyle::Serialize(CArchive& ar) {
  if (m_pState == nullptr) return;
  ComponentMap& mapUser = m_pState->m_mapUser;
  if (ar.IsStoring()) {
    ar << kBkgStyleVersion;
    SerializeData::SerializeLoopCounter(ar, mapUser.size(), false);
    for (auto& entry : mapUser) {
      ar << static_cast<LONG>(entry.first);
      if (entry.second != nullptr) entry.second->Serialize(ar);
    }
    return;
  }
  WORD nVersion = 0;
  ar >> nVersion;
  const unsigned __int64 nCount = SerializeData::SerializeLoopCounter(ar, 0, nVersion == 1);
  // No allocation depends on the count: a count larger than the archive runs
  // into its end and raises the end-of-file exception there.
  for (unsigned __int64 i = 0; i < nCount; ++i) {
    LONG nComponent = 0;
    ar >> nComponent;
    auto it = mapUser.find(static_cast<UIComponent>(nComponent));
    if (it != mapUser.end() && it->second != nullptr) {
      it->second->Serialize(ar);
    } else {
      ShadeProps discarded;
      discarded.Serialize(ar);
    }
  }
}
