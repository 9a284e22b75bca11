#pragma once
// The framework's graphics unit in one include: colours, fonts, brushes,
// pens, canvases, bitmaps and pictures.

#include "host/Bitmaps.h"
#include "host/Canvas.h"
#include "host/Colors.h"
#include "host/GraphicsObjects.h"
#include "host/Pictures.h"
