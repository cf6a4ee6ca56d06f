// A stand-in for a host that embeds the saver: opens one window of the given size
// and colour, prints its id in decimal, and keeps it until it reads a line
// ("resize W H" resizes it, "quit" or end of input destroys it and exits).
// A fourth argument makes a hostile stand-in instead: "inputonly" (an InputOnly
// window), "unmapped" (a window never shown) or "pixmap" (a pixmap's id).
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    const int width = argc > 1 ? std::atoi(argv[1]) : 200;
    const int height = argc > 2 ? std::atoi(argv[2]) : 150;
    const uint32_t colour = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 16)) : 0x808080;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const std::string kind = argc > 4 ? argv[4] : "";
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {colour};
    if (kind == "pixmap") {
        xcb_create_pixmap(c, screen->root_depth, window, screen->root, width, height);
    } else if (kind == "inputonly") {
        xcb_create_window(c, 0, window, screen->root, 10, 10, width, height, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(c, window);
    } else {
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, width, height, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, values);
        if (kind != "unmapped")
            xcb_map_window(c, window);
    }
    xcb_flush(c);
    std::printf("%u\n", window);
    std::fflush(stdout);

    char line[128];
    while (std::fgets(line, sizeof line, stdin)) {
        int w = 0, h = 0;
        if (std::sscanf(line, "resize %d %d", &w, &h) == 2) {
            const uint32_t size[] = {static_cast<uint32_t>(w), static_cast<uint32_t>(h)};
            xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
            xcb_flush(c);
        } else if (std::strncmp(line, "quit", 4) == 0) {
            break;
        }
    }
    if (kind == "pixmap")
        xcb_free_pixmap(c, window);
    else
        xcb_destroy_window(c, window);
    xcb_flush(c);
    xcb_disconnect(c);
    return 0;
}
