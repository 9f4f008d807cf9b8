// Ownership and removal notifications of the component model.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "toolkit/Component.h"

namespace {

std::vector<std::string> journal;
// Tags by address: a removal is announced after the removed object's own destructor has run,
// so listeners may only compare the pointer, never read the object.
std::map<const TComponent*, std::string> tags;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string tag) : TComponent(owner), tag_(std::move(tag)) { tags[this] = tag_; }
  ~Probe() override { journal.push_back("destroy " + tag_); }
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove) journal.push_back(tag_ + " hears removal of " + tags[c]);
  }
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back("loaded " + tag_);
  }
  std::string tag_;
};

TEST(ComponentTest, OwnerDestroysOwnedLastCreatedFirstAndSiblingsHearEachRemoval) {
  journal.clear();
  auto* form = new Probe(nullptr, "form");
  new Probe(form, "a");
  new Probe(form, "b");
  auto* c = new Probe(form, "c");
  new Probe(c, "c1");
  ASSERT_EQ(form->ComponentCount(), 3);
  delete form;
  const std::vector<std::string> expected = {
      "destroy form", "destroy c", "destroy c1", "a hears removal of c", "b hears removal of c",
      "destroy b", "a hears removal of b", "destroy a"};
  EXPECT_EQ(journal, expected);
}

TEST(ComponentTest, DeletingOneComponentDetachesItFromItsOwner) {
  journal.clear();
  Probe form(nullptr, "form");
  auto* a = new Probe(&form, "a");
  new Probe(&form, "b");
  delete a;
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(journal, (std::vector<std::string>{"destroy a", "b hears removal of a"}));
}

TEST(ComponentTest, LoadedRunsOnceForEveryComponentAfterItsChildren) {
  journal.clear();
  Probe form(nullptr, "form");
  auto* a = new Probe(&form, "a");
  new Probe(a, "a1");
  form.LoadedAll();
  form.LoadedAll();
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded a1", "loaded a", "loaded form"}));
  EXPECT_FALSE(form.IsLoading());
}

}  // namespace
