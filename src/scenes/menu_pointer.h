// The pointer in the menus: which item it points at.
#pragma once

#include <cstdint>
#include <span>

#include "media/input.h"
#include "scenes/scene.h"

// What the pointer does to a menu of items this frame.
struct MenuPointing {
  int32_t over = -1;    // a mouse over an item, or a finger down on one: the cursor goes there
  int32_t chosen = -1;  // an item tapped or clicked: the cursor goes there, and it is confirmed
};
MenuPointing PointAtItems(const PointerState& pointer, std::span<const ScreenRect> items);
