// Loading and saving the macro library, and what the library costs in memory.
//
// Memory is counted by replacing the global allocation functions: every
// allocation carries its size in front of it, so the bytes live at any moment
// are known. Figures are printed as counters, never checked.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <new>
#include <string>

#include "macro/macro_library.h"
#include "macro/macro_library_file.h"
#include "storage/file_system.h"

// GCC cannot tell that the replaced operators below pair malloc with free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

std::atomic<long long> g_live_bytes{0};
std::atomic<long long> g_allocations{0};
constexpr size_t kHeader = alignof(std::max_align_t);

}  // namespace

void* operator new(size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<size_t*>(block) = size;
    g_live_bytes += static_cast<long long>(size);
    ++g_allocations;
    return static_cast<char*>(block) + kHeader;
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    if (!p)
        return;
    void* block = static_cast<char*>(p) - kHeader;
    g_live_bytes -= static_cast<long long>(*static_cast<size_t*>(block));
    std::free(block);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept {
    operator delete(p);
}

namespace velmaro {
namespace {

// Files as byte strings: the parsing and formatting alone. A file is read
// in place and written over its old bytes, so the disk itself costs no more
// than one copy of what is written.
class MemoryDisk : public FileSystem {
  public:
    class Reader : public FileReader {
      public:
        explicit Reader(const std::string& bytes) : bytes_(bytes) {}
        bool Read(char* buffer, size_t size, size_t& got) override {
            got = std::min(size, bytes_.size() - pos_);
            std::memcpy(buffer, bytes_.data() + pos_, got);
            pos_ += got;
            return true;
        }
        bool Rewind() override {
            pos_ = 0;
            return true;
        }

      private:
        const std::string& bytes_;
        size_t pos_ = 0;
    };
    // Pieces go into a staging buffer kept from one save to the next, which
    // is then copied over the file's bytes.
    class Writer : public AtomicFileWriter {
      public:
        Writer(MemoryDisk& disk, std::string path) : disk_(disk), path_(std::move(path)) {
            disk_.staging_.clear();
        }
        bool Write(std::string_view bytes) override {
            disk_.staging_.append(bytes);
            return true;
        }
        bool Commit() override {
            disk_.files[path_].assign(disk_.staging_);
            return true;
        }

      private:
        MemoryDisk& disk_;
        std::string path_;
    };
    std::unique_ptr<AtomicFileWriter> BeginAtomicWrite(const std::string& path) override {
        return std::make_unique<Writer>(*this, path);
    }
    std::unique_ptr<FileReader> OpenForReading(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end())
            return nullptr;
        return std::make_unique<Reader>(it->second);
    }
    bool ReadFile(const std::string& path, std::string& bytes) override {
        auto it = files.find(path);
        if (it == files.end())
            return false;
        bytes = it->second;
        return true;
    }
    bool CanOpenForUpdate(const std::string& path) override { return files.count(path) != 0; }
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
        files[path].assign(bytes);
        return true;
    }
    bool CreateNewFile(const std::string&, std::string_view) override { return false; }
    bool RenameNoReplace(const std::string&, const std::string&) override { return false; }
    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    bool IsDirectory(const std::string&) override { return false; }
    bool CreateDirectories(const std::string&) override { return true; }

    std::map<std::string, std::string> files;

  private:
    std::string staging_;
};

// `macros` macros, 20 to a stage-1 folder, 10 stage-1 folders to a top-level
// folder; every macro 40 actions long.
void Fill(MacroLibrary& lib, int macros) {
    int added = 0;
    for (int top = 0; added < macros && top < kMacroListSlots; ++top) {
        lib.SelectedLocation = MacroItemLocation::None();
        lib.AddFolder(u"Folder " + std::u16string(1, static_cast<char16_t>(u'A' + top % 26)) +
                      std::u16string(1, static_cast<char16_t>(u'0' + top / 26)));
        const MacroItemLocation top_loc = lib.SelectedLocation;
        for (int mid = 0; added < macros && mid < 10; ++mid) {
            lib.SelectedLocation = top_loc;
            lib.AddFolder(u"Sub " + std::u16string(1, static_cast<char16_t>(u'0' + mid)));
            const MacroItemLocation mid_loc = lib.SelectedLocation;
            for (int m = 0; added < macros && m < 20; ++m, ++added) {
                lib.SelectedLocation = mid_loc;
                lib.AddMacro(u"Macro " + std::u16string(1, static_cast<char16_t>(u'a' + m)));
                MacroRecord& rec = *lib.MutableItemAt(lib.SelectedLocation)->Macro;
                for (uint32_t a = 0; a < 40; a += 2) {
                    rec.InsertAction(
                        a, MacroAction::Make(static_cast<uint8_t>(0x41 + a / 2), 0, 0, 0));
                    rec.InsertAction(a + 1, MacroAction::Delay(50 + a));
                }
            }
        }
    }
    lib.SelectedLocation = MacroItemLocation::None();
}

std::string DiskPath() {
    return (std::filesystem::temp_directory_path() / "velmaro_macro_bench.mlf").string();
}

void BM_SaveMemory(benchmark::State& state) {
    MacroLibrary lib;
    Fill(lib, static_cast<int>(state.range(0)));
    MemoryDisk disk;
    // The disk's buffers exist before timing starts, at every size alike.
    SaveMacroLibrary("/lib.mlf", lib, disk);
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveMacroLibrary("/lib.mlf", lib, disk));
    state.counters["file_bytes"] = static_cast<double>(disk.files["/lib.mlf"].size());
}

void BM_LoadMemory(benchmark::State& state) {
    MacroLibrary source;
    Fill(source, static_cast<int>(state.range(0)));
    MemoryDisk disk;
    SaveMacroLibrary("/lib.mlf", source, disk);
    MacroLibrary lib;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadMacroLibrary("/lib.mlf", lib, disk).Complete);
}

void BM_SaveDisk(benchmark::State& state) {
    MacroLibrary lib;
    Fill(lib, static_cast<int>(state.range(0)));
    const std::string path = DiskPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveMacroLibrary(path, lib, DefaultFileSystem()));
    std::filesystem::remove(path);
}

// A save with new bytes every time: the whole file goes to the disk. (The
// saves above write what the file already holds, which is compared only.)
void BM_SaveDiskChanged(benchmark::State& state) {
    MacroLibrary lib;
    Fill(lib, static_cast<int>(state.range(0)));
    const std::string path = DiskPath();
    for (auto _ : state) {
        lib.NextMacroKeyIndex += 1;
        benchmark::DoNotOptimize(SaveMacroLibrary(path, lib, DefaultFileSystem()));
    }
    std::filesystem::remove(path);
}

void BM_LoadDisk(benchmark::State& state) {
    MacroLibrary source;
    Fill(source, static_cast<int>(state.range(0)));
    const std::string path = DiskPath();
    SaveMacroLibrary(path, source, DefaultFileSystem());
    MacroLibrary lib;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadMacroLibrary(path, lib, DefaultFileSystem()).Complete);
    std::filesystem::remove(path);
}

// Bytes a library holds: the object itself plus everything it allocated.
void BM_Memory(benchmark::State& state) {
    long long heap = 0;
    long long allocations = 0;
    for (auto _ : state) {
        const long long bytes_before = g_live_bytes;
        const long long count_before = g_allocations;
        auto lib = std::make_unique<MacroLibrary>();
        Fill(*lib, static_cast<int>(state.range(0)));
        heap = g_live_bytes - bytes_before;
        allocations = g_allocations - count_before;
        benchmark::DoNotOptimize(lib.get());
    }
    state.counters["sizeof_library"] = static_cast<double>(sizeof(MacroLibrary));
    state.counters["bytes_total"] = static_cast<double>(heap);
    state.counters["allocations"] = static_cast<double>(allocations);
}

BENCHMARK(BM_SaveMemory)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMemory)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDiskChanged)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmaro
