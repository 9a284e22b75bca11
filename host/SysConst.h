#pragma once
// Message texts of the run-time's errors.

inline constexpr char16_t SInvalidInteger[] = u"'%s' is not a valid integer value";
inline constexpr char16_t SInvalidFormat[] = u"Format '%s' invalid or incompatible with argument";
inline constexpr char16_t SArgumentMissing[] = u"No argument for format '%s'";
inline constexpr char16_t SOperationAborted[] = u"Operation aborted";
inline constexpr char16_t SAssertionFailed[] = u"Assertion failed";
inline constexpr char16_t SAssertError[] = u"%s (%s, line %d)";
inline constexpr char16_t SInvalidOp[] = u"Invalid floating point operation";
inline constexpr char16_t SArgumentOutOfRange[] = u"Argument out of range";
inline constexpr char16_t SInvalidCast[] = u"Invalid class typecast";
inline constexpr char16_t SExceptTitle[] = u"Application Error";
inline constexpr char16_t SUnknownException[] = u"Unknown exception";

inline constexpr char16_t SListIndexError[] = u"List index out of bounds (%d)";
inline constexpr char16_t SListCapacityError[] = u"List capacity out of bounds (%d)";
inline constexpr char16_t SListCountError[] = u"List count out of bounds (%d)";
inline constexpr char16_t SDuplicateString[] = u"String list does not allow duplicates";
inline constexpr char16_t SSortedListError[] = u"Operation not allowed on sorted list";

inline constexpr char16_t SReadError[] = u"Stream read error";
inline constexpr char16_t SWriteError[] = u"Stream write error";
inline constexpr char16_t SMemoryStreamError[] = u"Out of memory while expanding memory stream";
inline constexpr char16_t SFOpenError[] = u"Cannot open file \"%s\". %s";
inline constexpr char16_t SFCreateError[] = u"Cannot create file \"%s\". %s";
inline constexpr char16_t SResNotFound[] = u"Resource %s not found";
inline constexpr char16_t SClassNotFound[] = u"Class %s not found";
inline constexpr char16_t SDuplicateClass[] = u"A class named %s already exists";
inline constexpr char16_t SInvalidImage[] = u"Invalid stream format";

inline constexpr char16_t SInvalidVarCast[] = u"Invalid variant type conversion";
inline constexpr char16_t SInvalidVarOp[] = u"Invalid variant operation";
inline constexpr char16_t SVarTypeCouldNotConvert[] = u"Could not convert variant of type (%s) into type (%s)";
inline constexpr char16_t SVarOverflow[] = u"Variant overflow";
inline constexpr char16_t SVarBadIndex[] = u"Variant or safe array index out of bounds";
inline constexpr char16_t SVarInvalidArg[] = u"Invalid argument";

inline constexpr char16_t SAssignError[] = u"Cannot assign a %s to a %s";
inline constexpr char16_t SInvalidName[] = u"'%s' is not a valid component name";
inline constexpr char16_t SDuplicateName[] = u"A component named %s already exists";
inline constexpr char16_t SUnknownProperty[] = u"Property %s does not exist";
inline constexpr char16_t SInvalidPropertyValue[] = u"Invalid property value";
inline constexpr char16_t SMethodNotFound[] = u"Method '%s' not found";

inline constexpr char16_t SParseError[] = u"%s on line %d";
inline constexpr char16_t SIdentifierExpected[] = u"Identifier expected";
inline constexpr char16_t SStringExpected[] = u"String expected";
inline constexpr char16_t SIntegerExpected[] = u"Integer expected";
inline constexpr char16_t SValueExpected[] = u"Value expected";
inline constexpr char16_t SObjectExpected[] = u"'object', 'inherited' or 'inline' expected";
inline constexpr char16_t SCharExpected[] = u"'%s' expected";
inline constexpr char16_t SEndExpected[] = u"'end' expected";
inline constexpr char16_t SItemExpected[] = u"'item' or '>' expected";
inline constexpr char16_t SEndOfTextExpected[] = u"End of text expected";
inline constexpr char16_t SUnexpectedEndOfText[] = u"Unexpected end of text";
inline constexpr char16_t SInvalidStringConstant[] = u"Invalid string constant";
inline constexpr char16_t SCharCodeOutOfRange[] = u"Character code out of range";
inline constexpr char16_t SInvalidNumber[] = u"Invalid number";
inline constexpr char16_t SIntegerOutOfRange[] = u"Integer out of range";
inline constexpr char16_t SFloatOutOfRange[] = u"Float out of range";
inline constexpr char16_t SInvalidBinary[] = u"Invalid binary value";
inline constexpr char16_t SNestingTooDeep[] = u"Nesting too deep";
