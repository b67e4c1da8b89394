// Writes the seed files of every fuzz target into a folder (fuzz/corpus by
// default), one subfolder per target, and the dictionaries of the formats
// with keywords into fuzz/dict. File seeds come from the program's own
// writers, so they track the formats: a valid file, and broken ones made
// from it (cut short, a line dropped). Run it again after a format changes:
//   build/default/fuzz/fuzz_make_corpus fuzz
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/hid/sim/virtual_mouse.h"
#include "macro/macro_library_file.h"
#include "macro/macro_transfer.h"
#include "macro/memory_file_system.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
#include "storage/shipped_language_files.h"

namespace velmaro {
namespace {

namespace fs = std::filesystem;

fs::path g_root;

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path dir = g_root / "corpus" / target;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

// The valid file, the file cut at 40 % (mid-line), and the file without its
// `drop`-th line.
void PutFileSeeds(const std::string& target, const std::string& stem, const std::string& bytes,
                  size_t drop) {
    Put(target, stem + "-valid", bytes);
    Put(target, stem + "-cut", bytes.substr(0, bytes.size() * 2 / 5 & ~size_t{1}));
    size_t start = 2;
    for (size_t line = 0; line < drop && start < bytes.size(); ++line) {
        const size_t lf = bytes.find(std::string("\n\0", 2), start);
        start = lf == std::string::npos ? bytes.size() : lf + 2;
    }
    const size_t end = bytes.find(std::string("\n\0", 2), start);
    if (end != std::string::npos)
        Put(target, stem + "-noline", bytes.substr(0, start) + bytes.substr(end + 2));
}

// A dictionary entry of a UTF-16LE keyword.
std::string Utf16Entry(std::string_view word) {
    std::string entry = "\"";
    for (const char c : word) {
        if (c == '"' || c == '\\')
            entry += '\\';
        entry += c;
        entry += "\\x00";
    }
    return entry + "\"";
}

void PutDict(const std::string& target, const std::vector<std::string>& entries) {
    fs::create_directories(g_root / "dict");
    std::ofstream out(g_root / "dict" / (target + ".dict"));
    out << "# Keywords of the " << target << " input; made by fuzz_make_corpus.\n";
    for (const std::string& e : entries)
        out << e << "\n";
}

std::vector<std::string> Utf16Dict(std::initializer_list<std::string_view> words) {
    std::vector<std::string> entries{"\"\\xFF\\xFE\"", "\"\\x0A\\x00\"",
                                     "\"\\x0D\\x00\\x0A\\x00\""};
    for (const std::string_view w : words)
        entries.push_back(Utf16Entry(w));
    return entries;
}

void SettingsAndProfiles() {
    testing::MemoryFileSystem disk;
    ProgramState state;
    state.DataFolder = u"/data/";
    state.Settings.SetDefaultSettings(state.DataFolder);
    for (int s = 0; s < kProfileSlots; ++s)
        ResetProfileDefaults(state.Profiles[s], s, state.Language, state.Settings.Sensor());
    WriteSettingsFile(state, disk);
    PutFileSeeds("config_ini", "config", disk.files["/data/config/config.ini"], 5);
    Put("config_ini", "empty", "");

    WriteProfileFile(state, 1, u"/p.psf", disk);
    PutFileSeeds("profile_file", "default1", disk.files["/p.psf"], 20);
    // A button with a macro: the longest lines of the format.
    KeyRecord& key = state.Profiles[1].Keys[2];
    key.MacroKeyIndex = 7;
    key.Macro.MacroName = u"Combo";
    key.Macro.MacroActionNum = 2;
    key.Macro.AllAction[0] = MacroAction::Make(0x41, 0, 0, 0);
    key.Macro.AllAction[1] = MacroAction::Delay(120);
    WriteProfileFile(state, 1, u"/m.psf", disk);
    Put("profile_file", "macro-valid", disk.files["/m.psf"]);

    PutDict("config_ini", Utf16Dict({"[Setting]", "=", "ProfileSlot", "CurrentProfile", "PreST",
                                     "Sensor", "0x"}));
    PutDict("profile_file", Utf16Dict({"[Setting]", "=", "\t", "|", ";", "DPIOffOnFlagValue",
                                       "Valuer", "PollingRateName", "MacroKeyIndex", "0x"}));
}

void FillSample(MacroLibrary& lib) {
    lib.AddFolder(u"Games");
    lib.AddFolder(u"Shooter");
    lib.AddMacro(u"Burst");
    MacroRecord& burst = *lib.MutableItemAt(lib.SelectedLocation)->Macro;
    burst.InsertAction(0, MacroAction::Make(0x81, 0x01, 0, 0));
    burst.InsertAction(1, MacroAction::Delay(30));
    lib.SelectedLocation = MacroItemLocation::None();
    lib.AddMacro(u"Hello");
    lib.SelectedLocation = MacroItemLocation::None();
    lib.AddFolder(u"Empty");
    lib.SelectedLocation = MacroItemLocation::Top(0);
}

void Macros() {
    testing::MemoryFileSystem disk;
    MacroLibrary lib;
    FillSample(lib);
    SaveMacroLibrary("/lib.mlf", lib, disk);
    PutFileSeeds("macro_library", "library", disk.files["/lib.mlf"], 6);
    MacroLibrary empty;
    SaveMacroLibrary("/empty.mlf", empty, disk);
    Put("macro_library", "empty-valid", disk.files["/empty.mlf"]);

    lib.SelectedLocation = MacroItemLocation::Stage2(0, 0, 0);
    ExportMacroFile("/burst.mkf", lib, disk);
    PutFileSeeds("macro_export", "burst", disk.files["/burst.mkf"], 3);
    lib.SelectedLocation = MacroItemLocation::Top(0);
    ExportCollectionFile("/games.mbf", lib, disk);
    PutFileSeeds("macro_collection", "folder", disk.files["/games.mbf"], 3);
    lib.SelectedLocation = MacroItemLocation::None();
    ExportCollectionFile("/all.mbf", lib, disk);
    Put("macro_collection", "all-valid", disk.files["/all.mbf"]);

    const std::initializer_list<std::string_view> words = {"[MacroLibrary]",
                                                           "MacroKeyIndex=",
                                                           "Select Locaton:stage=",
                                                           ";stage0Index=",
                                                           ";stage1Index=",
                                                           ";stage2Index=",
                                                           "++++++++MacroItemName=",
                                                           "MacroItemLocation:stage=",
                                                           "MacroItemIsFolder=",
                                                           "MacroItemFolderIsOpen=",
                                                           "MacroKeyLoopType=",
                                                           "MacroKeyLoopNum=",
                                                           "MacroActionNum=",
                                                           "MacroCommandActionNum=",
                                                           "AllAction=",
                                                           "-1",
                                                           "\t"};
    for (const char* target : {"macro_library", "macro_export", "macro_collection"})
        PutDict(target, Utf16Dict(words));
}

void Languages() {
    for (const ShippedLanguage language : kShippedLanguages) {
        // The first lines of the shipped file, ended at a line.
        const std::string_view file = ShippedLanguageFile(language);
        size_t end = 1200;
        while (end + 1 < file.size() && !(file[end] == '\n' && file[end + 1] == '\0'))
            end += 2;
        Put("language_file", std::string(ShippedLanguageFileName(language)),
            std::string(file.substr(0, end + 2)));
    }
    Put("language_file", "lansetting", testing::Utf16File(u"[ChangeLanguage]\nLanguage=EN\n"));
    PutDict("language_file", Utf16Dict({"[Setting]", "[ChangeLanguage]", "=", "0=", "EN"}));
}

std::string Answer(uint8_t payload_length, uint8_t sensor, uint8_t battery, uint8_t charge) {
    std::string bytes(kFeatureReportSize, '\0');
    bytes[0] = static_cast<char>(kFeatureReportId);
    bytes[1] = 0x01;
    bytes[2] = static_cast<char>(CMD_QUERY_STATUS);
    bytes[4] = 0x05;
    bytes[6] = static_cast<char>(payload_length);
    bytes[15] = static_cast<char>(sensor);
    bytes[18] = static_cast<char>(battery);
    bytes[19] = static_cast<char>(charge);
    return bytes;
}

void DeviceInputs() {
    Put("status_answer", "answer", Answer(16, 0x25, 57, 0));
    Put("status_answer", "charging-other-sensor", Answer(16, 0x01, 80, 1));
    Put("status_answer", "empty-then-answer", Answer(0, 0, 0, 0) + Answer(16, 0x25, 100, 2));
    std::string refused = Answer(16, 0x25, 57, 0);
    refused[3] = 0x01;
    Put("status_answer", "refused", refused);
    Put("status_answer", "short", Answer(16, 0x25, 57, 0).substr(0, 12));

    const auto event = DpiEventReport(4, 2);
    const std::string report(event.begin(), event.end());
    Put("input_report", "dpi-event", report);
    Put("input_report", "short", report.substr(0, 4));
    Put("input_report", "level-0", report.substr(0, 4) + std::string(1, '\0'));

    const std::vector<uint8_t> boot_mouse = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
        0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
        0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
        0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};
    const std::vector<uint8_t> vendor = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x85,
        0x05, 0x95, 0x20, 0x09, 0x01, 0x81, 0x02, 0xFE, 0x02, 0x10, 0xC0, 0xC0, 0x85, 0x03, 0x95,
        0x04, 0x09, 0x03, 0xB1, 0x02, 0x85, 0x0C, 0x95, 0x20, 0x09, 0x02, 0xB1, 0x02, 0xC0};
    const std::vector<uint8_t> push_pop = {0x05, 0x01, 0x09, 0x02, 0xA4, 0x75, 0x08,
                                           0xB4, 0xB4, 0xA1, 0x01, 0xC0, 0xC0};
    Put("report_descriptor", "boot-mouse", std::string(boot_mouse.begin(), boot_mouse.end()));
    Put("report_descriptor", "vendor", std::string(vendor.begin(), vendor.end()));
    Put("report_descriptor", "push-pop-unbalanced", std::string(push_pop.begin(), push_pop.end()));

    Put("simulate_options", "cable", "cable");
    Put("simulate_options", "all", "both,sensor=0x25,battery=80,charge=1");
    Put("simulate_options", "receiver", "receiver,charge=2");
    Put("simulate_options", "bad", "cable,,battery=300");
    PutDict("simulate_options", {"\"cable\"", "\"receiver\"", "\"both\"", "\"sensor=0x\"",
                                 "\"battery=\"", "\"charge=\"", "\",\""});
}

}  // namespace
}  // namespace velmaro

int main(int argc, char** argv) {
    velmaro::g_root = argc > 1 ? argv[1] : "fuzz";
    velmaro::SettingsAndProfiles();
    velmaro::Macros();
    velmaro::Languages();
    velmaro::DeviceInputs();
    std::printf("seeds written below %s\n", velmaro::g_root.c_str());
    return 0;
}
