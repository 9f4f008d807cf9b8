// The component model: an owner destroys what it owns (last created first); removing a
// component tells the owner's other components (Notification); Loaded runs once a form has
// set every property of its components.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Types.h"

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int i) const { return components_.at(i); }

  // Called by forms after all their components' properties are set; calls Loaded on each.
  void LoadedAll();
  bool IsLoading() const { return loading_; }
  bool IsDestroying() const { return destroying_; }

  // Told when another component of the same owner is inserted or removed.
  virtual void Notification(TComponent* component, TOperation operation);

 protected:
  virtual void Loaded() { loading_ = false; }

 private:
  void Insert(TComponent* c);
  void Remove(TComponent* c);

  TComponent* owner_;            // not owned
  std::vector<TComponent*> components_;  // owned, in creation order
  std::string name_;
  bool loading_ = true;
  bool destroying_ = false;
};
