// The searches of the error-handler engine: a declaration or closing statement
// that stands in code, and the line below a declaration.
#pragma once

#include <string>

#include "ide/ide.h"

namespace errorhandlers {

/// The first line from `first` to `last` where `target` (letter case as given)
/// starts in code; matches inside a comment or a string literal are passed over
/// and the search goes on after them. 0 when there is none or the search fails.
long FindCodeLine(const ide::CodeModule& module, const std::string& target, long first, long last);

/// The first line from `first` to `last` that opens with the label `label`
/// ("Foo_Err:" after any blanks and tabs, letter case ignored); 0 when there is
/// none.
long FindLabelLine(const ide::CodeModule& module, const std::string& label, long first, long last);

/// The line where the statement below a declaration goes: the line after
/// `lastDeclLine`, or, when the declaration is one of several alternatives under
/// #If ... #Else ... #End If, the line after that #End If, so that the statement
/// is in force whichever branch is compiled. The #End If is looked for up to
/// line `limit`.
long LineBelowDeclaration(const ide::CodeModule& module, long lastDeclLine, long limit);

}  // namespace errorhandlers
