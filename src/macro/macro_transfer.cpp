#include "macro/macro_transfer.h"

#include <vector>

#include "macro/macro_library_file.h"
#include "model/text_entries.h"
#include "storage/english_texts.h"

namespace velmaro {

namespace {

bool IsMacroItem(const MacroItem* item) {
    return item && item->IsUsed() && item->MacroItemIsFolder == 0;
}

// A mark with an index outside the lists names nothing an import could take.
bool IndexesInRange(const MacroItemLocation& m) {
    auto in = [](int32_t i) { return i >= 0 && i < kMacroListSlots; };
    return in(m.stage0Index) && in(m.stage1Index) && in(m.stage2Index);
}

// Empties the scratch library however the import ends.
class ScratchUse {
  public:
    explicit ScratchUse(MacroLibrary& scratch) : scratch_(scratch) {}
    ~ScratchUse() { scratch_.ClearLibrary(); }
    ScratchUse(const ScratchUse&) = delete;
    ScratchUse& operator=(const ScratchUse&) = delete;

  private:
    MacroLibrary& scratch_;
};

// Reads the file into the scratch library; the mark when it has a usable one.
bool LoadMarked(const std::string& path, MacroLibrary& scratch, FileSystem& fs,
                MacroItemLocation& mark, ImportResult& result) {
    // Whatever was read before a fault is used; only the mark is required.
    const MacroLibraryLoad load = LoadMacroLibrary(path, scratch, fs);
    // A file the reader stopped in (or skipped items of) holds more than
    // was taken: the import says so rather than pass for complete.
    result.FileComplete = load.Complete;
    if (!load.HasMark || !IndexesInRange(load.Mark))
        return false;
    mark = load.Mark;
    return true;
}

// Why an item could not be added at the selection.
Reason NotAddedReason(const MacroLibrary& library, const MacroItem& source, AddResult why) {
    const MacroItemLocation at = library.SelectedLocation;
    if (why == AddResult::NameExists)
        return Reason::Of(text::kMacroNameTaken);
    if (source.MacroItemName.empty())
        return Reason::Of(text::kMacroNoName);
    if (source.IsFolder() && at.stage >= 1)
        return Reason::Of(text::kMacroFolderTooDeep);
    return Reason::Of(text::kMacroListFull);
}

SkippedImport Skipped(const MacroLibrary& library, const MacroItem& source, AddResult why) {
    const Reason reason = NotAddedReason(library, source, why);
    return {source.MacroItemName, reason, EnglishText(reason)};
}

// Adds a new macro where AddMacro puts it and gives it the file macro's
// content. A folder of the file becomes an empty macro of its name.
bool AddMacroFrom(MacroLibrary& library, const MacroItem& source,
                  std::vector<SkippedImport>* skipped = nullptr) {
    if (const AddResult added = library.AddMacro(source.MacroItemName); added != AddResult::Added) {
        // A full list: nothing to copy into, the selection stays as it is.
        if (skipped)
            skipped->push_back(Skipped(library, source, added));
        return false;
    }
    if (source.Macro)
        if (MacroItem* added = library.MutableItemAt(library.SelectedLocation);
            added && added->Macro)
            added->Macro->CopyMacroContent(*source.Macro);
    return true;
}

// Copies one item of the scratch library to where AddMacro / AddFolder put
// it. A folder brings its children (up to its list's first free slot) as deep
// as the tree allows: folders that would need a third level are left out.
int CopyItem(MacroLibrary& library, const MacroLibrary& scratch, const MacroItemLocation& from,
             std::vector<SkippedImport>& skipped) {
    const MacroItem& source = *scratch.ItemAt(from);
    if (!source.IsFolder())
        return AddMacroFrom(library, source, &skipped) ? 1 : 0;
    if (const AddResult added = library.AddFolder(source.MacroItemName);
        added != AddResult::Added) {
        skipped.push_back(Skipped(library, source, added));
        return 0;
    }
    const MacroItemLocation folder = library.SelectedLocation;
    int created = 1;
    if (from.stage < 2) {
        for (int i = 0; i < kMacroListSlots; ++i) {
            const MacroItemLocation child = from.Child(i);
            if (!scratch.ItemAt(child)->IsUsed())
                break;
            library.SelectedLocation = folder;
            created += CopyItem(library, scratch, child, skipped);
        }
    }
    library.SelectedLocation = folder;
    return created;
}

void OpenIfFolder(MacroLibrary& library, const MacroItemLocation& loc) {
    if (MacroItem* item = library.MutableItemAt(loc); item && item->IsFolder())
        item->MacroItemFolderIsOpen = 1;
}

}  // namespace

std::u16string ProposedExportName(const MacroLibrary& library, MacroExportKind kind) {
    const MacroItem* item = library.ItemAt(library.SelectedLocation);
    if (kind == MacroExportKind::Macro)
        return IsMacroItem(item) ? item->MacroItemName + u".mkf" : std::u16string();
    if (!item || !item->IsUsed())
        return u"AllMacroKey.mbf";
    return item->MacroItemName + u".mbf";
}

bool ExportMacroFile(const std::string& path, MacroLibrary& library, FileSystem& fs) {
    if (!IsMacroItem(library.ItemAt(library.SelectedLocation)))
        return false;
    return SaveMacroLibrary(path, library, fs, library.SelectedLocation);
}

bool ExportCollectionFile(const std::string& path, MacroLibrary& library, FileSystem& fs) {
    return SaveMacroLibrary(path, library, fs, library.SelectedLocation);
}

ImportResult ImportMacroFile(const std::string& path, MacroLibrary& library, MacroLibrary& scratch,
                             FileSystem& fs) {
    ScratchUse use(scratch);
    ImportResult result;
    MacroItemLocation mark;
    if (!LoadMarked(path, scratch, fs, mark, result) || !mark.IsSlot())
        return result;
    const MacroItem& source = *scratch.ItemAt(mark);
    if (!source.IsUsed())
        return result;  // the mark names a free slot: there is no macro to take

    const MacroItemLocation target = library.SelectedLocation;
    if (library.NameTakenAtTarget(source.MacroItemName)) {
        result.Status = ImportStatus::NameExists;
        result.ClashingName = source.MacroItemName;
        return result;
    }
    result.Status = ImportStatus::Imported;
    OpenIfFolder(library, target);
    if (AddMacroFrom(library, source, &result.Skipped)) {
        result.ItemsCreated = 1;
        result.ImportedNames.push_back(source.MacroItemName);
    }
    // The one macro wanted was read: what else the file lost is not missed.
    result.FileComplete = true;
    return result;
}

ImportResult ImportCollectionFile(const std::string& path, MacroLibrary& library,
                                  MacroLibrary& scratch, FileSystem& fs) {
    ScratchUse use(scratch);
    ImportResult result;
    MacroItemLocation mark;
    if (!LoadMarked(path, scratch, fs, mark, result) || mark.stage > 2)
        return result;

    // The scope: every top-level item, the marked folder alone, or the
    // marked macro and everything after it in its list.
    std::vector<MacroItemLocation> scope;
    const MacroItem* marked = scratch.ItemAt(mark);
    if (mark.stage < 0 || !marked->IsFolder()) {
        const MacroItemLocation first = mark.stage < 0 ? MacroItemLocation::Top(0) : mark;
        for (int i = first.OwnIndex(); i < kMacroListSlots; ++i) {
            const MacroItemLocation loc = first.Sibling(i);
            if (!scratch.ItemAt(loc)->IsUsed())
                break;
            scope.push_back(loc);
        }
    } else {
        scope.push_back(mark);
    }

    // Only the scope items' own names can clash: folder contents go into
    // new folders.
    for (const MacroItemLocation& loc : scope) {
        const std::u16string& name = scratch.ItemAt(loc)->MacroItemName;
        if (library.NameTakenAtTarget(name)) {
            result.Status = ImportStatus::NameExists;
            result.ClashingName = name;
            return result;
        }
    }

    result.Status = ImportStatus::Imported;
    const MacroItemLocation target = library.SelectedLocation;
    OpenIfFolder(library, target);
    MacroItemLocation last = target;
    for (const MacroItemLocation& loc : scope) {
        library.SelectedLocation = target;
        const int created = CopyItem(library, scratch, loc, result.Skipped);
        if (created > 0) {
            last = library.SelectedLocation;
            result.ImportedNames.push_back(scratch.ItemAt(loc)->MacroItemName);
        }
        result.ItemsCreated += created;
    }
    library.SelectedLocation = last;
    return result;
}

}  // namespace velmaro
