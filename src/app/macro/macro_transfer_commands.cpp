#include "app/macro/macro_transfer_commands.h"

#include <QFile>

#include "macro/macro_transfer.h"
#include "model/reason.h"
#include "model/text_entries.h"

namespace velmaro {

namespace {

constexpr uint16_t kAttentionTitle = 150;
constexpr uint16_t kMessageNameTaken = 241;
constexpr uint16_t kTitleExportMacro = 253;
constexpr uint16_t kTitleImportMacro = 254;
constexpr uint16_t kTitleExportCollection = 255;
constexpr uint16_t kTitleImportCollection = 256;

QString Words(const LanguageTable& language, const Reason& reason) {
    return QString::fromStdU16String(RenderReason(language, reason));
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

MacroTransferCommands::MacroTransferCommands(MacroLibrary& library, MacroLibrary& scratch,
                                             FileChooser& chooser, FileSystem& files,
                                             const LanguageTable& language,
                                             MacroTransferAttentionFn attention, QWidget* owner)
    : library_(library),
      scratch_(scratch),
      chooser_(chooser),
      files_(files),
      language_(language),
      attention_(std::move(attention)),
      owner_(owner) {}

MacroTransferOutcome MacroTransferCommands::ExportMacro() {
    return Export(true);
}

MacroTransferOutcome MacroTransferCommands::ExportCollection() {
    return Export(false);
}

MacroTransferOutcome MacroTransferCommands::ImportMacro() {
    return Import(true);
}

MacroTransferOutcome MacroTransferCommands::ImportCollection() {
    return Import(false);
}

void MacroTransferCommands::Tell(const QString& message) const {
    if (attention_)
        attention_(Text(kAttentionTitle), message);
}

QString MacroTransferCommands::Text(uint16_t entry) const {
    return QString::fromStdU16String(language_.Text(entry));
}

MacroTransferOutcome MacroTransferCommands::Export(bool macro) {
    MacroTransferOutcome outcome;
    const std::u16string proposed =
        ProposedExportName(library_, macro ? MacroExportKind::Macro : MacroExportKind::Collection);
    if (proposed.empty()) {
        // Exporting a macro needs a macro selected.
        outcome.Cancelled = true;
        return outcome;
    }
    FileDialogRequest request;
    request.Owner = owner_;
    request.Title = Text(macro ? kTitleExportMacro : kTitleExportCollection);
    request.InitialName = QString::fromStdU16String(proposed);
    request.DefaultSuffix = macro ? QStringLiteral("mkf") : QStringLiteral("mbf");
    request.Filter =
        macro ? QStringLiteral("mkf file (*.mkf)") : QStringLiteral("mbf file (*.mbf)");
    const std::optional<QString> path = chooser_.ChooseSaveFile(request);
    if (!path) {
        outcome.Cancelled = true;
        return outcome;
    }
    const std::string local = LocalPath(*path);
    const bool written = macro ? ExportMacroFile(local, library_, files_)
                               : ExportCollectionFile(local, library_, files_);
    if (!written) {
        Tell(Words(language_, WriteFailure(path->toStdU16String(), files_.LastErrorText())));
    }
    outcome.Row = library_.LocationToRow(library_.SelectedLocation);
    return outcome;
}

MacroTransferOutcome MacroTransferCommands::Import(bool macro) {
    MacroTransferOutcome outcome;
    FileDialogRequest request;
    request.Owner = owner_;
    request.Title = Text(macro ? kTitleImportMacro : kTitleImportCollection);
    request.InitialName = macro ? QStringLiteral(".mkf") : QStringLiteral(".mbf");
    request.DefaultSuffix = macro ? QStringLiteral("mkf") : QStringLiteral("mbf");
    request.Filter =
        macro ? QStringLiteral("mkf file (*.mkf)") : QStringLiteral("mbf file (*.mbf)");
    const std::optional<QString> path = chooser_.ChooseOpenFile(request);
    if (!path) {
        outcome.Cancelled = true;
        return outcome;
    }
    const std::string local = LocalPath(*path);
    const ImportResult result = macro ? ImportMacroFile(local, library_, scratch_, files_)
                                      : ImportCollectionFile(local, library_, scratch_, files_);
    switch (result.Status) {
        case ImportStatus::NameExists:
            // The program's own message, and which name is in the way.
            Tell(Text(kMessageNameTaken) + QStringLiteral("\n") +
                 Words(language_, Reason::Of(text::kQuoted, {Reason::Text(result.ClashingName)})));
            break;
        case ImportStatus::Rejected:
            Tell(Words(language_, Reason::Of(text::kMacroImportUnreadable,
                                             {Reason::Text(path->toStdU16String())})));
            break;
        case ImportStatus::Imported:
            outcome.Changed = true;
            ReportPartialImport(result);
            break;
    }
    outcome.Row = library_.LocationToRow(library_.SelectedLocation);
    return outcome;
}

// A complete import is quiet; one that left items out names them.
void MacroTransferCommands::ReportPartialImport(const ImportResult& result) const {
    QString message;
    for (const SkippedImport& skipped : result.Skipped) {
        if (!message.isEmpty())
            message += QStringLiteral("\n");
        message += Words(
            language_,
            Reason::Of(text::kMacroNotImported,
                       {Reason::Of(text::kQuoted, {Reason::Text(skipped.Name)}), skipped.Why}));
    }
    if (!result.FileComplete) {
        if (!message.isEmpty())
            message += QStringLiteral("\n");
        message += Text(text::kMacroImportCutShort);
    }
    if (!message.isEmpty())
        Tell(message);
}

}  // namespace velmaro
