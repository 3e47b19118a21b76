#!/usr/bin/python3
"""Asks X windows to close the way a window manager's close box does.

Without a window manager nobody turns a click into the WM_DELETE_WINDOW
message, and `xdotool windowclose` destroys the window behind the toolkit's
back instead. This sends that message itself, so the application runs its
ordinary close handling.

Usage: close_box.py <window-id>...   (decimal or 0x hex, on $DISPLAY)
Exit status 0 when every window was sent the message, 1 when a window does
not take part in the protocol, 2 on a usage or connection error.
"""
import sys

from Xlib import X, display, error, protocol


def main(args):
    if not args:
        print("usage: close_box.py <window-id>...", file=sys.stderr)
        return 2
    try:
        conn = display.Display()
    except Exception as e:  # the X server is gone or refuses us
        print(f"close_box: cannot open the display: {e}", file=sys.stderr)
        return 2
    wm_protocols = conn.intern_atom("WM_PROTOCOLS")
    wm_delete = conn.intern_atom("WM_DELETE_WINDOW")
    status = 0
    for arg in args:
        window = conn.create_resource_object("window", int(arg, 0))
        try:
            protocols = window.get_wm_protocols() or []
        except error.BadWindow:
            print(f"close_box: no window {arg}", file=sys.stderr)
            status = 1
            continue
        if wm_delete not in protocols:
            print(f"close_box: window {arg} does not take WM_DELETE_WINDOW", file=sys.stderr)
            status = 1
            continue
        message = protocol.event.ClientMessage(
            window=window, client_type=wm_protocols, data=(32, [wm_delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
    conn.sync()
    conn.close()
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
