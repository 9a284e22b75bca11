#pragma once
// The Office-11 colour set, shared by the Office-11 painter and the
// editors' Office-11 buttons: the built-in colours of the visual-styles
// scheme when one of the three standard schemes is active, else colours
// derived from the system colours. Each is a plain RGB colour, computed
// when the first user counts itself in and again at every refresh.

#include "host/Colors.h"

extern TColor dxOffice11ToolbarsColor1;
extern TColor dxOffice11ToolbarsColor2;
extern TColor dxOffice11DockColor1;
extern TColor dxOffice11DockColor2;
extern TColor dxOffice11DropDownBorderColor1;
// The same colour as dxOffice11DropDownBorderColor1.
extern TColor dxOffice11ControlBorderColor;
extern TColor dxOffice11SelectedBorderColor;
extern TColor dxOffice11SelectedColor1;
extern TColor dxOffice11SelectedColor2;
extern TColor dxOffice11SelectedDownColor1;
extern TColor dxOffice11SelectedDownColor2;
extern TColor dxOffice11TextEnabledColor;
extern TColor dxOffice11TextDisabledColor;

// Counts a use; the first computes the set.
void CreateOffice11Colors();
// Counts a use off; never below zero.
void ReleaseOffice11Colors();
// Computes the set again, from the scheme of the moment.
void RefreshOffice11Colors();

// The scheme of the current theme: 1 for the colour name "NormalColor", 2
// for "HomeStead", 3 for "Metallic" (case ignored), of the theme file
// "Luna.msstyles" or of any theme on systems above major version 5; else,
// and without visual styles, 0.
Integer dxGetOffice11Scheme();
// The scheme of the last computation of the set.
Integer GetOffice11Scheme();
// Visual styles were available and the scheme was not 0 at the last
// computation: the set holds that scheme's built-in colours.
bool IsXPStandardScheme();
