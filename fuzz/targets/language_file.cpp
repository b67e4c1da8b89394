// A language file and the language choice file, as start-up reads them.
#include "storage/language_file.h"
#include "fuzz_support.h"
#include "macro/memory_file_system.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::MemoryFileSystem fs;
    fs.files["/data/config/LanSetting.ini"] = fuzz::Bytes(data, size);
    fs.files["/data/config/Lan_EN.txt"] = fuzz::Bytes(data, size);
    fs.files["/data/config/Lan.txt"] = fuzz::Bytes(data, size);
    const std::u16string code = ReadLanguageCode(u"/data/", fs);
    (void)LanguageFileNameFor(code);
    LanguageTable table;
    const bool whole = ReadLanguageFile(u"/data/config/Lan.txt", table, 1.5, fs);
    if (whole)
        VELMARO_FUZZ_CHECK(table.Font == ChooseUiFont(table, 1.5));
    LanguageTable loaded;
    (void)LoadLanguage(u"/data/", loaded, 1.0, fs);
    return 0;
}
