#include "toolkit/win/WindowHooks.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

struct Hook {
  WindowHookProc proc;
  UINT_PTR id;
  DWORD_PTR data;
  bool on;  // a hook taken off during a call keeps its place until the call is over
};

struct Chain {
  WNDPROC own = nullptr;     // the window's procedure before the first hook
  std::vector<Hook> hooks;   // called from the back: the newest first
  int calls = 0;             // messages of this window on their way down now
  bool destroyed = false;
};

// One message on its way down a chain; the innermost is the one a hook's CallNext belongs to,
// since messages nest strictly on the one thread.
struct Call {
  HWND window;
  Chain* chain;
  size_t next;  // hooks below this index are still to come
  Call* outer;
};

Call* innermost = nullptr;

// Owned here. Looked up in the process only: a window property would cost a trip to the
// window server on every message.
std::unordered_map<HWND, std::unique_ptr<Chain>>& Chains() {
  static auto* chains = new std::unordered_map<HWND, std::unique_ptr<Chain>>;
  return *chains;
}

Chain* ChainOf(HWND window) {
  const auto it = Chains().find(window);
  return it == Chains().end() ? nullptr : it->second.get();
}

LRESULT CALLBACK HookedWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

// Between calls: drops the hooks taken off, and lets go of the window once none is left.
void Tidy(HWND window, Chain* chain) {
  if (chain->calls > 0) return;
  auto& hooks = chain->hooks;
  hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [](const Hook& h) { return !h.on; }), hooks.end());
  if (!chain->destroyed) {
    if (!hooks.empty()) return;
    // Someone else's procedure over ours still calls ours: the chain stays, empty, passing on.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != HookedWindowProc) return;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->own));
  }
  Chains().erase(window);
}

LRESULT PassOn(Call& call, UINT msg, WPARAM wp, LPARAM lp) {
  while (call.next > 0) {
    const Hook hook = call.chain->hooks[--call.next];  // a copy: a hook may add hooks
    if (hook.on) return hook.proc(call.window, msg, wp, lp, hook.id, hook.data);
  }
  return CallWindowProcW(call.chain->own, call.window, msg, wp, lp);
}

LRESULT CALLBACK HookedWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, msg, wp, lp);
  Call call{window, chain, chain->hooks.size(), innermost};
  innermost = &call;
  ++chain->calls;
  const LRESULT result = PassOn(call, msg, wp, lp);
  --chain->calls;
  innermost = call.outer;
  if (msg == WM_NCDESTROY) chain->destroyed = true;
  Tidy(window, chain);
  return result;
}

bool OurProcess(HWND window) {
  DWORD process = 0;
  return GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

}  // namespace

bool AddWindowHook(HWND window, WindowHookProc proc, UINT_PTR id, DWORD_PTR data) {
  if (!proc || !window || !OurProcess(window)) return false;
  Chain* chain = ChainOf(window);
  if (!chain) {
    auto made = std::make_unique<Chain>();
    made->own = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookedWindowProc)));
    if (!made->own) return false;
    chain = made.get();
    Chains().emplace(window, std::move(made));
  }
  if (chain->destroyed) return false;
  for (Hook& h : chain->hooks) {
    if (h.on && h.proc == proc && h.id == id) {
      h.data = data;
      return true;
    }
  }
  chain->hooks.push_back({proc, id, data, true});
  return true;
}

bool RemoveWindowHook(HWND window, WindowHookProc proc, UINT_PTR id) {
  Chain* chain = ChainOf(window);
  if (!chain) return false;
  for (Hook& h : chain->hooks) {
    if (h.on && h.proc == proc && h.id == id) {
      h.on = false;
      Tidy(window, chain);
      return true;
    }
  }
  return false;
}

LRESULT CallNextWindowHook(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  for (Call* call = innermost; call; call = call->outer) {
    if (call->window != window) continue;
    const size_t from = call->next;
    const LRESULT result = PassOn(*call, msg, wp, lp);
    call->next = from;  // a hook may pass the same message on twice
    return result;
  }
  if (Chain* chain = ChainOf(window)) return CallWindowProcW(chain->own, window, msg, wp, lp);
  return CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), window, msg, wp, lp);
}
