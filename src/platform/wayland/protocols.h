// The generated client code of the compositor protocols the layer speaks.
// The layer-shell header names a parameter "namespace", which C++ reserves.
#pragma once

#include <wayland-client.h>

#define namespace namespace_
#include "wlr-layer-shell-unstable-v1-client.h"
#undef namespace

#include "wlr-data-control-unstable-v1-client.h"
#include "wlr-screencopy-unstable-v1-client.h"
