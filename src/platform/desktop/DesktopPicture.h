#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// One output as the desktop's services need to know it.
struct DesktopOutput {
    int Screen = 0;  // its number among the outputs, in the order they came
    QRect Logical;   // its place in the desktop, in the compositor's logical units
    QSize Pixels;    // its real pixels
};

// The desktop under the show where the compositor copies no output itself (where it does,
// screencopy, the show asks it first): one picture of the whole desktop from the desktop's
// own service, KWin's ScreenShot2, or under GNOME the portal's Screenshot where the user
// already allowed it, taken at once for a set of outputs before any show surface of theirs
// is mapped, each output getting its part; else, under Plasma or GNOME, the desktop's
// wallpaper; else a null picture, and the show's sky is black. Never asks the user
// anything. Why the desktop itself is missing is said once on standard error.
class DesktopPicture {
public:
    // Takes the whole desktop's picture, waiting about a second at most; `outputs` are all
    // the desktop's outputs.
    explicit DesktopPicture(const std::vector<DesktopOutput>& outputs);

    QImage PartFor(const DesktopOutput& output) const;

private:
    QImage desktop_;
    QRect desktopLogical_;
    QString missing_;  // why the desktop's picture is missing, when it is
    bool plasma_ = false;  // the session is KDE Plasma's, whose wallpaper stands in for the desktop
    bool gnome_ = false;   // the session is GNOME's, likewise
};
