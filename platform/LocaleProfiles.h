#pragma once
// The locale profiles the locale functions answer from: the two fixed ones
// tests select (platform/LocaleProfiles.cpp) and the user's, derived from
// ICU (platform/Locale.cpp). Private to the platform layer.

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Locale.h"

struct UCollator;

// Everything one profile answers. The maps hold every known item, so an item
// missing from them is one the system does not know.
struct TProfileData {
  LCID Lcid = 0x0409;
  std::string CollationLocale = "en_US";
  std::map<LCTYPE, std::u16string> Items;

  // Collators are opened on first comparison and live as long as the profile.
  mutable std::once_flag CollatorsOpened;
  mutable UCollator* CaseSensitive = nullptr;
  mutable UCollator* IgnoreCase = nullptr;

  TProfileData() = default;
  TProfileData(const TProfileData& other) : Lcid(other.Lcid), CollationLocale(other.CollationLocale), Items(other.Items) {}
  ~TProfileData();
};

// English (United States) and Portuguese (Brazil), as a current desktop
// answers them.
std::shared_ptr<const TProfileData> EnglishUSProfile();
std::shared_ptr<const TProfileData> PortugueseBRProfile();
