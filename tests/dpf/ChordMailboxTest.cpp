// The chord name's lock-free way from the run thread to a window: the latest name whole, its
// number, and long names cut, not overrun.
#include <gtest/gtest.h>

#include <string>

#include "ChordMailbox.h"

namespace {

TEST(ChordMailbox, ReadsTheLatestNameWhole) {
    ChordMailbox box;
    EXPECT_EQ(box.Read()->number, 0u);
    box.Put("C Maj Root");
    box.Put("A Min 1st inversion");
    EXPECT_EQ(box.Read()->text, "A Min 1st inversion");
    EXPECT_EQ(box.Number(), 2u);
    box.Put(std::string(200, 'x'));
    EXPECT_EQ(box.Read()->text, std::string(ChordMailbox::kCapacity - 1, 'x'));
}

}  // namespace
