/* A window owned by another program, as XScreenSaver would hand one to its
 * hacks: creates and maps a window, prints its id in hex, then reads lines
 * from standard input: "resize W H" resizes it, "focus" takes the keyboard
 * focus, "quit" (or end of input) ends. Used by scripts/test-e2e.
 *   xwindow-helper X Y W H */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: xwindow-helper X Y W H\n");
    return 2;
  }
  Display* d = XOpenDisplay(NULL);
  if (d == NULL) {
    fprintf(stderr, "xwindow-helper: no display\n");
    return 1;
  }
  const int x = atoi(argv[1]), y = atoi(argv[2]);
  const unsigned w = (unsigned)atoi(argv[3]), h = (unsigned)atoi(argv[4]);
  XSetWindowAttributes a;
  memset(&a, 0, sizeof a);
  a.background_pixel = BlackPixel(d, DefaultScreen(d));
  a.override_redirect = True; /* placed where asked, with or without a window manager */
  a.event_mask = ButtonPressMask | KeyPressMask | StructureNotifyMask;
  const Window win = XCreateWindow(d, DefaultRootWindow(d), x, y, w, h, 0, CopyFromParent, InputOutput,
                                   CopyFromParent, CWBackPixel | CWOverrideRedirect | CWEventMask, &a);
  XMapRaised(d, win);
  for (;;) { /* until it is on the screen */
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == MapNotify) break;
  }
  printf("0x%lx\n", (unsigned long)win);
  fflush(stdout);
  char line[128];
  while (fgets(line, sizeof line, stdin) != NULL) {
    unsigned nw = 0, nh = 0;
    if (sscanf(line, "resize %u %u", &nw, &nh) == 2 && nw > 0 && nh > 0) {
      XResizeWindow(d, win, nw, nh);
    } else if (strncmp(line, "focus", 5) == 0) {
      XSetInputFocus(d, win, RevertToPointerRoot, CurrentTime);
    } else if (strncmp(line, "quit", 4) == 0) {
      break;
    }
    XSync(d, False);
    printf("ok\n");
    fflush(stdout);
  }
  XDestroyWindow(d, win);
  XCloseDisplay(d);
  return 0;
}
