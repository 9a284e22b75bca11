// Laying out a windowed control's children: anchored controls keep their
// distances to the anchored sides, then aligned ones dock to the top,
// bottom, left and right edges in turn and the client one fills the rest.

#include <algorithm>

#include "host/Controls.h"

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TRect client = GetClientRect();
  AlignControls(nullptr, client);
  FControlState.Exclude(csAlignmentNeeded);
  --FAlignLevel;
}

void TWinControl::AlignByAnchors() {
  const TRect client = GetClientRect();
  const TSize size{client.Right - client.Left, client.Bottom - client.Top};
  for (size_t i = 0; i < FControls.size() + FWinControls.size(); ++i) {
    TControl* c = i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
    if (c->GetAlign() == alNone) c->ApplyAnchors(size);
  }
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  AdjustClientRect(Rect);
  AlignByAnchors();
  std::vector<TControl*> all;
  for (TControl* c : FControls) all.push_back(c);
  for (TWinControl* c : FWinControls) all.push_back(c);

  auto place = [](TControl* c, Integer left, Integer top, Integer width, Integer height) {
    c->FControlState.Include(csAligning);
    c->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
    c->FControlState.Exclude(csAligning);
  };
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : all)
      if (c->GetAlign() == align && c->GetVisible()) list.push_back(c);
    // Controls on one side keep their order along it.
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->GetTop() < b->GetTop();
        case alBottom: return a->GetTop() + a->GetHeight() > b->GetTop() + b->GetHeight();
        case alLeft: return a->GetLeft() < b->GetLeft();
        case alRight: return a->GetLeft() + a->GetWidth() > b->GetLeft() + b->GetWidth();
        default: return false;
      }
    });
    for (TControl* c : list) {
      const Integer width = Rect.Right - Rect.Left, height = Rect.Bottom - Rect.Top;
      switch (align) {
        case alTop:
          place(c, Rect.Left, Rect.Top, width, c->GetHeight());
          Rect.Top += c->GetHeight();
          break;
        case alBottom:
          place(c, Rect.Left, Rect.Bottom - c->GetHeight(), width, c->GetHeight());
          Rect.Bottom -= c->GetHeight();
          break;
        case alLeft:
          place(c, Rect.Left, Rect.Top, c->GetWidth(), height);
          Rect.Left += c->GetWidth();
          break;
        case alRight:
          place(c, Rect.Right - c->GetWidth(), Rect.Top, c->GetWidth(), height);
          Rect.Right -= c->GetWidth();
          break;
        default: place(c, Rect.Left, Rect.Top, width, height); break;
      }
    }
  }
}
