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

struct ProfileReadResult {
    // Every line was read. When false the slot holds defaults, its own slot
    // file was kept aside (when it existed) and rewritten; Report says how
    // that went.
    bool Ok = false;
    StorageReport Report;
};

// Reads `path` into the slot's record. The file at `path` itself is never
// changed by a failed read, unless it is the slot's own file.
ProfileReadResult ReadProfileFile(ProgramState& state, int slot, const std::u16string& path,
                                  FileSystem& fs);

// Each slot to its ProfileSlot path; the report lists the files not written.
StorageReport WriteAllProfileFiles(const ProgramState& state, FileSystem& fs);

// The current profile (the CurrentProfile setting) to a file of the user's
// choice.
bool ExportProfile(const ProgramState& state, const std::u16string& path, FileSystem& fs);

// Reads a file of the user's choice into the current slot (the
// CurrentProfile setting), then SaveSettings and WriteAllProfileFiles. Ok is
// the read's result; the report covers the reset on a bad file and every
// write.
ProfileReadResult ImportProfile(ProgramState& state, const std::u16string& path, FileSystem& fs);

}  // namespace velmaro
