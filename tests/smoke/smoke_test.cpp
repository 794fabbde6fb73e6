#include <gtest/gtest.h>
int pellanSmoke();
TEST(Smoke, Runs) { EXPECT_EQ(pellanSmoke(), 1); }
