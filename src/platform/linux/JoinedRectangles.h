#pragma once

#include <QRect>

#include <vector>

// Joins rectangles into the box around two of them while that box adds at most
// slackPixels to what the two cover, smallest addition first, and drops any rectangle
// a joined box holds. Every pixel of the rectangles stays covered. Sending a rectangle
// of the window costs a round trip to the X server, worth more than copying a few
// thousand pixels more.
void JoinRectangles(std::vector<QRect>& rects, long slackPixels);
