#include "Usage.h"

QString Usage()
{
    return QStringLiteral(
        "usage: kestrova-saver [--wayland | --x11] [/s | /c | /p <window id> | /a]\n"
        "       kestrova-saver [-root | -window | -window-id <id>] [options]\n"
        "       kestrova-saver --idle <minutes> | --idle <seconds>s\n"
        "       kestrova-saver --stop | --help\n"
        "  /s                  the full-screen show on every output (also without any argument)\n"
        "  /c                  the options dialog\n"
        "  /p <window id>      the preview inside that X11 window\n"
        "  /a                  says that passwords are not supported\n"
        "  --wayland, --x11    show /s and open /c on that display; else Wayland when a compositor answers\n"
        "  --idle <time>       stay running and start /s after that many minutes (30s: seconds) without input\n"
        "  --stop              end every running show of this user; status 1 if one still runs 3 s later\n"
        "  --help              this list\n"
        "Started by a screen-saver daemon:\n"
        "  -root               draw into $XSCREENSAVER_WINDOW, or onto the root window\n"
        "  -window-id <id>     draw into that window (0x hexadecimal or decimal)\n"
        "  -window             draw into a window of its own (the default)\n"
        "  --kind <k>          0 T-4, 1 T-2, 2 F-86, 3 F-18, 4 F-16, 5 F-117, 101 random, 200/201 3D\n"
        "  --flight-mode <m>   0 solo, 1 formation\n"
        "  --count <n>         aircraft in solo flight, 1..100\n"
        "  --smoke, --no-smoke smoke trails on or off\n"
        "  --background <b>    0 desktop, 1..8 colours, 9/10 the stored picture\n"
        "  -display <name>     the X display, instead of DISPLAY\n"
        "These options hold for this run only; the stored settings are not changed.\n");
}
