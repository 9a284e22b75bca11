#pragma once
// The framework's object model: class information that stands in for class
// references and virtual constructors, interfaces found by query, and the
// class registry that streaming looks classes up in.

#include <functional>
#include <initializer_list>

#include "host/System.h"

class TObject;
class TComponent;
struct TMessage;
struct TPublished;

// What a class reference carries: its name, its parent and, for classes that
// can be created by reference, a factory. Components receive their owner;
// other classes ignore it.
struct TClassInfo {
  const char16_t* Name;
  const TClassInfo* Parent;
  TObject* (*Factory)(TComponent* AOwner) = nullptr;
  // The published properties and methods the class itself adds (host/TypInfo.h).
  const TPublished& (*Published)() = nullptr;

  bool InheritsFrom(const TClassInfo* AClass) const;
  // A new instance, or nullptr for an abstract class.
  TObject* Create(TComponent* AOwner = nullptr) const { return Factory ? Factory(AOwner) : nullptr; }
};
using TClass = const TClassInfo*;

template <typename T>
TObject* CreateDefault(TComponent*) { return new T(); }
template <typename T>
TObject* CreateOwned(TComponent* AOwner) { return new T(AOwner); }

// Inside a class body: its class reference. HOST_CLASS_INFO gives the
// definitions in the class's source file.
#define HOST_CLASS(Name)           \
 public:                           \
  static TClass StaticClass();     \
  TClass ClassType() const override

#define HOST_CLASS_INFO(Name, Parent, Factory)                             \
  TClass Name::StaticClass() {                                             \
    static const TClassInfo info{u"" #Name, Parent::StaticClass(), Factory}; \
    return &info;                                                          \
  }                                                                        \
  TClass Name::ClassType() const { return StaticClass(); }

// The same for a class that publishes properties or methods: Published is a
// function returning its TPublished table.
#define HOST_CLASS_INFO_PUBLISHED(Name, Parent, Factory, Published)                   \
  TClass Name::StaticClass() {                                                        \
    static const TClassInfo info{u"" #Name, Parent::StaticClass(), Factory, Published}; \
    return &info;                                                                     \
  }                                                                                   \
  TClass Name::ClassType() const { return StaticClass(); }

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const;
  String ClassName() const { return ClassType()->Name; }
  TClass ClassParent() const { return ClassType()->Parent; }
  bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }

  // Message methods: Dispatch hands a message to the handler the class has
  // for its number, and to DefaultHandler when none has; a handler's
  // inherited call is its parent class's Dispatch.
  virtual void Dispatch(TMessage& Message) { DefaultHandler(Message); }
  virtual void DefaultHandler(TMessage& Message) {}

  // Runs just before the object is deleted, while it is still whole.
  virtual void BeforeDestruction() {}
  // BeforeDestruction, then delete; nothing for nullptr.
  static void Free(TObject* AObject);
};

// Deleter for owning pointers of framework objects.
struct TFreeObject {
  void operator()(TObject* AObject) const { TObject::Free(AObject); }
};

// The framework's plain event: the sender only.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Base of interfaces; objects implement them without reference counting.
class IInterface {
 public:
  virtual ~IInterface() = default;
};

template <typename I, typename T>
bool Supports(T* AObject, I** AIntf = nullptr) {
  I* found = dynamic_cast<I*>(AObject);
  if (AIntf) *AIntf = found;
  return found != nullptr;
}

// Classes streaming may name. Names match without regard to case.
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
void UnRegisterClass(TClass AClass);
// nullptr when the class is not registered.
TClass GetClass(std::u16string_view AClassName);
// Raises EClassNotFound ("Class %s not found").
TClass FindClass(std::u16string_view AClassName);
