#pragma once

namespace framework {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(Size, Size) = default;
};

// A control's place: left and top relative to its container, width and height.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(Rect, Rect) = default;
};

struct Rgb {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

}  // namespace framework
