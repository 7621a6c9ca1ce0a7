// Ownership of components: an owner frees what it owns exactly once, also when an owned
// component was freed first.
#include <gtest/gtest.h>

#include <vector>

#include "base/Component.h"

namespace tarn {
namespace {

struct Logged : TComponent {
  Logged(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TComponent(owner), log(log) {
    SetName(std::move(name));
  }
  ~Logged() override { log->push_back(Name()); }
  std::vector<std::string>* log;
};

TEST(ComponentTest, OwnerFreesOwnedOnceInReverseOrder) {
  std::vector<std::string> log;
  auto* owner = new Logged(nullptr, &log, "owner");
  auto* a = new Logged(owner, &log, "a");
  new Logged(owner, &log, "b");
  auto* c = new Logged(owner, &log, "c");
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->FindComponent("B")->Name(), "b");
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  delete a;  // leaves the owner's list
  EXPECT_EQ(owner->ComponentCount(), 2);
  c->SetOwner(nullptr);
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"a", "owner", "b"}));
  delete c;
}

}  // namespace
}  // namespace tarn
