#pragma once
// The framework's controls: TControl (bounds, alignment, colour and font,
// mouse events, message dispatch), TWinControl (a window created on demand,
// child controls, focus and the key path), TCustomControl and
// TGraphicControl (painted through a canvas), and the canvas of a control.

#include <functional>
#include <memory>
#include <vector>

#include "host/Canvas.h"
#include "host/Components.h"
#include "host/Messages.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind, 4>;
inline constexpr TAnchors DefaultAnchors{akLeft, akTop};

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, 8>;

enum TControlStyleItem : uint8_t {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
  csPannable,
  csAlignWithMargins,
  csGestures,
  csPaintBlackOpaqueOnGlass,
  csOverrideStylePaint
};
using TControlStyle = TSet<TControlStyleItem, 32>;

enum TControlStateItem : uint8_t {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
  csDesignerHide,
  csPanning,
  csRecreating,
  csAligning,
  csGlassPaint,
  csPrintClient
};
using TControlState = TSet<TControlStateItem, 32>;

enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragKind : uint8_t { dkDrag, dkDock };

// Cursors: negative values are the standard ones, positive ones a program's
// own (Screen.Cursors).
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;
const TIdentMap& CursorIdents();

using TWndMethod = std::function<void(TMessage& Message)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize)>;

// The shift state of a mouse message's key flags, Alt read from the keyboard.
TShiftState KeysToShiftState(WPARAM Keys);
// The shift state of a key message: Shift and Ctrl from the keyboard, Alt
// from the message.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The shift state of the keyboard and mouse buttons now.
TShiftState KeyboardStateToShiftState();

// Size limits; 0 means none.
class TSizeConstraints : public TPersistent {
  HOST_CLASS(TSizeConstraints);

  explicit TSizeConstraints(TControl* Control = nullptr) : FControl(Control) {}
  void Assign(TPersistent* Source) override;

  Integer GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(Integer Value);
  Integer GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  Integer GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer Value);
  Integer GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value);

  TNotifyEvent OnChange;

 private:
  void Changed();

  TControl* FControl;
  Integer FMaxHeight = 0;
  Integer FMaxWidth = 0;
  Integer FMinHeight = 0;
  Integer FMinWidth = 0;
};

class TControl : public TComponent {
  HOST_CLASS(TControl);

  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // The window method: WndProc unless replaced; a replacement keeps the old
  // value to chain to.
  TWndMethod WindowProc;
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return FParent != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  Integer GetLeft() const { return FLeft; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  Integer GetTop() const { return FTop; }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& Rect) {
    SetBounds(Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
  }
  // Constraints, CanResize and AutoSize have their say first.
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  // Client coordinates; a graphic control's is its own size.
  virtual TRect GetClientRect() const;
  Integer GetClientWidth() const;
  void SetClientWidth(Integer Value);
  Integer GetClientHeight() const;
  void SetClientHeight(Integer Value);
  // The client area's top-left on the screen.
  virtual TPoint GetClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  TPoint ClientToParent(TPoint P, TWinControl* AParent = nullptr) const;

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);
  TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and for a windowed control, its window shown.
  virtual bool IsShowing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // Caption and Text are the same text, kept by the window when there is one.
  String GetText() const;
  void SetText(const String& Value);
  String GetCaption() const { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }

  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  bool Dragging() const;
  void BeginDrag(bool Immediate, Integer Threshold = -1);
  void EndDrag(bool Drop);

  const TControlStyle& GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(const TControlStyle& Value) { FControlStyle = Value; }
  const TControlState& GetControlState() const { return FControlState; }
  void SetControlState(const TControlState& Value) { FControlState = Value; }

  bool GetMouseCapture() const;
  void SetMouseCapture(bool Value);

  // Marks the control for painting; Update paints what is marked; Repaint
  // paints at once (an opaque graphic control straight into its parent's
  // window, its windowed siblings clipped out).
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Scales bounds and font by M / D (nothing when they are equal).
  virtual void ChangeScale(Integer M, Integer D);
  virtual void Click();
  void Loaded() override;

  TCustomForm* GetParentForm() const;
  // The parent's font, colour and hint take over once the stored
  // properties are read, where the control keeps to them.
  void ReadState(TReader* Reader) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnConstrainedResize;
  TContextPopupEvent OnContextPopup;

 protected:
  virtual void WndProc(TMessage& Message);
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  virtual void Resize();
  virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
  virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
  virtual void ConstrainedResize(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth, Integer& MaxHeight);
  // Sizes the control to its content when AutoSize is set.
  virtual void AdjustSize();
  virtual void SetZOrder(bool TopMost);
  virtual void VisibleChanging() {}
  // What the bounds add to the client area: a window's frame.
  virtual TSize GetFrameSize() const { return TSize{0, 0}; }
  // A device context on the control's pixels: its own window's, or its
  // parent's moved to the control's position; WindowHandle gets the window
  // the context belongs to.
  virtual HDC GetDeviceContext(HWND& WindowHandle);
  // Invalidates the control's rectangle in the parent's window.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  void RequestAlign();
  void UpdateAnchorRules();
  // The font changed: ParentFont no longer holds.
  virtual void FontChanged();
  virtual void TextChanged() {}
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The dispatch of TControl's own messages.
  void WMMouseMove(TMessage& Message);
  void WMButtonDown(TMessage& Message, TMouseButton Button, bool DoubleClick);
  void WMButtonUp(TMessage& Message, TMouseButton Button);
  void WMMouseWheel(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CMMouseEnterLeave(TMessage& Message, bool Enter);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMHitTest(TMessage& Message) { Message.Result = 1; }

  friend class TWinControl;
  friend class TSizeConstraints;
  friend class TControlCanvas;

  TWinControl* FParent = nullptr;
  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TControlStyle FControlStyle;
  TControlState FControlState;
  String FText;
  TColor FColor = clWindow;
  bool FAutoSize = false;

 private:
  // The bounds the anchors keep, with the parent's client size they were
  // taken at.
  void ApplyAnchors(TSize ParentSize);
  bool CheckNewSize(Integer& NewWidth, Integer& NewHeight);

  TAlign FAlign = alNone;
  TAnchors FAnchors = DefaultAnchors;
  TRect FAnchorBounds{};
  TSize FAnchorParentSize{};
  bool FAnchorMove = false;
  std::unique_ptr<TSizeConstraints> FConstraints;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FSettingParentFont = false;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;
};

// The parameters CreateParams fills and CreateWindowHandle creates the
// window from.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  Integer X = 0;
  Integer Y = 0;
  Integer Width = 0;
  Integer Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSEXW WindowClass{};
  String WinClassName;
};

class TWinControl : public TControl {
  HOST_CLASS(TWinControl);

  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Created on first use, with the parents' windows before it.
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window and makes it again when needed, keeping the state.
  void RecreateWnd();

  Integer GetControlCount() const { return static_cast<Integer>(FControls.size() + FWinControls.size()); }
  // Graphic controls first, then windowed ones, each in z-order from the bottom.
  TControl* GetControls(Integer Index) const;
  bool ContainsControl(const TControl* Control) const;
  // The visible, enabled child at a client point, the topmost first;
  // windowed ones only when asked for.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);

  TBrush* GetBrush() const { return FBrush.get(); }
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  bool GetParentBackground() const { return FControlStyle.Contains(csParentBackground); }
  void SetParentBackground(bool Value);
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }

  Integer GetTabOrder() const;
  void SetTabOrder(Integer Value);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // Visible and enabled, with every parent.
  virtual bool CanFocus() const;
  virtual bool Focused() const;
  // Through the parent form when there is one.
  virtual void SetFocus();
  // The windowed descendants in tab order, each followed by its own.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The next control from CurControl that can take the focus; nullptr when none.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  bool IsShowing() const override { return FShowing; }
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  TRect GetClientRect() const override;
  TPoint GetClientOrigin() const override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void ChangeScale(Integer M, Integer D) override;

  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign();
  // Paints the graphic children into DC from First up (all from the bottom
  // when First is nullptr).
  void PaintControls(HDC DC, TControl* First);
  void PaintTo(HDC DC, Integer X, Integer Y);
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);
  void ScaleBy(Integer M, Integer D) { ChangeScale(M, D); }
  void Loaded() override;
  void ReadState(TReader* Reader) override;

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The control a window belongs to; nullptr for windows of others.
  static TWinControl* FindControl(HWND Handle);

 protected:
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  virtual void CreateParams(TCreateParams& Params);
  // A window class wrapped by the control: its procedure becomes the
  // default handling.
  void CreateSubClass(TCreateParams& Params, LPCWSTR ControlClassName);
  virtual void CreateWnd();
  virtual void CreateHandle();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyHandle();
  virtual void DestroyWindowHandle();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect) { }
  virtual void PaintWindow(HDC DC);
  virtual void PaintHandler(TMessage& Message);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // The form's key preview, then KeyDown; true when the key was consumed.
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  virtual void UpdateShowing();
  void UpdateControlState();
  void UpdateBounds();
  HDC GetDeviceContext(HWND& WindowHandle) override;
  void SetZOrder(bool TopMost) override;
  TSize GetFrameSize() const override;
  void FontChanged() override;
  virtual bool IsMenuKey(TMessage& Message);

  // Message handlers.
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMPrintClient(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  void WMCommandReflect(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNSysKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  bool FShowing = false;

 private:
  friend class TControl;
  friend class TCustomForm;
  friend LRESULT ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  void MainWndProc(TMessage& Message);
  // A mouse message over (or captured by) a graphic child goes to it.
  bool IsControlMouseMsg(TMessage& Message);
  void AlignByAnchors();
  void FixupTabList();
  void UpdateTabOrder(Integer Value);
  HWND PrecedingWindow(const TWinControl* Control) const;

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  std::unique_ptr<TBrush> FBrush;
  bool FDoubleBuffered = false;
  bool FCtl3D = true;
  bool FTabStop = false;
  Integer FTabOrder = -1;  // while reading: the stored value
  Integer FAlignLevel = 0;
};

// A canvas on a control's pixels: the paint DC while it paints, otherwise a
// device context taken when needed and given back after the message.
class TControlCanvas : public TCanvas {
  HOST_CLASS(TControlCanvas);

  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AControl);
  void FreeHandle();
  // Every control canvas's borrowed device context is given back.
  static void FreeDeviceContexts();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

class TCustomControl : public TWinControl {
  HOST_CLASS(TCustomControl);

  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  void Dispatch(TMessage& Message) override;
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TGraphicControl : public TControl {
  HOST_CLASS(TGraphicControl);

  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  void Dispatch(TMessage& Message) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The control holding the mouse: a windowed one with the window capture, or
// a graphic one through its parent's window.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the pointer was last seen over (for mouse enter and leave).
TControl* GetMouseControl();

// The framework's share of the message loop: a key message offered first to
// its control as CN_KEYDOWN, CN_CHAR, ...; true when that consumed it, so
// that it is neither translated nor dispatched.
bool IsKeyMsg(MSG& Msg);

// Registers the controls' classes for streaming.
void RegisterControlClasses();
