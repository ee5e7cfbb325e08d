// The tool window's own texts: captions (with their & mnemonics) and tooltips
// of the controls whose state the window's logic decides, kept here once for
// every front end that shows or names them.
#pragma once

#include <array>

namespace core {

inline constexpr char kWindowCaption[] = "VB Quillmark";

inline constexpr std::array<const char*, 5> kHeaderTypeCaptions{"&Procedure", "&Module", "Re&vision",
                                                                 "C&omment", "&Error"};
inline constexpr std::array<const char*, 4> kSectionCaptions{"&Description", "I&nputs", "Ass&umptions",
                                                             "&Results"};
inline constexpr std::array<const char*, 4> kHandlerCaptions{"Cus&tom Error Handler", "&Resume Next",
                                                             "Standard E&XE MsgBox", "Compo&nent MsgBox"};
inline constexpr std::array<const char*, 4> kRevisionCaptions{"P&rocedure", "Mo&dule", "Revision.t&xt",
                                                              "Code Sectio&n"};
inline constexpr std::array<const char*, 2> kHeaderPlaceCaptions{"&Before", "&After"};

/// The Insert button's caption in each mode.
inline constexpr std::array<const char*, 5> kInsertCaptions{
    "&Insert Procedure Header", "&Insert Module Header", "&Insert Revision Info.", "&Insert Comment",
    "&Insert Error Handler"};
inline constexpr char kInsertDesignCaption[] = "&Insert Text";

inline constexpr char kClearCaption[] = "&Clear Text";
inline constexpr char kClearTooltip[] = "Clear Header Text in Text Box";
inline constexpr char kClearAllCaption[] = "C&lear All Proc Headers";
inline constexpr char kClearAllTooltip[] = "Clear text from all procedure header sections";
inline constexpr char kSaveHandlerCaption[] = "&Save Custom Handler";
inline constexpr char kSaveHandlerTooltip[] = "Save custom error handler code";

/// txtHeader 0 to 7.
inline constexpr std::array<const char*, 8> kBoxTooltips{
    "Procedure Description", "Procedure Input Parameters", "Use of Globals in Procedure",
    "Procedure Results",     "Module Header Text",         "Revision Text",
    "Comment Text",          "Error Handler"};
/// chkRevision 0 to 3.
inline constexpr std::array<const char*, 4> kRevisionTooltips{
    "Place revision info at procedure header.", "Place revision info in module Declarations section",
    "Place revision info into REVISIONS.TXT file", "Place revision info next to changed code."};

inline constexpr char kNameTooltip[] = "Enter Author's name here";
inline constexpr char kInitialsTooltip[] = "Enter Author's Initials";
inline constexpr char kSaveTooltip[] = "Save Author's Name and Initials ";
inline constexpr char kRevTypeTooltip[] = "Select Revision Type";
inline constexpr char kRevNumberTooltip[] = "Enter the revision number";
inline constexpr char kOnTopTooltip[] = "Check to keep this form on top.";
inline constexpr std::array<const char*, 3> kRevTypes{"BUG", "ALT", "NEW"};

}  // namespace core
