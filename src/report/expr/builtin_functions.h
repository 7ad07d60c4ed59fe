#pragma once
// The built-in functions of the expression language: their codes, names,
// argument counts and what they compute.

#include <QStringView>

#include "report/expr/tagged_value.h"
#include "report/expr/value_rules.h"

namespace dorvana {

inline constexpr int kBuiltinFunctionCount = 29;
// Longest name of a built-in function.
inline constexpr int kBuiltinNameLength = 10;

// Name (upper case) and number of arguments of the function with code 1..29.
const char* builtinFunctionName(int code);
int builtinArgumentCount(int code);

// Code of the function named word (letters compared without regard to the
// case of A-Z); 0 when there is none.
int findBuiltinFunction(QStringView word);

// Applies function `code` to its arguments (builtinArgumentCount(code) values).
bool applyBuiltinFunction(int code, const TaggedValue* args, TaggedValue* out, ValueFault* fault);

}  // namespace dorvana
