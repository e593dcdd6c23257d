#pragma once
// PNG images of icons, decoded by the system's imaging component: the
// decoder the system's own icon loading uses since PNG images came to icons,
// present on every Windows since then and in Wine.
#include "picture/codec/ico.h"

// The colour part and mask of a PNG image that codec::ico::CheckPng passed.
// codec::InvalidData when the system cannot decode it.
codec::ico::Image DecodePng(const codec::ico::Image& png);
