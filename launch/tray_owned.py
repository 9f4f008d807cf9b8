#!/usr/bin/env python3
"""Whether someone owns the notification area (the X tray selection) of a screen of $DISPLAY.

    tray_owned.py SCREEN    exit status 0: yes, 3: no, 2: X could not be asked
"""
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
d = x.XOpenDisplay(None)
if not d: sys.exit(2)
atom = x.XInternAtom(d, b"_NET_SYSTEM_TRAY_S" + sys.argv[1].encode(), 0)
sys.exit(0 if x.XGetSelectionOwner(d, atom) else 3)
