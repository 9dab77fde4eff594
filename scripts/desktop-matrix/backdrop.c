/* A window of one colour, named "backdrop", that tells what reaches it:
 * one line per button press, "press BUTTON X Y" with the screen point, and
 * "focus in" / "focus out" as the keyboard comes and goes. Lines are flushed
 * at once, for a script to wait on. Usage: backdrop [RRGGBB] */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>

int main(int argc, char **argv)
{
    const uint32_t colour = (uint32_t)strtoul(argc > 1 ? argv[1] : "3070d0", NULL, 16);
    xcb_connection_t *x = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "backdrop: cannot open the display\n");
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_window_t window = xcb_generate_id(x);
    /* The server's own colour on its TrueColor root: no colormap needed. */
    const uint32_t values[] = {colour, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_FOCUS_CHANGE};
    xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 600, 460, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    static const char name[] = "backdrop";
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof name - 1, name);
    /* WM_CLASS: instance and class, each ended by a NUL. */
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        2 * sizeof name, "backdrop\0backdrop");
    xcb_map_window(x, window);
    xcb_flush(x);
    setvbuf(stdout, NULL, _IOLBF, 0);
    xcb_generic_event_t *event;
    while ((event = xcb_wait_for_event(x)) != NULL) {
        switch (event->response_type & 0x7f) {
        case XCB_BUTTON_PRESS: {
            const xcb_button_press_event_t *press = (const xcb_button_press_event_t *)event;
            printf("press %u %d %d\n", press->detail, press->root_x, press->root_y);
            break;
        }
        case XCB_FOCUS_IN:
            puts("focus in");
            break;
        case XCB_FOCUS_OUT:
            puts("focus out");
            break;
        default:
            break;
        }
        free(event);
    }
    return 0;
}
