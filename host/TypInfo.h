#pragma once
// Published properties and methods: the tables through which stored form
// descriptions read and write objects, in place of run-time type information.
//
// A class lists what it adds in a TPublished table returned by the function
// its HOST_CLASS_INFO_PUBLISHED names; lookups walk the parents too.

#include <any>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

#include "host/Objects.h"
#include "host/Sets.h"

enum TTypeKind : uint8_t { tkInteger, tkInt64, tkChar, tkEnumeration, tkSet, tkFloat, tkString, tkClass, tkMethod };

// The value names of an enumeration, the ordinal being the index; its sets
// use the same names.
struct TEnumNames {
  std::vector<String> Names;
  // Without regard to case; -1 when absent.
  Integer IndexOf(std::u16string_view Name) const;
};

// Integers written as identifiers where they have one (colours, cursors).
struct TIdentMapEntry {
  Int64 Value;
  const char16_t* Name;
};
struct TIdentMap {
  std::vector<TIdentMapEntry> Entries;
  bool ToIdent(Int64 Value, String& Ident) const;
  bool ToInt(std::u16string_view Ident, Int64& Value) const;
};

struct TPropInfo {
  String Name;
  TTypeKind Kind = tkInteger;
  const TEnumNames* Enum = nullptr;   // tkEnumeration, tkSet
  const TIdentMap* Idents = nullptr;  // tkInteger with identifiers
  TClass PropClass = nullptr;         // tkClass
  // A sub-object the owner keeps (a font), read and written in place; else
  // a reference to a component found by name.
  bool IsSubObject = false;
  // Ordinal kinds: a value equal to it is not written.
  std::optional<Int64> Default;
  // Null means always stored.
  std::function<bool(const TObject*)> Stored;

  std::function<Int64(const TObject*)> GetOrd;  // integers, characters, enumerations, sets as bits
  std::function<void(TObject*, Int64)> SetOrd;
  std::function<Extended(const TObject*)> GetFloat;
  std::function<void(TObject*, Extended)> SetFloat;
  std::function<String(const TObject*)> GetStr;
  std::function<void(TObject*, const String&)> SetStr;
  std::function<TObject*(const TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;  // references only
  // tkMethod: assigns a handler made by a TMethodInfo, or clears with an
  // empty std::any. A handler of the wrong type raises EPropertyError.
  std::function<void(TObject*, const std::any&)> SetMethod;

  bool IsStored(const TObject* Instance) const { return !Stored || Stored(Instance); }
};

// A handler an event can be bound to by name: Make returns it bound to the
// instance, as the event's function type inside a std::any.
struct TMethodInfo {
  String Name;
  std::function<std::any(TObject* Instance)> Make;
};

// A field of an owner that holds the owned component of the same name: set
// when the component is named or inserted, cleared when it goes.
struct TFieldInfo {
  String Name;
  std::function<void(TObject* Owner, TObject* Value)> Set;
};

struct TPublished {
  std::vector<TPropInfo> Properties{};
  std::vector<TMethodInfo> Methods{};
  std::vector<TFieldInfo> Fields{};
};

// Names match without regard to case; the class's own entries come before
// its parents'.
const TPropInfo* GetPropInfo(TClass AClass, std::u16string_view Name);
// Every published property, the parents' first, in the order declared.
std::vector<const TPropInfo*> GetPropList(TClass AClass);
const TMethodInfo* FindMethod(TClass AClass, std::u16string_view Name);
const TFieldInfo* FindField(TClass AClass, std::u16string_view Name);

// Binds Instance's event to Root's method, remembering the name for the
// writer; EPropertyError when Root has no such method.
void SetMethodProp(TObject* Instance, const TPropInfo& Prop, TObject* Root, const String& MethodName);
// The name of the method bound by SetMethodProp; empty when none is.
String GetMethodProp(const TObject* Instance, const TPropInfo& Prop);

// Builders. Getters and setters are the class's GetX / SetX members.
namespace PublishedDetail {
template <typename T>
struct TSetterArg;
template <typename C, typename A>
struct TSetterArg<void (C::*)(A)> {
  using Type = std::decay_t<A>;
};
template <typename C>
const C* As(const TObject* o) { return static_cast<const C*>(o); }
template <typename C>
C* As(TObject* o) { return static_cast<C*>(o); }
}  // namespace PublishedDetail

template <typename C, typename Get, typename Set>
TPropInfo OrdinalProp(const char16_t* Name, TTypeKind Kind, Get get, Set set, std::optional<Int64> Default) {
  using Arg = typename PublishedDetail::TSetterArg<Set>::Type;
  TPropInfo p;
  p.Name = Name;
  p.Kind = Kind;
  p.Default = Default;
  p.GetOrd = [get](const TObject* o) { return static_cast<Int64>((PublishedDetail::As<C>(o)->*get)()); };
  p.SetOrd = [set](TObject* o, Int64 v) { (PublishedDetail::As<C>(o)->*set)(static_cast<Arg>(v)); };
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo IntegerProp(const char16_t* Name, Get get, Set set, std::optional<Int64> Default = std::nullopt) {
  return OrdinalProp<C>(Name, tkInteger, get, set, Default);
}

template <typename C, typename Get, typename Set>
TPropInfo IdentProp(const char16_t* Name, const TIdentMap& Idents, Get get, Set set,
                    std::optional<Int64> Default = std::nullopt) {
  TPropInfo p = OrdinalProp<C>(Name, tkInteger, get, set, Default);
  p.Idents = &Idents;
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo EnumProp(const char16_t* Name, const TEnumNames& Names, Get get, Set set,
                   std::optional<Int64> Default = std::nullopt) {
  TPropInfo p = OrdinalProp<C>(Name, tkEnumeration, get, set, Default);
  p.Enum = &Names;
  return p;
}

// The enumeration of False and True.
const TEnumNames& BooleanNames();

template <typename C, typename Get, typename Set>
TPropInfo BoolProp(const char16_t* Name, Get get, Set set, std::optional<bool> Default = std::nullopt) {
  return EnumProp<C>(Name, BooleanNames(), get, set,
                     Default ? std::optional<Int64>(*Default ? 1 : 0) : std::nullopt);
}

// Sets of up to 64 members, kept as their bits.
template <typename C, typename Get, typename Set>
TPropInfo SetProp(const char16_t* Name, const TEnumNames& Names, Get get, Set set,
                  std::optional<Int64> DefaultBits = std::nullopt) {
  using TSetType = typename PublishedDetail::TSetterArg<Set>::Type;
  TPropInfo p;
  p.Name = Name;
  p.Kind = tkSet;
  p.Enum = &Names;
  p.Default = DefaultBits;
  p.GetOrd = [get](const TObject* o) { return static_cast<Int64>((PublishedDetail::As<C>(o)->*get)().ToBits()); };
  p.SetOrd = [set](TObject* o, Int64 v) {
    (PublishedDetail::As<C>(o)->*set)(TSetType::FromBits(static_cast<UInt64>(v)));
  };
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo CharProp(const char16_t* Name, Get get, Set set, std::optional<Int64> Default = std::nullopt) {
  return OrdinalProp<C>(Name, tkChar, get, set, Default);
}

// A float of value 0 is never written.
template <typename C, typename Get, typename Set>
TPropInfo FloatProp(const char16_t* Name, Get get, Set set) {
  using Arg = typename PublishedDetail::TSetterArg<Set>::Type;
  TPropInfo p;
  p.Name = Name;
  p.Kind = tkFloat;
  p.GetFloat = [get](const TObject* o) { return static_cast<Extended>((PublishedDetail::As<C>(o)->*get)()); };
  p.SetFloat = [set](TObject* o, Extended v) { (PublishedDetail::As<C>(o)->*set)(static_cast<Arg>(v)); };
  return p;
}

// An empty string is not written.
template <typename C, typename Get, typename Set>
TPropInfo StringProp(const char16_t* Name, Get get, Set set) {
  TPropInfo p;
  p.Name = Name;
  p.Kind = tkString;
  p.GetStr = [get](const TObject* o) { return String((PublishedDetail::As<C>(o)->*get)()); };
  p.SetStr = [set](TObject* o, const String& v) { (PublishedDetail::As<C>(o)->*set)(v); };
  return p;
}

// A sub-object kept by the instance; its own properties are read and
// written in place.
template <typename C, typename T, typename Get>
TPropInfo SubObjectProp(const char16_t* Name, Get get) {
  TPropInfo p;
  p.Name = Name;
  p.Kind = tkClass;
  p.PropClass = T::StaticClass();
  p.IsSubObject = true;
  p.GetObj = [get](const TObject* o) -> TObject* { return (PublishedDetail::As<C>(o)->*get)(); };
  return p;
}

// A reference to a component, written by name; nullptr is not written.
template <typename C, typename T, typename Get, typename Set>
TPropInfo ComponentProp(const char16_t* Name, Get get, Set set) {
  TPropInfo p;
  p.Name = Name;
  p.Kind = tkClass;
  p.PropClass = T::StaticClass();
  p.GetObj = [get](const TObject* o) -> TObject* { return (PublishedDetail::As<C>(o)->*get)(); };
  p.SetObj = [set](TObject* o, TObject* v) { (PublishedDetail::As<C>(o)->*set)(dynamic_cast<T*>(v)); };
  return p;
}

// An event member (a std::function) of the class.
template <typename C, typename F>
TPropInfo EventProp(const char16_t* Name, F C::*Member) {
  TPropInfo p;
  p.Name = Name;
  p.Kind = tkMethod;
  p.SetMethod = [Member](TObject* o, const std::any& handler) {
    C* c = PublishedDetail::As<C>(o);
    if (!handler.has_value()) c->*Member = nullptr;
    else if (const F* f = std::any_cast<F>(&handler)) c->*Member = *f;
    else throw std::bad_any_cast();
  };
  return p;
}

// A method of C taking the event's arguments, published under Name for the
// event type F (a std::function).
template <typename F, typename C, typename M>
TMethodInfo PublishedMethod(const char16_t* Name, M C::*Method) {
  return {Name, [Method](TObject* o) -> std::any {
            C* c = PublishedDetail::As<C>(o);
            return F([c, Method](auto&&... args) { return (c->*Method)(std::forward<decltype(args)>(args)...); });
          }};
}

// A pointer member of C that holds a component of type T; a component of
// another type leaves it null.
template <typename C, typename T>
TFieldInfo PublishedField(const char16_t* Name, T* C::*Member) {
  return {Name, [Member](TObject* o, TObject* v) { PublishedDetail::As<C>(o)->*Member = dynamic_cast<T*>(v); }};
}
