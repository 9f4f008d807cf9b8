#include "toolkit/win/IdleTask.h"

#include <utility>

#include "toolkit/win/Application.h"

TIdleTask::TIdleTask(TApplication* app, std::function<void()> work) : app_(app), work_(std::move(work)) {}

TIdleTask::~TIdleTask() {
  if (waiting_ && app_) app_->RemoveIdleTask(this);
}

void TIdleTask::Start() {
  if (waiting_) return;
  if (!app_) {
    if (work_) work_();
    return;
  }
  waiting_ = true;
  app_->AddIdleTask(this);
}

void TIdleTask::Run() {
  waiting_ = false;
  if (work_) work_();
}
