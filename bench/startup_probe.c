// Start-up time of a program to its first viewable window, and optionally
// to that window having an outline, as the X server sees them. Watches the
// server's events instead of polling, so the figure carries no polling
// interval and no start of helper programs.
//   startup_probe [--shaped] program [arguments...]
// Prints the milliseconds from the launch, then ends the program.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kMaxWindows = 256, kTimeoutMs = 20000 };

static double nowMs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

static int ignoreErrors(Display *display, XErrorEvent *error)
{
    // Windows may be gone by the time they are asked about.
    (void)display;
    (void)error;
    return 0;
}

static long windowPid(Display *display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = NULL;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data != NULL && format == 32 && count == 1)
        pid = *(long *)data;
    if (data != NULL)
        XFree(data);
    return pid;
}

// The program's window when it is viewable (and outlined, if asked for).
static int ready(Display *display, Window window, pid_t child, Atom pidAtom, int shaped)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable || windowPid(display, window, pidAtom) != child)
        return 0;
    if (!shaped)
        return 1;
    int bounding = 0;
    int clip = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned w = 0;
    unsigned h = 0;
    unsigned cw = 0;
    unsigned ch = 0;
    XShapeQueryExtents(display, window, &bounding, &x, &y, &w, &h, &clip, &cx, &cy, &cw, &ch);
    return bounding;
}

int main(int argc, char **argv)
{
    const int shaped = argc > 1 && strcmp(argv[1], "--shaped") == 0;
    char **command = argv + 1 + shaped;
    if (*command == NULL) {
        fprintf(stderr, "usage: startup_probe [--shaped] program [arguments...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "startup_probe: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        // Standard output carries the figure alone.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0)
            dup2(quiet, STDOUT_FILENO);
        execvp(command[0], command);
        perror("startup_probe: exec");
        _exit(127);
    }

    // Every window made at the top level since the launch: the program's own
    // and the window manager's frames around them. A program window moves
    // into its frame, so both are watched.
    Window windows[kMaxWindows];
    int count = 0;
    double found = -1;
    while (found < 0 && nowMs() - start < kTimeoutMs) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify && count < kMaxWindows) {
                const Window window = event.xcreatewindow.window;
                windows[count++] = window;
                XSelectInput(display, window, StructureNotifyMask | SubstructureNotifyMask);
                XShapeSelectInput(display, window, ShapeNotifyMask);
            }
        }
        for (int i = 0; i < count && found < 0; ++i)
            if (ready(display, windows[i], child, pidAtom, shaped))
                found = nowMs() - start;
        if (found < 0 && XPending(display) == 0) {
            struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 50);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    if (found < 0) {
        fprintf(stderr, "startup_probe: no window from %s\n", command[0]);
        return 1;
    }
    printf("%.1f\n", found);
    return 0;
}
