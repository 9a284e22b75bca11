#pragma once
// The published properties and events of controls. The framework's control
// classes keep them protected and each class publishes its own choice, so
// a class's table names the ones it publishes.

#include <initializer_list>
#include <string_view>
#include <vector>

#include "host/TypInfo.h"

// The properties and events of TControl and TWinControl named, in order;
// an unknown name is a programming error (std::logic_error).
std::vector<TPropInfo> ControlProperties(std::initializer_list<std::u16string_view> Names);
// A property of such a table, for a class to give it its own default or
// storage; an unknown name is a programming error (std::logic_error).
TPropInfo& PublishedProperty(std::vector<TPropInfo>& Properties, std::u16string_view Name);

const TEnumNames& AlignNames();
const TEnumNames& AnchorNames();
// TAlignment's, for the controls that publish an Alignment.
const TEnumNames& AlignmentNames();
