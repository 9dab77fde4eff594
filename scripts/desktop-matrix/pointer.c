/* Gives a headless wlroots compositor's seat a pointer, so that the
 * pointer input it makes itself (swaymsg seat seat0 cursor ...) reaches its
 * clients: without a pointer device the seat has no pointer capability and
 * Xwayland gets no pointer events. Creates one virtual pointer
 * (zwlr_virtual_pointer_manager_v1) on $WAYLAND_DISPLAY, prints "ready" and
 * holds it until killed.
 *
 * It also moves and presses itself, for what the compositor's own cursor
 * commands cannot do (they send no motion while a button is held, so no
 * drag). Commands come one a line on standard input; each is answered with
 * "ok" once the compositor has taken it in (a round trip):
 *   extent W H   the layout's size that "move" maps onto (default 1024 768)
 *   move X Y     the pointer to X,Y of the layout, in logical pixels
 *   press N      presses button N (1 left, 2 middle, 3 right)
 *   release N    lets it go
 * At the end of the input it keeps holding the pointer.
 *
 * The two interfaces are written out here, since the protocol's description
 * is in no Debian package: requests in their order of the protocol,
 * version 1. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

enum { MOTION, MOTION_ABSOLUTE, BUTTON, AXIS, FRAME };

static const struct wl_interface pointer_interface;
static const struct wl_message pointer_requests[] = {
    [MOTION] = {"motion", "uff", NULL}, [MOTION_ABSOLUTE] = {"motion_absolute", "uuuuu", NULL},
    [BUTTON] = {"button", "uuu", NULL}, [AXIS] = {"axis", "uuf", NULL},
    [FRAME] = {"frame", "", NULL},
};
static const struct wl_interface pointer_interface = {"zwlr_virtual_pointer_v1", 1, 5,
                                                      pointer_requests,          0, NULL};
static const struct wl_interface *create_types[] = {&wl_seat_interface, &pointer_interface};
static const struct wl_message manager_requests[] = {
    {"create_virtual_pointer", "?on", create_types},
};
static const struct wl_interface manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 1, manager_requests, 0, NULL};

static struct wl_proxy *manager;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, manager_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &manager_interface, 1);
}
static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t milliseconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

/* Linux's input event codes of the buttons, by X's numbers. */
static int button_code(unsigned n)
{
    switch (n) {
    case 1:
        return 0x110; /* BTN_LEFT */
    case 2:
        return 0x112; /* BTN_MIDDLE */
    case 3:
        return 0x111; /* BTN_RIGHT */
    default:
        return -1;
    }
}

/* Sends one command's events; 0 if the line is no command. */
static int send(struct wl_proxy *pointer, const char *line, unsigned *width, unsigned *height)
{
    int x, y;
    unsigned n;
    if (sscanf(line, "extent %u %u", &n, height) == 2 && n > 0 && *height > 0) {
        *width = n;
        return 1;
    }
    if (sscanf(line, "move %d %d", &x, &y) == 2) {
        /* Beyond the layout the compositor would clamp anyway. */
        x = x < 0 ? 0 : x >= (int)*width ? (int)*width - 1 : x;
        y = y < 0 ? 0 : y >= (int)*height ? (int)*height - 1 : y;
        wl_proxy_marshal(pointer, MOTION_ABSOLUTE, milliseconds(), (uint32_t)x, (uint32_t)y, *width,
                         *height);
    } else if (sscanf(line, "press %u", &n) == 1 && button_code(n) > 0) {
        wl_proxy_marshal(pointer, BUTTON, milliseconds(), (uint32_t)button_code(n), 1u);
    } else if (sscanf(line, "release %u", &n) == 1 && button_code(n) > 0) {
        wl_proxy_marshal(pointer, BUTTON, milliseconds(), (uint32_t)button_code(n), 0u);
    } else {
        return 0;
    }
    wl_proxy_marshal(pointer, FRAME);
    return 1;
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "pointer: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "pointer: the compositor has no virtual pointers\n");
        return 1;
    }
    /* No seat given: the compositor's default seat. */
    struct wl_proxy *pointer =
        wl_proxy_marshal_constructor(manager, 0, &pointer_interface, NULL, NULL);
    if (wl_display_roundtrip(display) < 0)
        return 1;
    puts("ready");
    fflush(stdout);
    unsigned width = 1024, height = 768;
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        if (!send(pointer, line, &width, &height))
            fprintf(stderr, "pointer: not a command: %s", line);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        puts("ok");
        fflush(stdout);
    }
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
