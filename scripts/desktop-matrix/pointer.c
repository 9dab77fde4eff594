/* Gives a headless wlroots compositor's seat a pointer, so that the
 * pointer input it makes itself (swaymsg seat seat0 cursor ...) reaches its
 * clients: without a pointer device the seat has no pointer capability and
 * Xwayland gets no pointer events. Creates one virtual pointer
 * (zwlr_virtual_pointer_manager_v1) on $WAYLAND_DISPLAY, prints "ready" and
 * holds it until killed. The two interfaces are written out here, since the
 * protocol's description is in no Debian package. */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

/* The pointer's requests are never sent: it only has to exist. */
static const struct wl_interface pointer_interface = {
    "zwlr_virtual_pointer_v1", 1, 0, NULL, 0, NULL};
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
    wl_proxy_marshal_constructor(manager, 0, &pointer_interface, NULL, NULL);
    if (wl_display_roundtrip(display) < 0)
        return 1;
    puts("ready");
    fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
