/* The least any full-screen X client can do about a key: map a window over
 * the whole screen, take the keyboard, and end the process at the first
 * key press, freeing nothing. bench/latency.sh times it beside the saver, so
 * that what the host itself costs (starting xdotool, delivering the key,
 * ending a process) is measured apart from what the saver adds.
 *   cc -O2 -o key-floor bench/key-floor.c -lX11 */
#include <X11/Xlib.h>
#include <stdio.h>
#include <unistd.h>

int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "key-floor: cannot open the display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes;
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = KeyPressMask | StructureNotifyMask;
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, (unsigned)DisplayWidth(display, screen),
                    (unsigned)DisplayHeight(display, screen), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  /* xdotool search --pid finds windows by this property. */
  const long pid = (long)getpid();
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XInternAtom(display, "CARDINAL", False),
                  32, PropModeReplace, (const unsigned char*)&pid, 1);
  XMapRaised(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) XSetInputFocus(display, window, RevertToParent, CurrentTime);
    if (event.type == KeyPress) _exit(0);
  }
}
