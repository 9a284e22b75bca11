#pragma once
// The skin data model. So far: which of an element's image sets is drawn.

#include <cstdint>

enum TdxSkinImageSet : uint8_t { imsDefault, imsOriginal, imsAlternate };

// imsDefault draws the alternate images only on low-colour canvases,
// imsOriginal never (unless the image is empty), imsAlternate always. The
// root look and feel's Reset puts it back to imsDefault.
extern TdxSkinImageSet dxSkinsUseImageSet;
