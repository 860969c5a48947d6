#include "app/run_window_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kinoha {
namespace {

TEST(RunWindowLayout, TheBottomRowFollowsTheHeight) {
    const RunWindowLayout l = RunWindowLayoutForHeight(4815);
    EXPECT_EQ(std::make_tuple(l.statusTop, l.buttonsTop, l.listHeight),
              std::make_tuple(4148, 3540, 3040));
    EXPECT_TRUE(l.listFits);
    EXPECT_FALSE(RunWindowLayoutForHeight(1000).listFits);
}

}  // namespace
}  // namespace kinoha
