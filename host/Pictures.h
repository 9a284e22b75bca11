#pragma once
// A picture holds one graphic of any registered kind, chosen by file
// extension when loading and by class name when streaming.

#include <memory>
#include <vector>

#include "host/Bitmaps.h"

inline constexpr char16_t SUnknownExtension[] = u"Unknown picture file extension (.%s)";
inline constexpr char16_t SUnknownGraphicClass[] = u"Unknown graphic class %s";
inline constexpr char16_t SNotAGraphicClass[] = u"%s is not a graphic class";

// A class reference of a TGraphic descendant.
using TGraphicClass = TClass;

class TPicture : public TInterfacedPersistent {
  HOST_CLASS(TPicture);

  TPicture();
  ~TPicture() override;

  // From a picture or a graphic, a copy; nullptr empties.
  void Assign(TPersistent* Source) override;

  // nullptr when empty.
  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // Holds a copy of Value, of its class.
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap, replacing one of another kind with an empty
  // bitmap.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
  Integer GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
  Integer GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

  // By the registered class of the file's extension; EInvalidGraphic for an
  // unknown one. A failed load leaves the picture as it was.
  void LoadFromFile(const String& FileName);
  // Nothing when empty.
  void SaveToFile(const String& FileName);

  // "Data": the graphic's class name (a byte of length, then the name)
  // followed by what the graphic's WriteData writes.
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;

  // The latest registration of an extension (without its dot, case
  // ignored) wins. An empty extension registers the class for streaming
  // only. EInvalidGraphic for a class that is not a graphic.
  static void RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass);
  // Removes the formats of GraphicClass and of its descendants.
  static void UnregisterGraphicClass(TGraphicClass GraphicClass);

 protected:
  virtual void Changed(TObject* Sender);

 private:
  void Take(std::unique_ptr<TGraphic> Graphic);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  std::unique_ptr<TGraphic> FGraphic;
};

struct TFileFormat {
  String Extension;
  String Description;
  TGraphicClass GraphicClass;
};
// The registrations, latest first.
const std::vector<TFileFormat>& GetFileFormats();
// Forgets every registration; the unit's finalization.
void ClearFileFormats();

// The first extension registered for exactly that class, or empty.
String GraphicExtension(TGraphicClass GraphicClass);
// "*.bmp;*.png" for the formats of the class and its descendants.
String GraphicFileMask(TGraphicClass GraphicClass);
// "All (*.bmp;*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp|...", for file
// dialogs.
String GraphicFilter(TGraphicClass GraphicClass);
