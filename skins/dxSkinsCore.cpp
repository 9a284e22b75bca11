#include "skins/dxSkinsCore.h"

TdxSkinImageSet dxSkinsUseImageSet = imsDefault;
