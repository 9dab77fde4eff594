/* Prints a window's bounding shape as ImageMagick draw commands, one
 * "rectangle x0,y0 x1,y1" per line, in window coordinates. Exit status 1 if
 * the window cannot be read. Usage: outline WINDOW-ID */
#include <stdio.h>
#include <stdlib.h>
#include <xcb/shape.h>
#include <xcb/xcb.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: outline WINDOW-ID\n");
        return 2;
    }
    xcb_connection_t *x = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "outline: cannot open the display\n");
        return 1;
    }
    const xcb_window_t window = (xcb_window_t)strtoul(argv[1], NULL, 0);
    xcb_shape_get_rectangles_reply_t *reply = xcb_shape_get_rectangles_reply(
        x, xcb_shape_get_rectangles(x, window, XCB_SHAPE_SK_BOUNDING), NULL);
    if (reply == NULL) {
        fprintf(stderr, "outline: no window %s\n", argv[1]);
        return 1;
    }
    const xcb_rectangle_t *r = xcb_shape_get_rectangles_rectangles(reply);
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply); ++i)
        printf("rectangle %d,%d %d,%d\n", r[i].x, r[i].y, r[i].x + r[i].width - 1,
               r[i].y + r[i].height - 1);
    free(reply);
    xcb_disconnect(x);
    return 0;
}
