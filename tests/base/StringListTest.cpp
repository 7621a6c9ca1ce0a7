// String lists carry listings and multi-line texts; lost lines or leaked objects show up far away.
#include <gtest/gtest.h>

#include "base/StringList.h"

namespace tarn {
namespace {

struct Tracked : TObject {
  explicit Tracked(int* alive) : alive(alive) { ++*alive; }
  ~Tracked() override { --*alive; }
  int* alive;
};

TEST(StringListTest, SetTextSplitsEveryLineEnding) {
  TStringList list;
  list.SetText("a\r\nb\n\nc\rd\r\n");
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Strings(0), "a");
  EXPECT_EQ(list.Strings(1), "b");
  EXPECT_EQ(list.Strings(2), "");
  EXPECT_EQ(list.Strings(3), "c");
  EXPECT_EQ(list.Strings(4), "d");
  EXPECT_EQ(list.Text(), "a\r\nb\r\n\r\nc\r\nd\r\n");
  list.SetText("\n\n");
  EXPECT_EQ(list.Count(), 2);
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringListTest, OwnsObjectsAndFindsWithoutCase) {
  int alive = 0;
  {
    TStringList list;
    list.AddObject("One", std::make_unique<Tracked>(&alive));
    list.AddObject("Two", std::make_unique<Tracked>(&alive));
    list.Insert(0, "zero");
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(list.IndexOf("TWO"), 2);
    EXPECT_EQ(list.IndexOf("three"), -1);
    EXPECT_EQ(list.Objects(0), nullptr);
    list.Delete(1);
    EXPECT_EQ(alive, 1);
    EXPECT_THROW(list.Delete(5), std::exception);
  }
  EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace tarn
