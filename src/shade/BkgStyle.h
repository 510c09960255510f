// BkgStyle: the process-wide registry of background styles. For each UI
// component of a host it keeps a default ShadeProps record, registered by the
// host on every run, and a user record, the one the host paints with; only
// the user records are stored in the host's documents.
//
// The registry owns every record in it. SetDefault and SetUser take over the
// record they are given; Get and GetDefault lend the registry's own record,
// which the caller may change in place but must not release.
#pragma once

#include <map>
#include <vector>

#include <afx.h>

#include "ShadeProps.h"
#include "qor032api.h"

class QOR032_API BkgStyle {
 public:
  // The host's UI components. To the registry a component is an opaque signed
  // 32-bit key; hosts define their own values and pass them cast to this type.
  enum UIComponent : int {};

  // The registry, created empty on first use; null if it cannot be allocated.
  static BkgStyle* GetInstance();
  // Destroys the registry and every record it owns; the next GetInstance
  // starts a fresh, empty one. The module calls this when it unloads.
  static void DeleteInstance();

  // Sets the component's record, taking ownership of pProps:
  // - with an entry and pProps not null, the entry's record takes pProps's
  //   values (keeping its name if it has one) and pProps is released, so a
  //   record lent by Get stays valid;
  // - with an entry and pProps null, the entry is removed and its record is
  //   handed back to the caller (who holds it from Get), not released;
  // - without an entry, pProps becomes the entry; a null pProps adds nothing.
  // A record the registry already owns is never released through these calls:
  // passing a component's own record changes nothing, and another entry's
  // record is copied from.
  void SetDefault(UIComponent eComponent, ShadeProps* pProps);
  void SetUser(UIComponent eComponent, ShadeProps* pProps);

  // The component's record, or null when it has none.
  void GetDefault(UIComponent eComponent, ShadeProps*& pProps) const;
  void Get(UIComponent eComponent, ShadeProps*& pProps) const;

  // Replaces every user record by a copy of the component's default.
  void CopyDefaultToUser();
  // Appends the components that have a user record, in ascending order.
  void GetIDs(std::vector<UIComponent>& arrayIDs) const;

  // Record version 2: the user records. Loading changes only the records the
  // registry already has, and skips components it does not know.
  void Serialize(CArchive& ar);

 protected:
  BkgStyle();
  virtual ~BkgStyle();
  BkgStyle(const BkgStyle&) = delete;
  BkgStyle& operator=(const BkgStyle&) = delete;

  static BkgStyle* m_pInstance;

 private:
  struct State;
  typedef std::map<UIComponent, ShadeProps*> ComponentMap;

  void Set(ComponentMap& map, UIComponent eComponent, ShadeProps* pProps);
  bool Owns(const ShadeProps* pProps) const;

  State* m_pState;
};
