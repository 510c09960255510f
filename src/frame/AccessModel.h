// What the controls tell screen readers and UI-automation tools, apart from
// any window: the numbers Active Accessibility gives roles, states and
// navigation directions, and a chart as a reader walks it (a name, a
// description and one simple child per item, ids 1 to n). The Windows side,
// AccessAnswer_win.h, hands these answers out through IAccessible.
#pragma once

#include <afx.h>

#include <vector>

#include "qor032api.h"

namespace qor {
namespace access {

// Roles, as oleacc.h numbers them (ROLE_SYSTEM_...).
constexpr long kRoleChart = 17;
constexpr long kRoleListItem = 34;
constexpr long kRolePushButton = 43;
constexpr long kRoleCheckButton = 44;
constexpr long kRoleRadioButton = 45;
constexpr long kRoleProgressBar = 48;

// State bits (STATE_SYSTEM_...).
constexpr unsigned long kStateUnavailable = 0x1;
constexpr unsigned long kStateFocused = 0x4;
constexpr unsigned long kStatePressed = 0x8;
constexpr unsigned long kStateChecked = 0x10;
constexpr unsigned long kStateReadOnly = 0x40;
constexpr unsigned long kStateHotTracked = 0x80;
constexpr unsigned long kStateFocusable = 0x100000;

// Navigation directions (NAVDIR_...).
enum NavDir : long {
  kNavUp = 1,
  kNavDown = 2,
  kNavLeft = 3,
  kNavRight = 4,
  kNavNext = 5,
  kNavPrevious = 6,
  kNavFirstChild = 7,
  kNavLastChild = 8,
};

// Child id 0 is the control itself.
constexpr long kSelf = 0;
// NavigateItems: the move leaves the items for the window's own siblings,
// which the system's object for the window answers.
constexpr long kNavToSystem = -1;

// One simple child of a control: what a reader says for it.
struct QOR032_API AccessItem {
  CString strName;
  CString strValue;
};

struct QOR032_API ChartModel {
  CString strName;
  CString strDescription;
  std::vector<AccessItem> arrayItems;

  // The item of child nChild (1 to n); null for the chart itself and for an
  // id out of range.
  const AccessItem* Item(long nChild) const;
};

// Where a move in direction nDir from nStart ends among nCount items: from
// the control, the first or last item (kNavToSystem for every other
// direction); from an item, the next or previous one. kSelf when nothing
// lies that way (an item has no children and no neighbours on screen that a
// reader could rely on).
QOR032_API long NavigateItems(long nDir, long nStart, long nCount);

// The label, or "<kind> <number>" for an item whose label is empty, so that
// every item has something to say.
QOR032_API CString ItemName(const CString& strLabel, const char* pszKind, size_t nNumber);

}  // namespace access
}  // namespace qor
