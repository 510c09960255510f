// The umbrella header compiles on its own and brings the exported classes.
#include "qor032.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(UmbrellaHeaderTest, DeclaresTheExportedClasses) {
  EXPECT_TRUE(std::is_class_v<ShadeProps>);
  EXPECT_TRUE(std::is_class_v<BkgStyle>);
  EXPECT_TRUE(std::is_class_v<FontDefMgr>);
  EXPECT_EQ(GraphicsUtils::AdjustColor(0x808080, 0.5), 0x404040u);
}
