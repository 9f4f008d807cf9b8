#include "toolkit/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  // Owned components go last-created first; each removes itself from this list on the way.
  while (!components_.empty()) delete components_.back();
  if (owner_) owner_->Remove(this);
}

void TComponent::Insert(TComponent* c) {
  components_.push_back(c);
  for (TComponent* other : components_)
    if (other != c) other->Notification(c, TOperation::opInsert);
}

void TComponent::Remove(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it == components_.end()) return;
  components_.erase(it);
  // A copy: a notified component may not add or remove siblings safely otherwise.
  const std::vector<TComponent*> others = components_;
  for (TComponent* other : others) other->Notification(c, TOperation::opRemove);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::LoadedAll() {
  for (TComponent* c : components_) c->LoadedAll();
  if (loading_) Loaded();
}
