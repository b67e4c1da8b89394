// A profile file read into a slot (start-up and import). A file the reader
// accepts must come back from the writer as the same profile.
#include "storage/profile_file.h"
#include "fuzz_support.h"
#include "macro/memory_file_system.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::MemoryFileSystem fs;
    ProgramState state;
    state.DataFolder = u"/data/";
    state.Settings.SetDefaultSettings(state.DataFolder);
    fs.files["/in.psf"] = fuzz::Bytes(data, size);
    const ProfileReadResult read = ReadProfileFile(state, 1, u"/in.psf", fs);
    // The file read is never touched; only the slot's own file is rewritten.
    VELMARO_FUZZ_CHECK(fs.files["/in.psf"] == fuzz::Bytes(data, size));
    if (!read.Ok)
        return 0;

    VELMARO_FUZZ_CHECK(WriteProfileFile(state, 1, u"/out.psf", fs));
    ProgramState again;
    again.Settings = state.Settings;
    VELMARO_FUZZ_CHECK(ReadProfileFile(again, 1, u"/out.psf", fs).Ok);
    VELMARO_FUZZ_CHECK(again.Profiles[1] == state.Profiles[1]);
    return 0;
}
