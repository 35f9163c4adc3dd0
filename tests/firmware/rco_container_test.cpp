// placeholder, being written
#include <gtest/gtest.h>
TEST(Placeholder, Empty) {}
