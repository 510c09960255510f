// LoadAniCursor: an animated cursor from this program's resources, and null
// for a missing, empty or damaged resource.
#include <gtest/gtest.h>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"

namespace {

TEST(LoadAniCursor, MakesACursorFromTheResource) {
  HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  HICON hCursor = GraphicsUtils::LoadAniCursor(100, hInstance);
  ASSERT_NE(hCursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(hCursor, &info));
  EXPECT_FALSE(info.fIcon);  // a cursor, with the hot spot of the file
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 7u);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  ::DestroyCursor(hCursor);

  // The identifier is a 16-bit resource name.
  HICON hSame = GraphicsUtils::LoadAniCursor(0x10000u + 100, hInstance);
  EXPECT_NE(hSame, nullptr);
  if (hSame) ::DestroyCursor(hSame);
}

TEST(LoadAniCursor, NullForEveryFailedStep) {
  HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  EXPECT_EQ(GraphicsUtils::LoadAniCursor(999, hInstance), nullptr);  // absent
  HRSRC hEmpty = ::FindResourceA(hInstance, MAKEINTRESOURCEA(101), "ANICURSORS");
  ASSERT_NE(hEmpty, nullptr);
  EXPECT_EQ(::SizeofResource(hInstance, hEmpty), 0u);
  EXPECT_EQ(GraphicsUtils::LoadAniCursor(101, hInstance), nullptr);  // size 0
  EXPECT_EQ(GraphicsUtils::LoadAniCursor(102, hInstance), nullptr);  // not a cursor
  // Another module does not have this program's resources.
  EXPECT_EQ(GraphicsUtils::LoadAniCursor(100, ::GetModuleHandleA("qor032.dll")), nullptr);
}

}  // namespace
