#pragma once
// Objects that can be assigned to each other and stored.

#include <memory>
#include <utility>
#include <vector>

#include "host/Objects.h"

class TFiler;

class TPersistent : public TObject {
  HOST_CLASS(TPersistent);

  // Copies from Source; without a way to, Source's AssignTo is asked, and
  // failing that EConvertError "Cannot assign a %s to a %s" is raised.
  virtual void Assign(TPersistent* Source);
  // Dotted path of names from the owner down, for messages and streaming.
  virtual String GetNamePath() const;
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Pseudo-properties written with the published ones.
  virtual void DefineProperties(TFiler* Filer) {}

  // The method names events were bound to by name, so a writer can name
  // them again; an empty method removes the entry.
  String GetBoundMethod(std::u16string_view Event) const;
  void SetBoundMethod(std::u16string_view Event, const String& Method);

 protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(const TPersistent* Source) const;

 private:
  std::unique_ptr<std::vector<std::pair<String, String>>> FBoundMethods;
};

// Implements interfaces without counting references: its owner decides its
// life.
class TInterfacedPersistent : public TPersistent, public virtual IInterface {
  HOST_CLASS(TInterfacedPersistent);
};
