#include "host/Pictures.h"

#include "host/Filer.h"
#include "host/Streams.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

namespace {

std::vector<TFileFormat>& FileFormats() {
  static std::vector<TFileFormat> formats;
  return formats;
}

bool IsGraphicClass(TClass AClass) { return AClass && AClass->InheritsFrom(TGraphic::StaticClass()); }

// A new graphic of a registered class; EInvalidGraphic when it cannot be made.
std::unique_ptr<TGraphic> NewGraphic(TGraphicClass GraphicClass) {
  std::unique_ptr<TObject> object(IsGraphicClass(GraphicClass) ? GraphicClass->Create() : nullptr);
  auto* graphic = dynamic_cast<TGraphic*>(object.get());
  if (!graphic) throw EInvalidGraphic(SNotAGraphicClass, {String(GraphicClass ? GraphicClass->Name : u"nil")});
  object.release();
  return std::unique_ptr<TGraphic>(graphic);
}

// The extension without its dot; empty when the name has none.
String ExtensionOf(const String& FileName) {
  const size_t dot = FileName.find_last_of(u'.');
  const size_t slash = FileName.find_last_of(u"/\\");
  if (dot == String::npos || (slash != String::npos && dot < slash)) return {};
  return FileName.substr(dot + 1);
}

TGraphicClass ClassOfExtension(const String& Extension) {
  if (Extension.empty()) return nullptr;
  for (const TFileFormat& f : FileFormats())
    if (SameText(f.Extension, Extension)) return f.GraphicClass;
  return nullptr;
}

TGraphicClass ClassNamed(std::u16string_view Name) {
  for (const TFileFormat& f : FileFormats())
    if (SameText(f.GraphicClass->Name, Name)) return f.GraphicClass;
  // Graphics that are only registered for streaming.
  TClass registered = GetClass(Name);
  return IsGraphicClass(registered) ? registered : nullptr;
}

}  // namespace

const std::vector<TFileFormat>& GetFileFormats() { return FileFormats(); }

void ClearFileFormats() { FileFormats().clear(); }

HOST_CLASS_INFO(TPicture, TInterfacedPersistent, &CreateDefault<TPicture>)

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> Graphic) {
  FGraphic = std::move(Graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic.get()) return;
  if (!Value) return Take(nullptr);
  std::unique_ptr<TGraphic> copy = NewGraphic(Value->ClassType());
  copy->Assign(Value);
  Take(std::move(copy));
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) return SetGraphic(nullptr);
  if (auto* picture = dynamic_cast<TPicture*>(Source)) return SetGraphic(picture->GetGraphic());
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) return SetGraphic(graphic);
  TInterfacedPersistent::Assign(Source);
}

TBitmap* TPicture::GetBitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& FileName) {
  const String extension = ExtensionOf(FileName);
  TGraphicClass graphicClass = ClassOfExtension(extension);
  if (!graphicClass) throw EInvalidGraphic(SUnknownExtension, {extension});
  std::unique_ptr<TGraphic> graphic = NewGraphic(graphicClass);
  graphic->LoadFromFile(FileName);
  Take(std::move(graphic));
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::DefineProperties(TFiler* Filer) {
  bool hasData = FGraphic != nullptr;
  if (auto* ancestor = dynamic_cast<TPicture*>(Filer->GetAncestor())) {
    TGraphic* theirs = ancestor->GetGraphic();
    hasData = FGraphic ? !FGraphic->Equals(theirs) : theirs != nullptr;
  }
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      hasData);
}

void TPicture::ReadData(TStream* Stream) {
  const Byte length = Stream->ReadByte();
  AnsiString name(length, '\0');
  Stream->ReadBuffer(name.data(), length);
  if (name.empty()) return Take(nullptr);
  TGraphicClass graphicClass = ClassNamed(AnsiToString(name));
  if (!graphicClass) throw EInvalidGraphic(SUnknownGraphicClass, {AnsiToString(name)});
  std::unique_ptr<TGraphic> graphic = NewGraphic(graphicClass);
  graphic->ReadData(Stream);
  Take(std::move(graphic));
}

void TPicture::WriteData(TStream* Stream) {
  const AnsiString name = FGraphic ? StringToAnsi(FGraphic->ClassName()) : AnsiString();
  // Class names are identifiers, far shorter than the length byte allows.
  if (name.size() > 255) throw EWriteError(SWriteError);
  Stream->WriteByte(static_cast<Byte>(name.size()));
  Stream->WriteBuffer(name.data(), static_cast<Int64>(name.size()));
  if (FGraphic) FGraphic->WriteData(Stream);
}

void TPicture::RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass) {
  if (!IsGraphicClass(GraphicClass))
    throw EInvalidGraphic(SNotAGraphicClass, {String(GraphicClass ? GraphicClass->Name : u"nil")});
  String extension = Extension;
  if (!extension.empty() && extension.front() == u'.') extension.erase(0, 1);
  auto& formats = FileFormats();
  formats.insert(formats.begin(), {LowerCase(extension), Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass GraphicClass) {
  if (!GraphicClass) return;
  std::erase_if(FileFormats(), [&](const TFileFormat& f) { return f.GraphicClass->InheritsFrom(GraphicClass); });
}

String GraphicExtension(TGraphicClass GraphicClass) {
  for (const TFileFormat& f : FileFormats())
    if (f.GraphicClass == GraphicClass && !f.Extension.empty()) return f.Extension;
  return {};
}

String GraphicFileMask(TGraphicClass GraphicClass) {
  String mask;
  for (const TFileFormat& f : FileFormats()) {
    if (f.Extension.empty() || !GraphicClass || !f.GraphicClass->InheritsFrom(GraphicClass)) continue;
    if (!mask.empty()) mask += u';';
    mask += u"*." + f.Extension;
  }
  return mask;
}

String GraphicFilter(TGraphicClass GraphicClass) {
  const String all = GraphicFileMask(GraphicClass);
  if (all.empty()) return {};
  String filter = u"All (" + all + u")|" + all;
  for (const TFileFormat& f : FileFormats()) {
    if (f.Extension.empty() || !f.GraphicClass->InheritsFrom(GraphicClass)) continue;
    filter += u"|" + f.Description + u" (*." + f.Extension + u")|*." + f.Extension;
  }
  return filter;
}
