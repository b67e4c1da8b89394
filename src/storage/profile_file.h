// Profile files (.psf): a complete image of one profile in 93 lines. The five
// slot files live at the ProfileSlot paths of the settings; the same format
// serves for export and import.
//
// The reader is strict about the number and order of lines and lenient about
// their names: every value is taken from a fixed place in a fixed line, and
// any missing or malformed line fails the whole read, after which the slot is
// rebuilt from defaults and its own slot file rewritten.
#pragma once

#include <string>

#include "model/program_state.h"
#include "storage/file_system.h"
#include "storage/storage_report.h"

namespace velmaro {

// Writes the slot's record to `path`. True only when the whole file is on
// disk; on false whatever was at `path` is unchanged. False for a slot
// outside 0..4.
bool WriteProfileFile(const ProgramState& state, int slot, const std::u16string& path,
                      FileSystem& fs);

// What reading a profile file found, without changing anything else.
struct ProfileParse {
    // Every line was read.
    bool Ok = false;
    // Why not, as a reason for the user ("it does not exist", "line 58 has
    // no \"=\"", "it ends after line 80 (a profile has 93 lines)"), and the
    // same in English.
    Reason Why;
    std::string Problem;
    // When Ok: the first line (from 1) that the program would write
    // differently for what was read (a value repaired, normalised or a line
    // after the last one); 0 when the file is exactly what it writes.
    int FirstDifferentLine = 0;
};

// The file's bytes for this record, as WriteProfileFile writes them.
std::string ProfileFileBytes(const ProfileRecord& record);

// Reads `path` into `record`, which may hold part of the file when the read
// fails. Changes no file.
ProfileParse ParseProfileFile(const std::u16string& path, FileSystem& fs, ProfileRecord& record);

struct ProfileReadResult {
    // Every line was read. When false the slot holds defaults, its own slot
    // file was kept aside (when it existed) and rewritten; Report says how
    // that went.
    bool Ok = false;
    // Why the read failed (ProfileParse::Why and Problem).
    Reason Why;
    std::string Problem;
    StorageReport Report;
};

// Reads `path` into the slot's record. The file at `path` itself is never
// changed by a failed read, unless it is the slot's own file. The slot's own
// file, read well but not as the program writes it, is kept beside itself
// before it is ever rewritten.
ProfileReadResult ReadProfileFile(ProgramState& state, int slot, const std::u16string& path,
                                  FileSystem& fs);

// Each slot to its ProfileSlot path; the report lists the files not written.
StorageReport WriteAllProfileFiles(const ProgramState& state, FileSystem& fs);

// Before a change the user did not make replaces them (another sensor), the
// slot files whose bytes would change are kept beside themselves, each noted
// with `reason`.
void KeepChangedProfileFiles(const ProgramState& state, FileSystem& fs, StorageReport& report,
                             const Reason& reason);

// The current profile (the CurrentProfile setting) to a file of the user's
// choice.
bool ExportProfile(const ProgramState& state, const std::u16string& path, FileSystem& fs);

// Reads a file of the user's choice completely; only a file that reads well
// replaces the slot, then SaveSettings and WriteAllProfileFiles run. A file
// that is missing, unreadable or does not parse leaves the slot and every
// file as they were: Ok is false and Problem says why. The chosen file is
// never changed.
ProfileReadResult ImportProfile(ProgramState& state, int slot, const std::u16string& path,
                                FileSystem& fs);
// The same into the current slot (the CurrentProfile setting).
ProfileReadResult ImportProfile(ProgramState& state, const std::u16string& path, FileSystem& fs);

}  // namespace velmaro
