// The least a walking toy must cost on a Wayland compositor with the layer
// shell: a bare wayland-client program that, every 16 ms, moves its picture
// one pixel left, draws the next of the toy's eleven walking outlines into a
// free ARGB shm buffer (transparent outside the outline), sets the outline
// as the input region and commits. No toolkit, no round trips while it
// walks. The yardstick for the toy's own and the compositor's CPU.
//
// Two layouts, as the toy's surface may use:
//  - subsurface (default): a still, transparent top-layer surface anchored
//    to all four edges of the output, its 1x1 buffer stretched over the
//    output by wp_viewporter, whose input region follows the picture; the
//    picture is a synchronized wl_subsurface moved by set_position.
//  - margins (--margins): a picture-sized top-layer surface anchored
//    top-left and moved by its margins.
//   wayland_floor [--margins] [seconds]   (default 4 s)
#define _GNU_SOURCE // memfd_create, ppoll
#include "floor-outlines.h"
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <errno.h>
#include <poll.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

enum {
    kWidth = 69,
    kHeight = 96,
    kTickNs = 16 * 1000 * 1000,
    // Walks this far left, then starts again where it began.
    kWalk = 400,
    // Pictures the compositor may hold at once; the toy keeps as many.
    kBuffers = 3,
};

typedef struct {
    struct wl_buffer *buffer;
    uint32_t *pixels;
    bool busy;
} Picture;

typedef struct {
    struct wl_compositor *compositor;
    struct wl_subcompositor *subcompositor;
    struct wl_shm *shm;
    struct wl_output *output;
    struct zwlr_layer_shell_v1 *layerShell;
    struct wp_viewporter *viewporter;
    int outputWidth, outputHeight;
    uint32_t configuredWidth, configuredHeight;
    bool configured, closed;
    Picture pictures[kBuffers + 1]; // the last one is the still 1x1 backdrop
} Floor;

static void fail(const char *what)
{
    fprintf(stderr, "wayland_floor: %s\n", what);
    exit(1);
}

// The registry's globals this floor uses.
static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    Floor *floor = data;
    (void)version;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        floor->compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 4);
    else if (strcmp(interface, wl_subcompositor_interface.name) == 0)
        floor->subcompositor = wl_registry_bind(registry, name, &wl_subcompositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        floor->shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, wl_output_interface.name) == 0 && floor->output == NULL)
        floor->output = wl_registry_bind(registry, name, &wl_output_interface, 2);
    else if (strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        floor->layerShell = wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 1);
    else if (strcmp(interface, wp_viewporter_interface.name) == 0)
        floor->viewporter = wl_registry_bind(registry, name, &wp_viewporter_interface, 1);
}
static void globalRemove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}
static const struct wl_registry_listener registryListener = {global, globalRemove};

// The output's current mode: where the floor starts and how far it walks.
static void outputGeometry(void *data, struct wl_output *output, int32_t x, int32_t y,
                           int32_t physicalWidth, int32_t physicalHeight, int32_t subpixel,
                           const char *make, const char *model, int32_t transform)
{
    (void)data, (void)output, (void)x, (void)y, (void)physicalWidth, (void)physicalHeight;
    (void)subpixel, (void)make, (void)model, (void)transform;
}
static void outputMode(void *data, struct wl_output *output, uint32_t flags, int32_t width,
                       int32_t height, int32_t refresh)
{
    Floor *floor = data;
    (void)output;
    (void)refresh;
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        floor->outputWidth = width;
        floor->outputHeight = height;
    }
}
static void outputDone(void *data, struct wl_output *output)
{
    (void)data;
    (void)output;
}
static void outputScale(void *data, struct wl_output *output, int32_t factor)
{
    (void)data;
    (void)output;
    (void)factor;
}
// Bound at version 2: no names or descriptions come.
static const struct wl_output_listener outputListener = {
    .geometry = outputGeometry, .mode = outputMode, .done = outputDone, .scale = outputScale};

static void layerConfigure(void *data, struct zwlr_layer_surface_v1 *layer, uint32_t serial,
                           uint32_t width, uint32_t height)
{
    Floor *floor = data;
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    floor->configuredWidth = width;
    floor->configuredHeight = height;
    floor->configured = true;
}
static void layerClosed(void *data, struct zwlr_layer_surface_v1 *layer)
{
    Floor *floor = data;
    (void)layer;
    floor->closed = true;
}
static const struct zwlr_layer_surface_v1_listener layerListener = {layerConfigure, layerClosed};

static void bufferRelease(void *data, struct wl_buffer *buffer)
{
    Picture *picture = data;
    (void)buffer;
    picture->busy = false;
}
static const struct wl_buffer_listener bufferListener = {bufferRelease};

// Every picture in one shared-memory pool: kBuffers of the floor's size,
// then the backdrop's one transparent pixel.
static void makePictures(Floor *floor)
{
    const int stride = kWidth * 4;
    const int pictureSize = stride * kHeight;
    const int poolSize = kBuffers * pictureSize + 4;
    const int fd = memfd_create("wayland_floor", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, poolSize) < 0)
        fail("no shared memory");
    uint8_t *memory = mmap(NULL, (size_t)poolSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED)
        fail("no shared memory");
    memset(memory, 0, (size_t)poolSize);
    struct wl_shm_pool *pool = wl_shm_create_pool(floor->shm, fd, poolSize);
    for (int i = 0; i <= kBuffers; ++i) {
        Picture *picture = &floor->pictures[i];
        const bool backdrop = i == kBuffers;
        picture->pixels = (uint32_t *)(memory + i * pictureSize);
        picture->buffer = wl_shm_pool_create_buffer(pool, i * pictureSize, backdrop ? 1 : kWidth,
                                                    backdrop ? 1 : kHeight, backdrop ? 4 : stride,
                                                    WL_SHM_FORMAT_ARGB8888);
        wl_buffer_add_listener(picture->buffer, &bufferListener, picture);
    }
    wl_shm_pool_destroy(pool);
    close(fd);
}

// The pose's outline filled, transparent around it, and a mark that moves
// with the pose, so that every picture differs from the one before.
static void drawPose(uint32_t *pixels, int pose)
{
    memset(pixels, 0, (size_t)kWidth * kHeight * 4);
    for (int r = kFloorFirst[pose]; r < kFloorFirst[pose + 1]; ++r) {
        const int *rect = kFloorRect[r];
        for (int y = rect[1]; y < rect[1] + rect[3]; ++y)
            for (int x = rect[0]; x < rect[0] + rect[2]; ++x)
                pixels[y * kWidth + x] = 0xffc08040u;
    }
    for (int y = 20; y < 26; ++y)
        for (int x = 20 + 2 * pose; x < 26 + 2 * pose; ++x)
            pixels[y * kWidth + x] = 0xffffffffu;
}

// The pose's outline as a region, moved by (dx, dy).
static struct wl_region *outlineRegion(Floor *floor, int pose, int dx, int dy)
{
    struct wl_region *region = wl_compositor_create_region(floor->compositor);
    for (int r = kFloorFirst[pose]; r < kFloorFirst[pose + 1]; ++r) {
        const int *rect = kFloorRect[r];
        wl_region_add(region, rect[0] + dx, rect[1] + dy, rect[2], rect[3]);
    }
    return region;
}

static Picture *freePicture(Floor *floor)
{
    for (int i = 0; i < kBuffers; ++i)
        if (!floor->pictures[i].busy)
            return &floor->pictures[i];
    return NULL;
}

static long long nowNs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Reads and handles what the compositor sent until `deadlineNs`, without
// blocking past it.
static void dispatchUntil(struct wl_display *display, long long deadlineNs)
{
    for (;;) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        if (wl_display_flush(display) < 0 && errno != EAGAIN)
            fail("the compositor went away");
        const long long left = deadlineNs - nowNs();
        if (left <= 0) {
            wl_display_cancel_read(display);
            return;
        }
        struct pollfd fd = {wl_display_get_fd(display), POLLIN, 0};
        const struct timespec wait = {(time_t)(left / 1000000000LL), (long)(left % 1000000000LL)};
        if (ppoll(&fd, 1, &wait, NULL) > 0) {
            if (wl_display_read_events(display) < 0)
                fail("the compositor went away");
            wl_display_dispatch_pending(display);
        } else {
            wl_display_cancel_read(display);
        }
    }
}

int main(int argc, char **argv)
{
    bool margins = false;
    double seconds = 4.0;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--margins") == 0)
            margins = true;
        else
            seconds = atof(argv[i]);
    }
    struct wl_display *display = wl_display_connect(NULL);
    if (display == NULL)
        fail("no Wayland display");
    Floor floor = {0};
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &floor);
    wl_display_roundtrip(display);
    if (floor.compositor == NULL || floor.shm == NULL || floor.output == NULL)
        fail("the compositor lacks wl_compositor, wl_shm or an output");
    if (floor.layerShell == NULL)
        fail("the compositor has no layer shell");
    if (!margins && (floor.subcompositor == NULL || floor.viewporter == NULL))
        fail("the compositor lacks wl_subcompositor or wp_viewporter; try --margins");
    wl_output_add_listener(floor.output, &outputListener, &floor);
    wl_display_roundtrip(display);
    makePictures(&floor);

    // The layer surface: on the top layer, pushed by no panel, never
    // taking the keyboard, named neutrally.
    struct wl_surface *layerSurface = wl_compositor_create_surface(floor.compositor);
    struct zwlr_layer_surface_v1 *layer =
        zwlr_layer_shell_v1_get_layer_surface(floor.layerShell, layerSurface, floor.output,
                                              ZWLR_LAYER_SHELL_V1_LAYER_TOP, "wayland_floor");
    zwlr_layer_surface_v1_add_listener(layer, &layerListener, &floor);
    zwlr_layer_surface_v1_set_exclusive_zone(layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    const int startX = (floor.outputWidth - kWidth) / 2;
    const int y = (floor.outputHeight - kHeight) / 2;
    struct wl_surface *picture = layerSurface;
    struct wl_subsurface *subsurface = NULL;
    struct wp_viewport *viewport = NULL;
    if (margins) {
        zwlr_layer_surface_v1_set_size(layer, kWidth, kHeight);
        zwlr_layer_surface_v1_set_anchor(layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
        zwlr_layer_surface_v1_set_margin(layer, y, 0, 0, startX);
    } else {
        // Size 0 by 0 with all four anchors: the compositor gives the
        // output's size.
        zwlr_layer_surface_v1_set_anchor(
            layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                       ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        picture = wl_compositor_create_surface(floor.compositor);
        subsurface = wl_subcompositor_get_subsurface(floor.subcompositor, picture, layerSurface);
        wl_subsurface_set_position(subsurface, startX, y);
        viewport = wp_viewporter_get_viewport(floor.viewporter, layerSurface);
        // The pointer goes to the still surface, in output coordinates.
        struct wl_region *none = wl_compositor_create_region(floor.compositor);
        wl_surface_set_input_region(picture, none);
        wl_region_destroy(none);
    }
    wl_surface_commit(layerSurface);
    while (!floor.configured && !floor.closed)
        if (wl_display_dispatch(display) < 0)
            fail("the compositor went away");
    if (floor.closed)
        fail("the compositor closed the layer surface");
    if (!margins) {
        // The still backdrop: one transparent pixel stretched over the output.
        wp_viewport_set_destination(viewport, (int32_t)floor.configuredWidth,
                                    (int32_t)floor.configuredHeight);
        wl_surface_attach(layerSurface, floor.pictures[kBuffers].buffer, 0, 0);
        wl_surface_damage_buffer(layerSurface, 0, 0, 1, 1);
    }

    // The caller measures from here on.
    puts("walking");
    fflush(stdout);
    const long long start = nowNs();
    const long long end = start + (long long)(seconds * 1e9);
    long long next = start;
    int walked = 0, skipped = 0;
    for (int tick = 0; next < end && !floor.closed; ++tick) {
        const int pose = tick % kFloorPoses;
        const int x = startX - tick % kWalk;
        Picture *free = freePicture(&floor);
        if (free != NULL) {
            drawPose(free->pixels, pose);
            wl_surface_attach(picture, free->buffer, 0, 0);
            wl_surface_damage_buffer(picture, 0, 0, kWidth, kHeight);
            free->busy = true;
        } else {
            ++skipped;
        }
        // The input region: the outline where it is shown.
        struct wl_region *input =
            margins ? outlineRegion(&floor, pose, 0, 0) : outlineRegion(&floor, pose, x, y);
        wl_surface_set_input_region(layerSurface, input);
        wl_region_destroy(input);
        if (margins) {
            zwlr_layer_surface_v1_set_margin(layer, y, 0, 0, x);
        } else {
            wl_subsurface_set_position(subsurface, x, y);
            // A synchronized subsurface's picture and place show with the
            // commit of the surface it belongs to.
            wl_surface_commit(picture);
        }
        wl_surface_commit(layerSurface);
        ++walked;
        next += kTickNs;
        dispatchUntil(display, next);
    }
    fprintf(stderr, "wayland_floor: %d ticks in the %s layout, %d without a free buffer\n", walked,
            margins ? "margins" : "subsurface", skipped);

    if (viewport != NULL)
        wp_viewport_destroy(viewport);
    if (subsurface != NULL) {
        wl_subsurface_destroy(subsurface);
        wl_surface_destroy(picture);
    }
    zwlr_layer_surface_v1_destroy(layer);
    wl_surface_destroy(layerSurface);
    for (int i = 0; i <= kBuffers; ++i)
        wl_buffer_destroy(floor.pictures[i].buffer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
