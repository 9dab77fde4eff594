// The least a walking toy window must cost: a plain Xlib window of the toy's
// size that, every 16 ms, moves one pixel left, sets one of eleven outlines
// and copies one of eleven poses from server-side pixmaps. No toolkit, no
// round trips. The yardstick for the toy's walking CPU.
//   floor_window [seconds]   (default 4)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

enum {
    kWidth = 69,
    kHeight = 96,
    kPoses = 11,
    kTickNs = 16 * 1000 * 1000,
    // Walks this far left, then starts again where it began.
    kWalk = 400,
    kRectsPerShape = 4,
};

typedef struct {
    XRectangle rects[kRectsPerShape];
} Outline;

// Head, body and two legs whose stride changes with the pose.
static Outline outlineOf(int pose)
{
    const short stride = (short)(pose < 6 ? pose : 10 - pose);
    const Outline outline = {{
        {4, 0, 61, 55},
        {10, 55, 49, 17},
        {(short)(12 - stride), 72, 12, 24},
        {(short)(34 + stride), 72, 12, 24},
    }};
    return outline;
}

// One pose drawn once into a pixmap on the server: the outline filled, and
// a mark that moves with the pose so every pixmap differs.
static Pixmap renderPose(Display *display, Window window, GC gc, int pose)
{
    const int screen = DefaultScreen(display);
    const Pixmap pixmap =
        XCreatePixmap(display, window, kWidth, kHeight, (unsigned)DefaultDepth(display, screen));
    XSetForeground(display, gc, BlackPixel(display, screen));
    XFillRectangle(display, pixmap, gc, 0, 0, kWidth, kHeight);
    Outline outline = outlineOf(pose);
    XSetForeground(display, gc, 0xc08040);
    XFillRectangles(display, pixmap, gc, outline.rects, kRectsPerShape);
    XSetForeground(display, gc, WhitePixel(display, screen));
    XFillRectangle(display, pixmap, gc, 20 + 2 * pose, 20, 6, 6);
    return pixmap;
}

static long long nowNs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

static void sleepUntil(long long deadlineNs)
{
    const struct timespec at = {(time_t)(deadlineNs / 1000000000LL),
                                (long)(deadlineNs % 1000000000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, NULL) != 0) {
    }
}

int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? atof(argv[1]) : 4.0;
    Display *display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "floor_window: cannot open display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const int startX = (DisplayWidth(display, screen) - kWidth) / 2;
    const int y = (DisplayHeight(display, screen) - kHeight) / 2;

    // A managed window, as the toy's is, placed by the program itself,
    // undecorated and kept above the others.
    XSetWindowAttributes attributes = {0};
    attributes.background_pixmap = None;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), startX, y, kWidth, kHeight, 0,
                      CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap, &attributes);
    const Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    const long noDecorations[5] = {2, 0, 0, 0, 0};
    XChangeProperty(display, window, hints, hints, 32, PropModeReplace,
                    (const unsigned char *)noDecorations, 5);
    XStoreName(display, window, "floor_window");
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                    (const unsigned char *)&above, 1);
    XSizeHints size = {0};
    size.flags = USPosition | PPosition;
    size.x = startX;
    size.y = y;
    XSetWMNormalHints(display, window, &size);

    const GC gc = XCreateGC(display, window, 0, NULL);
    Pixmap poses[kPoses];
    Outline outlines[kPoses];
    for (int i = 0; i < kPoses; ++i) {
        poses[i] = renderPose(display, window, gc, i);
        outlines[i] = outlineOf(i);
    }
    XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, outlines[0].rects, kRectsPerShape,
                            ShapeSet, Unsorted);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            break;
    }
    // Let the window manager settle before the first move.
    XSync(display, False);

    const long long start = nowNs();
    const long long end = start + (long long)(seconds * 1e9);
    long long next = start;
    for (int tick = 0; next < end; ++tick) {
        const int pose = tick % kPoses;
        XMoveWindow(display, window, startX - tick % kWalk, y);
        XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, outlines[pose].rects,
                                kRectsPerShape, ShapeSet, Unsorted);
        XCopyArea(display, poses[pose], window, gc, 0, 0, kWidth, kHeight, 0, 0);
        XFlush(display);
        // Events (ConfigureNotify from the moves) are read and dropped
        // without blocking.
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
        next += kTickNs;
        sleepUntil(next);
    }

    for (int i = 0; i < kPoses; ++i)
        XFreePixmap(display, poses[i]);
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
