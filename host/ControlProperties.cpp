// The published properties and events of controls, by name.

#include <stdexcept>

#include "host/ControlProperties.h"
#include "host/Controls.h"
#include "host/Menus.h"

const TEnumNames& AlignNames() {
  static const TEnumNames names{{u"alNone", u"alTop", u"alBottom", u"alLeft", u"alRight", u"alClient", u"alCustom"}};
  return names;
}

const TEnumNames& AnchorNames() {
  static const TEnumNames names{{u"akLeft", u"akTop", u"akRight", u"akBottom"}};
  return names;
}

const TEnumNames& AlignmentNames() {
  static const TEnumNames names{{u"taLeftJustify", u"taRightJustify", u"taCenter"}};
  return names;
}

namespace {

const TEnumNames& DragModeNames() {
  static const TEnumNames names{{u"dmManual", u"dmAutomatic"}};
  return names;
}

const TEnumNames& DragKindNames() {
  static const TEnumNames names{{u"dkDrag", u"dkDock"}};
  return names;
}

TPropInfo StoredUnless(TPropInfo p, bool (TControl::*parent)() const) {
  p.Stored = [parent](const TObject* o) { return !(static_cast<const TControl*>(o)->*parent)(); };
  return p;
}

const std::vector<TPropInfo>& Catalog() {
  static const std::vector<TPropInfo> all = [] {
    std::vector<TPropInfo> p{
        IntegerProp<TControl>(u"Left", &TControl::GetLeft, &TControl::SetLeft),
        IntegerProp<TControl>(u"Top", &TControl::GetTop, &TControl::SetTop),
        IntegerProp<TControl>(u"Width", &TControl::GetWidth, &TControl::SetWidth),
        IntegerProp<TControl>(u"Height", &TControl::GetHeight, &TControl::SetHeight),
        IntegerProp<TControl>(u"ClientWidth", &TControl::GetClientWidth, &TControl::SetClientWidth),
        IntegerProp<TControl>(u"ClientHeight", &TControl::GetClientHeight, &TControl::SetClientHeight),
        EnumProp<TControl>(u"Align", AlignNames(), &TControl::GetAlign, &TControl::SetAlign, alNone),
        SetProp<TControl>(u"Anchors", AnchorNames(), &TControl::GetAnchors, &TControl::SetAnchors,
                          DefaultAnchors.ToBits()),
        BoolProp<TControl>(u"AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false),
        StringProp<TControl>(u"Caption", &TControl::GetCaption, &TControl::SetCaption),
        StringProp<TControl>(u"Text", &TControl::GetText, &TControl::SetText),
        StoredUnless(IdentProp<TControl>(u"Color", ColorIdents(), &TControl::GetColor, &TControl::SetColor),
                     &TControl::GetParentColor),
        SubObjectProp<TControl, TSizeConstraints>(u"Constraints", &TControl::GetConstraints),
        IdentProp<TControl>(u"Cursor", CursorIdents(), &TControl::GetCursor, &TControl::SetCursor, crDefault),
        IdentProp<TControl>(u"DragCursor", CursorIdents(), &TControl::GetDragCursor, &TControl::SetDragCursor, crDrag),
        EnumProp<TControl>(u"DragKind", DragKindNames(), &TControl::GetDragKind, &TControl::SetDragKind, dkDrag),
        EnumProp<TControl>(u"DragMode", DragModeNames(), &TControl::GetDragMode, &TControl::SetDragMode, dmManual),
        BoolProp<TControl>(u"Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true),
        StoredUnless(SubObjectProp<TControl, TFont>(u"Font", &TControl::GetFont), &TControl::GetParentFont),
        StringProp<TControl>(u"Hint", &TControl::GetHint, &TControl::SetHint),
        BoolProp<TControl>(u"ParentColor", &TControl::GetParentColor, &TControl::SetParentColor, true),
        BoolProp<TControl>(u"ParentFont", &TControl::GetParentFont, &TControl::SetParentFont, true),
        BoolProp<TControl>(u"ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint, true),
        ComponentProp<TControl, TPopupMenu>(u"PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu),
        StoredUnless(BoolProp<TControl>(u"ShowHint", &TControl::GetShowHint, &TControl::SetShowHint),
                     &TControl::GetParentShowHint),
        BoolProp<TControl>(u"Visible", &TControl::GetVisible, &TControl::SetVisible, true),
        BoolProp<TWinControl>(u"Ctl3D", &TWinControl::GetCtl3D, &TWinControl::SetCtl3D, true),
        BoolProp<TWinControl>(u"DoubleBuffered", &TWinControl::GetDoubleBuffered, &TWinControl::SetDoubleBuffered,
                              false),
        BoolProp<TWinControl>(u"ParentBackground", &TWinControl::GetParentBackground,
                              &TWinControl::SetParentBackground, false),
        IntegerProp<TWinControl>(u"TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder, -1),
        BoolProp<TWinControl>(u"TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, false),
        EventProp<TControl>(u"OnCanResize", &TControl::OnCanResize),
        EventProp<TControl>(u"OnClick", &TControl::OnClick),
        EventProp<TControl>(u"OnConstrainedResize", &TControl::OnConstrainedResize),
        EventProp<TControl>(u"OnContextPopup", &TControl::OnContextPopup),
        EventProp<TControl>(u"OnDblClick", &TControl::OnDblClick),
        EventProp<TControl>(u"OnMouseDown", &TControl::OnMouseDown),
        EventProp<TControl>(u"OnMouseEnter", &TControl::OnMouseEnter),
        EventProp<TControl>(u"OnMouseLeave", &TControl::OnMouseLeave),
        EventProp<TControl>(u"OnMouseMove", &TControl::OnMouseMove),
        EventProp<TControl>(u"OnMouseUp", &TControl::OnMouseUp),
        EventProp<TControl>(u"OnMouseWheel", &TControl::OnMouseWheel),
        EventProp<TControl>(u"OnMouseWheelDown", &TControl::OnMouseWheelDown),
        EventProp<TControl>(u"OnMouseWheelUp", &TControl::OnMouseWheelUp),
        EventProp<TControl>(u"OnResize", &TControl::OnResize),
        EventProp<TWinControl>(u"OnEnter", &TWinControl::OnEnter),
        EventProp<TWinControl>(u"OnExit", &TWinControl::OnExit),
        EventProp<TWinControl>(u"OnKeyDown", &TWinControl::OnKeyDown),
        EventProp<TWinControl>(u"OnKeyPress", &TWinControl::OnKeyPress),
        EventProp<TWinControl>(u"OnKeyUp", &TWinControl::OnKeyUp),
    };
    return p;
  }();
  return all;
}

}  // namespace

std::vector<TPropInfo> ControlProperties(std::initializer_list<std::u16string_view> Names) {
  std::vector<TPropInfo> out;
  for (std::u16string_view name : Names) {
    const auto& all = Catalog();
    auto it = std::find_if(all.begin(), all.end(), [&](const TPropInfo& p) { return p.Name == name; });
    if (it == all.end()) throw std::logic_error("not a control property");
    out.push_back(*it);
  }
  return out;
}

TPropInfo& PublishedProperty(std::vector<TPropInfo>& Properties, std::u16string_view Name) {
  auto it = std::find_if(Properties.begin(), Properties.end(), [&](const TPropInfo& p) { return p.Name == Name; });
  if (it == Properties.end()) throw std::logic_error("not a published property");
  return *it;
}
