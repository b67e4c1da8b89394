// The macro library file (config/MacroLibraryFile.mlf) and the macro export
// files, which share its format: a UTF-16 line file of a header, a mark
// location and one block per used item.
//
//   [MacroLibrary]
//   MacroKeyIndex=<NextMacroKeyIndex>
//   Select Locaton:stage=..;stage0Index=..;stage1Index=..;stage2Index=..;
//   ++++++++MacroItemName=<name>            one tab per stage before every
//   MacroItemLocation:stage=..;...;          line of a block
//   MacroItemIsFolder=<0|1>
//   MacroItemFolderIsOpen=<flag>
//   MacroKeyIndex=, MacroKeyLoopType=, MacroKeyLoopNum=, MacroActionNum=,
//   MacroCommandActionNum=, AllAction=<2688 hex digits>   (macros only)
//
// Reading is by position: every line is taken for the text after its first
// "=", whatever stands before it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_library.h"
#include "model/reason.h"
#include "storage/file_system.h"

namespace velmaro {

// Digits of the AllAction value: 336 slots of 8.
inline constexpr size_t kAllActionDigits = kMacroActionSlots * 8;

// config/MacroLibraryFile.mlf below the data folder (which ends with "/").
std::string MacroLibraryPath(std::u16string_view data_folder);

struct MacroLibraryLoad {
    // The file could be opened. When not, the library was left unchanged.
    bool Opened = false;
    // Lines 1 to 3 were valid; Mark holds line 3.
    bool HasMark = false;
    MacroItemLocation Mark;
    // The whole file was read, up to its end at an item boundary.
    bool ReadToEnd = false;
    // Item blocks whose location is not a slot of the tree; they were skipped.
    int SkippedItems = 0;
    // Every item of the file is in the library: read to its end (or stopped
    // only by empty lines at an item boundary) and nothing skipped.
    bool Complete = false;
    // The largest MacroKeyIndex among the macros read (0 when none).
    uint32_t HighestKeyIndex = 0;
    // Numbers that were not as the program writes them (a stray character,
    // too large for their field), each read up to its first stray character
    // and clamped to the field: one reason per line, "line 57
    // (MacroKeyLoopType=3x) is not a number from 0 to 255 and reads as 3".
    std::vector<Reason> Repairs;
    // The MacroKeyIndex of each macro holding such a value.
    std::vector<uint32_t> RepairedKeys;
};

// Clears the library and fills it from the file. Items read before a fault
// stay. NextMacroKeyIndex comes from line 2, raised above the largest key
// read when it would hand out a key already in use. When the file could be opened
// but not all of it was taken, or a value had to be repaired,
// library.IncompleteLoadPath becomes `path` (otherwise it is cleared) so the
// file is kept before it is overwritten.
MacroLibraryLoad LoadMacroLibrary(const std::string& path, MacroLibrary& library, FileSystem& fs);

// Writes the whole library with `mark` on line 3 (stage -1 for the library
// file itself), replacing the file atomically. When `path` is a file the
// library did not load completely, its old content is first kept beside it
// (once); if that fails nothing is written. False when nothing was written.
bool SaveMacroLibrary(const std::string& path, MacroLibrary& library, FileSystem& fs,
                      const MacroItemLocation& mark = MacroItemLocation::None());

}  // namespace velmaro
