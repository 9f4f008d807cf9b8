// Hooks on a window's messages, made with the window's own procedure slot rather than the
// common-controls library (which would cost every start its load). A hook sees each message
// before the hooks added earlier and the window's own procedure, and passes it on with
// CallNextWindowHook or answers it itself. Hooks come off in any order, even inside their own
// call, and the chain stays whole; the window gets its procedure back when the last one goes,
// unless someone has put another over ours since. After WM_NCDESTROY has been through the whole
// chain, every hook is off. For windows of this process, on the user-interface thread.
#pragma once
#include <windows.h>

using WindowHookProc = LRESULT(CALLBACK*)(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

// Adds the hook named by proc and id, or gives the one already on its new data. False for a
// window that is not this process's, or one being destroyed.
bool AddWindowHook(HWND window, WindowHookProc proc, UINT_PTR id, DWORD_PTR data);

// Takes the hook off; false when it was not on.
bool RemoveWindowHook(HWND window, WindowHookProc proc, UINT_PTR id);

// From inside a hook: the message goes on to the next hook, or to the window's own procedure.
// Outside any hook's call it goes straight to the window's own procedure.
LRESULT CallNextWindowHook(HWND window, UINT msg, WPARAM wp, LPARAM lp);
