// The macro manager: the library tree on the left, the actions of the
// selected macro in the middle, and on the right the record button, the
// record-delays box, the play mode with its repeat count and the insert
// drop-down. Macros are recorded through CKeyboardHook and edited action by
// action; the tree's commands come from its buttons and its context menu.
// The library file is written when a recording stops and when the manager
// closes; the close button is the only way out.
#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/macro/dialog_registry.h"
#include "app/macro/keyboard_hook.h"
#include "app/macro/macro_action_edits.h"
#include "app/macro/macro_action_source.h"
#include "app/macro/macro_tree_source.h"
#include "model/language_table.h"
#include "model/profile_record.h"
#include "storage/file_system.h"
#include "ui/dlg_base.h"

class QLineEdit;

namespace velmaro {

class CCheckButton;
class CComboButton;
class CEditShowList;
class CImageShowList;
class CStaticText;
class CVScrollBar;
class FileChooser;

// Control ids of the manager.
inline constexpr uint32_t kManagerCloseId = 0x7D4;         // 2004
inline constexpr uint32_t kManagerNewMacroId = 0x7DC;      // 2012
inline constexpr uint32_t kManagerDeleteItemId = 0x7DD;    // 2013
inline constexpr uint32_t kManagerTreeId = 0x7DF;          // 2015
inline constexpr uint32_t kManagerDelaysBoxId = 0x7E1;     // 2017
inline constexpr uint32_t kManagerRecordId = 0x7E2;        // 2018
inline constexpr uint32_t kManagerActionListId = 0x7E4;    // 2020
inline constexpr uint32_t kManagerTreeScrollId = 0x7E5;    // 2021
inline constexpr uint32_t kManagerActionScrollId = 0x7E6;  // 2022
inline constexpr uint32_t kManagerModifyId = 0x7E7;        // 2023
inline constexpr uint32_t kManagerDeleteActionId = 0x7E8;  // 2024
inline constexpr uint32_t kManagerModeOnceId = 0x7EF;      // play mode 1
inline constexpr uint32_t kManagerModeToggleId = 0x7F0;    // play mode 4
inline constexpr uint32_t kManagerModeCountId = 0x7F1;     // play mode 2
inline constexpr uint32_t kManagerRepeatEditId = 2034;
inline constexpr uint32_t kManagerInsertId = 0x7F3;  // 2035
// The insert drop-down's group message, the insert list's choice and the
// context menu's choice; the two popups' deactivation messages.
inline constexpr uint32_t kManagerInsertMessage = 0x48E;
inline constexpr uint32_t kManagerInsertChoice = 0x48F;
inline constexpr uint32_t kManagerInsertGone = 0x490;
inline constexpr uint32_t kManagerMenuChoice = 0x491;
inline constexpr uint32_t kManagerMenuGone = 0x492;
inline constexpr int kInsertPopupKind = 14;
inline constexpr int kMacroMenuPopupKind = 15;

// What the insert drop-down offers.
enum class InsertKind : int { LeftClick = 0, RightClick = 1, MiddleClick = 2, Delay = 3, Key = 4 };

// The tree's context menu commands.
enum class TreeCommand : int {
    NewMacro = 0,
    NewFolder = 1,
    ExportMacro = 2,
    ImportMacro = 3,
    Rename = 4,
    Delete = 5,
    ImportCollection = 6,
    ExportCollection = 7,
};

// What the manager needs from the window that opens it.
struct MacroManagerHost {
    // Runs a small dialog modally (the opener enters it in its open-dialog
    // table); null: DoModal.
    std::function<int(CDlgBase&)> RunModal;
    // Where the library is written (the library file), through `Files`.
    FileSystem* Files = nullptr;
    std::string LibraryPath;
    // The buttons of this profile keep the macros they use from being deleted.
    const ProfileRecord* CurrentProfile = nullptr;
    // The file dialogs of the export and import commands; null: the
    // desktop's.
    FileChooser* Chooser = nullptr;
    // Holds a file's content during an import; null: the manager's own.
    MacroLibrary* Scratch = nullptr;
    // The open-dialog table's pair for the small dialogs the manager opens.
    DialogRegistry Registry;
};

// The small dialogs that ask for a name, a key or a delay; none = cancelled.
struct MacroEditors {
    // A new macro's or folder's name.
    std::function<std::optional<std::u16string>(bool folder)> AskNewName;
    // A new name for an item; only a changed name comes back.
    std::function<std::optional<std::u16string>(const std::u16string& current)> AskRename;
    // A key for an action, starting from `code`.
    std::function<std::optional<uint8_t>(uint8_t code)> AskKey;
    // A delay in milliseconds, starting from `ms`.
    std::function<std::optional<uint32_t>(uint32_t ms)> AskDelay;
    // The export and import commands of the context menu.
    std::function<void(TreeCommand command)> Transfer;
};

class CMacroManagerDlg : public CDlgBase {
  public:
    static constexpr int kWidth = 528;
    static constexpr int kHeight = 365;

    CMacroManagerDlg(UiContext& ui, const LanguageTable& language, MacroLibrary& library,
                     MacroManagerHost host, QWidget* parent = nullptr);
    ~CMacroManagerDlg() override;

    // Replaces the editing dialogs (the program's own by default).
    void SetEditors(MacroEditors editors) { editors_ = std::move(editors); }
    MacroEditors& Editors() { return editors_; }

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    // --- what the window shows -------------------------------------------
    MacroRecord* CurrentMacro() const { return actions_.Macro(); }
    int SelectedAction() const { return actions_.SelectedRow(); }
    void SelectAction(int index);
    bool Recording() const { return recording_; }
    CKeyboardHook& Hook() { return hook_; }
    // The note that keys must be typed into the manager (shown while
    // recording where keys of other windows cannot be read).
    CStaticText* TypeHereNote() const { return typeHere_; }
    CEditShowList* Tree() const { return tree_; }
    CImageShowList* ActionList() const { return actionList_; }
    CVScrollBar* TreeScrollBar() const { return treeScroll_; }
    CVScrollBar* ActionScrollBar() const { return actionScroll_; }
    QLineEdit* RepeatEdit() const { return repeatEdit_; }
    bool RepeatEditShown() const;
    MacroTreeSource& TreeRows() { return treeRows_; }
    MacroActionSource& ActionRows() { return actions_; }
    // The last save of the library file succeeded.
    bool LastSaveOk() const { return lastSaveOk_; }

    // --- commands (the buttons and menus call these) ---------------------
    void ToggleRecording();
    void NewItem(bool folder);
    void RenameItem();
    void DeleteItem();
    void ModifyAction();
    void DeleteSelectedAction();
    void Insert(InsertKind kind);
    void SetPlayMode(uint8_t mode);
    // Remembers a menu choice; it runs on the next repaint.
    void QueueInsert(InsertKind kind);
    void QueueCommand(TreeCommand command);
    bool HasQueuedWork() const { return insertQueued_ || commandQueued_; }
    // Runs what the menus left for the next repaint.
    void RunQueuedWork();
    // After a tree change: the current macro, the scroll bars, the play mode.
    void RefreshSelection();
    // Saves and closes.
    void CloseManager();
    // The window system's close (title bar, Alt+F4) does what the close
    // button does, so no edit is lost.
    void reject() override { CloseManager(); }

  protected:
    intptr_t DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    bool OnMouseWheel(int notches, Point p) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void OnKeyEvent(uintptr_t wParam, intptr_t lParam);
    void StartRecording();
    void StopRecording();
    void ShowTypeHere();
    void EnableControls(bool enabled);
    bool SaveLibrary();
    void Attention(uint16_t entry);
    void RunCommand(TreeCommand command);
    void OpenContextMenu(Point at);
    void OpenInsertList();
    void OnRepeatTextChanged();
    void ShowPlayMode();
    void ScrollTree(int first);
    void ScrollActions(int first);
    void OnScroll(CVScrollBar* bar, bool tree, uintptr_t part, intptr_t code);
    void RevealTreeSelection();
    void ShowLastActions();
    // Scrolls the action list as little as needed to show action `index`.
    void RevealAction(int index);
    bool ItemInUse(const MacroItemLocation& loc) const;
    int Run(CDlgBase& dialog);
    // The program's own name, key and delay dialogs and file commands.
    MacroEditors ProgramEditors();
    void Transfer(TreeCommand command);

    const LanguageTable& language_;
    MacroLibrary& library_;
    MacroManagerHost host_;
    std::unique_ptr<MacroLibrary> ownScratch_;
    std::unique_ptr<FileChooser> ownChooser_;
    MacroEditors editors_;
    MacroTreeSource treeRows_;
    MacroActionSource actions_;
    MacroRecorder recorder_;
    CKeyboardHook hook_;
    bool recording_ = false;
    bool lastSaveOk_ = true;

    InsertKind queuedInsert_ = InsertKind::LeftClick;
    bool insertQueued_ = false;
    TreeCommand queuedCommand_ = TreeCommand::NewMacro;
    bool commandQueued_ = false;
    bool queuedRunPosted_ = false;

    CEditShowList* tree_ = nullptr;
    CImageShowList* actionList_ = nullptr;
    CVScrollBar* treeScroll_ = nullptr;
    CVScrollBar* actionScroll_ = nullptr;
    CCheckButton* record_ = nullptr;
    CCheckButton* delays_ = nullptr;
    CComboButton* insert_ = nullptr;
    CStaticText* typeHere_ = nullptr;
    QLineEdit* repeatEdit_ = nullptr;
    bool settingRepeatText_ = false;
};

}  // namespace velmaro
