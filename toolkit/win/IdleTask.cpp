#include "toolkit/win/IdleTask.h"

#include <utility>

#include "toolkit/win/Application.h"

TIdleTask::TIdleTask(std::function<void()> work) : work_(std::move(work)) {}

TIdleTask::~TIdleTask() {
  if (waiting_ && Application) Application->RemoveIdleTask(this);
}

void TIdleTask::Start() {
  if (waiting_) return;
  if (!Application) {
    if (work_) work_();
    return;
  }
  waiting_ = true;
  Application->AddIdleTask(this);
}

void TIdleTask::Run() {
  waiting_ = false;
  if (work_) work_();
}
