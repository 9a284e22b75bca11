// TScreen: the forms of the program, the active form and control, and the
// cursors by number.

#include <algorithm>

#include "host/Forms.h"

HOST_CLASS_INFO(TScreen, TComponent, nullptr)

namespace {

struct TStandardCursor {
  TCursor Index;
  WORD Id;
};

// crDefault and crArrow are the arrow; crNone is no cursor at all.
constexpr TStandardCursor StandardCursors[] = {
    {crDefault, IDC_ARROW},   {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},
    {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},
    {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT},    {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},
    {crHSplit, IDC_SIZEWE},   {crVSplit, IDC_SIZENS},     {crMultiDrag, IDC_ARROW},   {crNo, IDC_NO},
    {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},    {crHandPoint, IDC_HAND},    {crSizeAll, IDC_SIZEALL},
};

}  // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  for (const TStandardCursor& c : StandardCursors) FCursors[c.Index] = LoadCursorW(nullptr, MAKEINTRESOURCEW(c.Id));
  FCursors[crNone] = nullptr;
}

TScreen::~TScreen() = default;

HCURSOR TScreen::GetCursors(TCursor Index) const {
  auto it = FCursors.find(Index);
  if (it != FCursors.end()) return it->second;
  return FCursors.at(crDefault);
}

// A null handle removes one of the program's own; the standard ones can be
// replaced but not removed.
void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  if (Handle) FCursors[Index] = Handle;
  else if (Index > 0) FCursors.erase(Index);
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  ::SetCursor(GetCursors(Value));
}

Integer TScreen::GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
Integer TScreen::GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

void TScreen::AddForm(TCustomForm* Form) { FCustomForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(FCustomForms, Form);
  if (FActiveCustomForm == Form) FActiveCustomForm = nullptr;
  if (FActiveControl && Form->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TScreen::ControlDestroyed(TWinControl* Control) {
  if (FActiveControl == Control) FActiveControl = nullptr;
}

TScreen* Screen() {
  static TScreen screen(nullptr);
  return &screen;
}
