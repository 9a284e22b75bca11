#pragma once
// Red, green and blue of a colour as ints, so that colour formulas may leave
// the byte range before the result is limited to it. Private to graphics/.

#include <algorithm>

#include "host/Colors.h"

struct TColorChannels {
  int C[3] = {};  // red, green, blue
};

// System colours resolved.
inline TColorChannels ChannelsOf(TColor AColor) {
  const Cardinal v = static_cast<Cardinal>(ColorToRGB(AColor));
  return {{static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF)}};
}

inline BYTE ClampByte(Int64 AValue) { return static_cast<BYTE>(std::clamp<Int64>(AValue, 0, 255)); }

// Each channel limited to 0..255.
inline TColor ColorOf(Int64 R, Int64 G, Int64 B) {
  return static_cast<TColor>(RGB(ClampByte(R), ClampByte(G), ClampByte(B)));
}
inline TColor ColorOf(const TColorChannels& A) { return ColorOf(A.C[0], A.C[1], A.C[2]); }

// f(i) for channels 0 (red), 1 (green) and 2 (blue).
template <typename F>
TColorChannels PerChannel(F f) {
  TColorChannels result;
  for (int i = 0; i < 3; ++i) result.C[i] = static_cast<int>(f(i));
  return result;
}
