#pragma once
// A window's layout table: each control's name and its box in its parent's
// client area. The builders, the layout rules and the tests read the boxes
// from the window's one table.
#include <cstddef>
#include <stdexcept>
#include <string_view>

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Placement {
    std::string_view name;
    Box box;
};

// The box of `name`; a name the table lacks does not compile where the box
// is needed as a constant.
template <std::size_t N>
constexpr Box BoxIn(const Placement (&table)[N], std::string_view name) {
    for (const Placement& p : table)
        if (p.name == name) return p.box;
    throw std::out_of_range("no such control in the layout table");
}

// Settings of a window at a box: its place and its client area's size.
template <class Settings>
Settings FormAt(const Box& b) {
    Settings s;
    s.left = b.left;
    s.top = b.top;
    s.clientWidth = b.width;
    s.clientHeight = b.height;
    return s;
}

// Settings of any control kind, placed at a box.
template <class Settings>
Settings PlacedAt(const Box& b) {
    Settings s;
    s.left = b.left;
    s.top = b.top;
    s.width = b.width;
    s.height = b.height;
    return s;
}
