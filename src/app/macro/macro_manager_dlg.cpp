#include "app/macro/macro_manager_dlg.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "app/macro/macro_manager_popups.h"
#include "macro/macro_library_file.h"
#include "ui/attention_dlg.h"
#include "ui/check_button.h"
#include "ui/combo_button.h"
#include "ui/edit_show_list.h"
#include "ui/file_chooser.h"
#include "ui/image_button.h"
#include "ui/image_show_list.h"
#include "ui/radio_button.h"
#include "ui/static_text.h"
#include "ui/v_scroll_bar.h"
#include "ui/wnd_popup.h"

namespace velmaro {

namespace {
constexpr ColorRef kPanelBackdrop = 0x949494;
constexpr ColorRef kLabelColor = 0xB4B4B4;
// The labels end a little inside the options panel of the frame.
constexpr int kLabelRight = 512;
constexpr ColorRef kRepeatEditBackground = 0x141414;
constexpr ColorRef kRepeatEditBorder = 0x3C3C3C;
// Laid over the parts of the window that do not react while recording.
constexpr QRgb kRecordingShade = qRgba(0, 0, 0, 110);
constexpr uint16_t kAttentionTitleEntry = 150;
constexpr uint16_t kMessageDigitsOnly = 175;
constexpr uint16_t kMessageConfirmDelete = 232;
constexpr uint16_t kMessageSelectItem = 233;
constexpr uint16_t kMessageSelectMacroToInsert = 236;
constexpr uint16_t kMessageMacroFull = 237;
constexpr uint16_t kMessageNameExists = 241;
constexpr uint16_t kMessageNameEmpty = 242;
constexpr uint16_t kMessageItemInUse = 257;
constexpr uint16_t kTooLongSuffix = 321;
constexpr uint16_t kTypeHereEntry = 322;
constexpr int kInsertSlot = 0;
constexpr int kMenuSlot = 1;
constexpr uint8_t kMacroCategory = 0x90;
// Mouse buttons, movements and the wheel: their actions cannot be modified.
constexpr uint8_t kFirstMouseAction = 0xE0;
constexpr uint8_t kLastMouseAction = 0xE7;
// The key an inserted key action starts with, before the user picks one.
constexpr uint8_t kPlaceholderKey = 0x41;
// Texts of the insert kinds, by InsertKind.
constexpr int kInsertEntries[] = {20, 21, 22, 205, 206};

constexpr uint32_t ModeButton(uint8_t mode) {
    return mode == 1 ? kManagerModeOnceId : mode == 4 ? kManagerModeToggleId : kManagerModeCountId;
}

Rect ToScreen(const QWidget& window, const Rect& r) {
    const QPoint g = window.mapToGlobal(QPoint(r.left, r.top));
    return Rect{g.x(), g.y(), g.x() + (r.right - r.left), g.y() + (r.bottom - r.top)};
}

void FillRect(QPainter& dc, const Rect& r, ColorRef color) {
    dc.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), ToQColor(color));
}
}  // namespace

CMacroManagerDlg::CMacroManagerDlg(UiContext& ui, const LanguageTable& language,
                                   MacroLibrary& library, MacroManagerHost host, QWidget* parent)
    : CDlgBase(ui, parent),
      language_(language),
      library_(library),
      host_(std::move(host)),
      editors_(ProgramEditors()),
      treeRows_(library) {
    treeRows_.SetTooLongSuffix(QString::fromStdU16String(language.Text(kTooLongSuffix)));
    SetWindowSize(Px(kWidth), Px(kHeight));
}

CMacroManagerDlg::~CMacroManagerDlg() {
    hook_.StopHook();
}

bool CMacroManagerDlg::OnInitDialog() {
    treeRows_.CloseAllFolders();
    library_.SelectedLocation = MacroItemLocation::None();
    actions_.SetMacro(nullptr);
    recording_ = false;
    CDlgBase::OnInitDialog();
    RefreshSelection();
    return true;
}

void CMacroManagerDlg::InitUI(int, int, int, int) {
    CreateControls();
}

void CMacroManagerDlg::CreateControls() {
    UiContext& ui = Ui();
    auto text = [this](int entry) {
        return QString::fromStdU16String(language_.Text(size_t(entry)));
    };
    auto label = [&](uint32_t id, Rect r, int entry) {
        MakeControl<CStaticText>(0, id, r, text(entry), kLabelColor);
    };
    label(0x7E9, ui.ScaledRect(24, 35, 124, 52), 191);
    label(0x7EA, ui.ScaledRect(189, 35, 289, 52), 192);
    // The labels end at the panel's edge, where a long text gives way to an
    // ellipsis rather than being cut by the window's border.
    label(0x7EB, ui.ScaledRect(390, 84, kLabelRight, 102), 193);
    // A play mode's label too long for one line takes two, centred on its
    // radio button (the rows leave room for them).
    const QFontMetrics metrics(ui.ProgramFont());
    auto modeLabel = [&](uint32_t id, int top, int entry) {
        Rect r = ui.ScaledRect(390, top, kLabelRight, top + 17);
        if (metrics.horizontalAdvance(text(entry)) > r.right - r.left) {
            const int middle = (r.top + ui.ScaledRect(0, top + 15, 0, top + 15).top) / 2;
            r.top = middle - metrics.height();
            r.bottom = middle + metrics.height() + 1;
            MakeControl<CStaticText>(0, id, r, text(entry), kLabelColor, kDtLeft | kDtWordBreak);
            return;
        }
        MakeControl<CStaticText>(0, id, r, text(entry), kLabelColor);
    };
    modeLabel(0x7EC, 113, 194);
    modeLabel(0x7ED, 141, 195);
    modeLabel(0x7EE, 169, 196);
    label(0x7EA, ui.ScaledRect(370, 230, 470, 247), 197);

    auto* close =
        MakeControl<CImageButton>(0, kManagerCloseId, ui.ScaledRect(505, 3, 520, 18), QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));

    record_ = MakeControl<CCheckButton>(0, kManagerRecordId, ui.ScaledRect(370, 53, 460, 71),
                                        text(199), kDtCenter);
    record_->SetImages(ui.SkinFile("macro_record_nr.png"), ui.SkinFile("macro_record_nr.png"),
                       ui.SkinFile("macro_record_dn.png"));
    record_->SetUncheckedText(text(199));
    record_->SetCheckedText(text(198));
    record_->SetTextColors(kLabelColor, 0xFFFFFF, 0xFFFFFF);

    delays_ = MakeControl<CCheckButton>(0, kManagerDelaysBoxId, ui.ScaledRect(370, 86, 381, 97),
                                        QString());
    delays_->SetImages(ui.SkinFile("check_nr.png"), ui.SkinFile("check_ov.png"),
                       ui.SkinFile("check_dn.png"));
    delays_->SetChecked(true);

    const int modeTops[] = {113, 141, 169};
    const uint32_t modeIds[] = {kManagerModeOnceId, kManagerModeToggleId, kManagerModeCountId};
    for (int i = 0; i < 3; ++i) {
        auto* radio = MakeControl<CRadioButton>(
            0, modeIds[i], ui.ScaledRect(368, modeTops[i], 383, modeTops[i] + 15), QString());
        radio->SetImages(ui.SkinFile("radio_nr.png"), ui.SkinFile("radio_ov.png"),
                         ui.SkinFile("radio_dn.png"));
    }

    struct ButtonDef {
        uint32_t id;
        Rect rect;
        int entry;
    };
    const ButtonDef buttons[] = {
        {kManagerNewMacroId, ui.ScaledRect(24, 333, 89, 356), 200},
        {kManagerDeleteItemId, ui.ScaledRect(104, 333, 169, 356), 202},
        {kManagerModifyId, ui.ScaledRect(189, 333, 254, 356), 201},
        {kManagerDeleteActionId, ui.ScaledRect(269, 333, 334, 356), 202},
    };
    for (const ButtonDef& b : buttons) {
        auto* button = MakeControl<CImageButton>(0, b.id, b.rect, text(b.entry));
        button->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    }

    tree_ = MakeControl<CEditShowList>(0, ui.ScaledRect(25, 54, 168, 323), QString(), &treeRows_);
    tree_->SetFolderImages(ui.SkinFile("foldr_open.png"), ui.SkinFile("foldr_close.png"));
    actionList_ =
        MakeControl<CImageShowList>(0, ui.ScaledRect(190, 54, 333, 323), QString(), &actions_);
    actionList_->SetIcon(MacroActionSource::kClockIcon, ui.SkinFile("macro_time.png"));
    actionList_->SetIcon(MacroActionSource::kPressIcon, ui.SkinFile("macro_down.png"));
    actionList_->SetIcon(MacroActionSource::kReleaseIcon, ui.SkinFile("macro_up.png"));
    treeScroll_ = MakeControl<CVScrollBar>(0, kManagerTreeScrollId,
                                           ui.ScaledRect(169, 53, 187, 324), QString());
    actionScroll_ = MakeControl<CVScrollBar>(0, kManagerActionScrollId,
                                             ui.ScaledRect(334, 53, 352, 324), QString());

    insert_ = MakeControl<CComboButton>(0, kManagerInsertId, ui.ScaledRect(370, 250, 487, 264),
                                        QString(), kManagerInsertMessage);
    insert_->SetImages(ui.SkinFile("combo3_nr.png"), ui.SkinFile("combo3_ov.png"));
    // The drop-down shows the kind of action it inserted last.
    insert_->SetValueText(text(kInsertEntries[0]));
    typeHere_ =
        MakeControl<CStaticText>(0, 0, ui.ScaledRect(370, 274, kLabelRight, 322),
                                 text(kTypeHereEntry), ColorRef(0xFFFFFF), kDtLeft | kDtWordBreak);
    typeHere_->SetVisible(false);

    // The repeat count is typed into a real edit field.
    repeatEdit_ = new QLineEdit(this);
    const Rect er = ui.ScaledRect(392, 190, 470, 210);
    repeatEdit_->setGeometry(er.left, er.top, er.right - er.left, er.bottom - er.top);
    repeatEdit_->setFont(ui.ProgramFont());
    repeatEdit_->setFrame(false);
    // A palette rather than a style sheet: the manager opens noticeably faster.
    QPalette palette = repeatEdit_->palette();
    palette.setColor(QPalette::Text, ToQColor(kLabelColor));
    palette.setColor(QPalette::Base, ToQColor(kRepeatEditBackground));
    palette.setColor(QPalette::Window, ToQColor(kRepeatEditBackground));
    palette.setColor(QPalette::Highlight, QColor(0x50, 0x50, 0x50));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    repeatEdit_->setPalette(palette);
    repeatEdit_->setTextMargins(Px(3), 0, 0, 0);
    repeatEdit_->hide();
    repeatEdit_->installEventFilter(this);
    connect(repeatEdit_, &QLineEdit::textChanged, this, [this] { OnRepeatTextChanged(); });
}

void CMacroManagerDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, "Frame_Macro_Manager.bmp");
    FillRect(dc, Ui().ScaledRect(24, 53, 169, 324), kPanelBackdrop);
    FillRect(dc, Ui().ScaledRect(189, 53, 334, 324), kPanelBackdrop);
    DrawControls(dc, updateRect);
    if (RepeatEditShown()) {
        // A thin border marks the field on the dark panel.
        const QRect r = repeatEdit_->geometry().adjusted(-1, -1, 0, 0);
        dc.setPen(ToQColor(kRepeatEditBorder));
        dc.setBrush(Qt::NoBrush);
        dc.drawRect(r);
    }
    if (recording_) {
        const QColor shade = QColor::fromRgba(kRecordingShade);
        for (const Rect& r : {Ui().ScaledRect(24, 53, 188, 324), Ui().ScaledRect(24, 333, 334, 356),
                              Ui().ScaledRect(366, 80, 512, 215)})
            dc.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), shade);
    }
    // A menu choice runs once the menu is gone and the window has repainted.
    if (HasQueuedWork() && !queuedRunPosted_) {
        queuedRunPosted_ = true;
        QMetaObject::invokeMethod(
            this, [this] { RunQueuedWork(); }, Qt::QueuedConnection);
    }
}

// --- messages ---------------------------------------------------------------------------

intptr_t CMacroManagerDlg::DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    const bool click = lParam == NotifyClick;
    switch (msg) {
        case kKeyHookMessage:
            // A popup's close reports here too, with no key.
            if (wParam != 0)
                OnKeyEvent(wParam, lParam);
            return 0;
        case kManagerCloseId:
            if (click)
                CloseManager();
            return 0;
        case kManagerNewMacroId:
            if (click)
                NewItem(false);
            return 0;
        case kManagerDeleteItemId:
            if (click)
                DeleteItem();
            return 0;
        case kManagerModifyId:
            if (click)
                ModifyAction();
            return 0;
        case kManagerDeleteActionId:
            if (click)
                DeleteSelectedAction();
            return 0;
        case kManagerRecordId:
            if (click)
                ToggleRecording();
            return 0;
        case kManagerModeOnceId:
        case kManagerModeToggleId:
        case kManagerModeCountId:
            if (click)
                SetPlayMode(msg == kManagerModeOnceId ? 1 : msg == kManagerModeToggleId ? 4 : 2);
            return 0;
        case kManagerTreeId:
            if (lParam == NotifyRightClick && wParam != 0) {
                const Point at = *reinterpret_cast<const Point*>(wParam);
                RefreshSelection();
                OpenContextMenu(at);
            } else {
                // A press selects, and on a folder's icon opens or closes it.
                RefreshSelection();
            }
            InvalidateAll();
            return 0;
        case kManagerActionListId:
            if (lParam == NotifyDoubleClick)
                ModifyAction();
            InvalidateAll();
            return 0;
        case kManagerTreeScrollId:
            OnScroll(treeScroll_, true, wParam, lParam);
            return 0;
        case kManagerActionScrollId:
            OnScroll(actionScroll_, false, wParam, lParam);
            return 0;
        case kManagerInsertMessage:
            if (click)
                OpenInsertList();
            return 0;
        case kManagerInsertChoice:
            if (lParam != 0)
                QueueInsert(InsertKind(reinterpret_cast<const PopupResult*>(lParam)->Code[0]));
            ClosePopup(kInsertSlot);
            if (insert_ != nullptr)
                insert_->SetActive(false);
            InvalidateAll();
            return 0;
        case kManagerMenuChoice:
            if (lParam != 0)
                QueueCommand(TreeCommand(reinterpret_cast<const PopupResult*>(lParam)->Code[0]));
            ClosePopup(kMenuSlot);
            InvalidateAll();
            return 0;
        case kManagerInsertGone:
        case kManagerMenuGone:
            ClosePopup(msg == kManagerInsertGone ? kInsertSlot : kMenuSlot);
            if (insert_ != nullptr)
                insert_->SetActive(false);
            InvalidateAll();
            return 0;
        default:
            return CDlgBase::DispatchMessage(msg, wParam, lParam);
    }
}

bool CMacroManagerDlg::SaveLibrary() {
    if (host_.Files == nullptr || host_.LibraryPath.empty())
        return lastSaveOk_ = false;
    lastSaveOk_ = SaveMacroLibrary(host_.LibraryPath, library_, *host_.Files);
    return lastSaveOk_;
}

void CMacroManagerDlg::CloseManager() {
    if (recording_) {
        hook_.StopHook();
        recording_ = false;
    }
    library_.SelectedLocation = MacroItemLocation::None();
    SaveLibrary();
    EndDialog(QDialog::Accepted);
}

// --- small dialogs ----------------------------------------------------------------------

int CMacroManagerDlg::Run(CDlgBase& dialog) {
    return host_.RunModal ? host_.RunModal(dialog) : dialog.DoModal();
}

void CMacroManagerDlg::Attention(uint16_t entry) {
    CAttentionDlg dialog(Ui(), language_,
                         QString::fromStdU16String(language_.Text(kAttentionTitleEntry)),
                         QString::fromStdU16String(language_.Text(entry)), this);
    Run(dialog);
}

// --- actions ----------------------------------------------------------------------------

void CMacroManagerDlg::SelectAction(int index) {
    actions_.SelectRow(index);
    InvalidateAll();
}

void CMacroManagerDlg::QueueInsert(InsertKind kind) {
    if (int(kind) < 0 || int(kind) > int(InsertKind::Key))
        return;
    queuedInsert_ = kind;
    if (insert_ != nullptr)
        insert_->SetValueText(
            QString::fromStdU16String(language_.Text(size_t(kInsertEntries[int(kind)]))));
    insertQueued_ = true;
    InvalidateAll();
}

void CMacroManagerDlg::QueueCommand(TreeCommand command) {
    if (int(command) < 0 || int(command) > int(TreeCommand::ExportCollection))
        return;
    queuedCommand_ = command;
    commandQueued_ = true;
    InvalidateAll();
}

void CMacroManagerDlg::RunQueuedWork() {
    queuedRunPosted_ = false;
    if (insertQueued_) {
        insertQueued_ = false;
        Insert(queuedInsert_);
    }
    if (commandQueued_) {
        commandQueued_ = false;
        RunCommand(queuedCommand_);
    }
}

void CMacroManagerDlg::Insert(InsertKind kind) {
    MacroRecord* macro = CurrentMacro();
    if (macro == nullptr) {
        Attention(kMessageSelectMacroToInsert);
        return;
    }
    // The key dialogs must not feed the recording.
    const bool hooked = recording_;
    if (hooked)
        hook_.StopHook();
    const int selected = actions_.SelectedRow();
    switch (kind) {
        case InsertKind::LeftClick:
        case InsertKind::RightClick:
        case InsertKind::MiddleClick: {
            const uint8_t button = uint8_t(kFirstMouseAction + int(kind));
            if (const std::optional<int> release = InsertPressAndRelease(*macro, selected, button))
                actions_.SelectRow(*release);
            else
                Attention(kMessageMacroFull);
            break;
        }
        case InsertKind::Key: {
            const std::optional<int> release =
                InsertPressAndRelease(*macro, selected, kPlaceholderKey);
            if (!release) {
                Attention(kMessageMacroFull);
                break;
            }
            const std::optional<uint8_t> code =
                editors_.AskKey ? editors_.AskKey(kPlaceholderKey) : std::nullopt;
            if (code) {
                SetPressAndReleaseKey(*macro, *release, *code);
                actions_.SelectRow(*release);
            } else {
                RemoveInsertedPressAndRelease(*macro, *release);
            }
            break;
        }
        case InsertKind::Delay: {
            const uint32_t p = InsertPosition(*macro, selected);
            if (p > 0 && macro->AllAction[p - 1].IsDelay()) {
                // Never two delays in a row: the one before is edited instead.
                MacroAction& before = macro->AllAction[p - 1];
                if (editors_.AskDelay) {
                    if (const std::optional<uint32_t> ms = editors_.AskDelay(before.DelayMs()))
                        before = MacroAction::Delay(*ms);
                }
                break;
            }
            if (!macro->InsertAction(p, MacroAction::Delay(kNewDelayMs)))
                break;
            const std::optional<uint32_t> ms =
                editors_.AskDelay ? editors_.AskDelay(kNewDelayMs) : std::nullopt;
            if (ms) {
                macro->AllAction[p] = MacroAction::Delay(*ms);
                actions_.SelectRow(int(p));
            } else {
                macro->RemoveAction(p);
            }
            break;
        }
    }
    if (hooked && recording_)
        hook_.StartHook(this);
    // The list keeps what was inserted in view, not its last rows.
    const int shown = actions_.SelectedRow();
    if (shown >= 0 && shown != selected)
        RevealAction(shown);
    else
        ScrollActions(actionList_ != nullptr ? actionList_->FirstVisibleRow() : 0);
}

void CMacroManagerDlg::ModifyAction() {
    MacroRecord* macro = CurrentMacro();
    const int selected = actions_.SelectedRow();
    if (macro == nullptr || selected < 0 || uint32_t(selected) >= macro->UsedCount())
        return;
    MacroAction& action = macro->AllAction[size_t(selected)];
    if (action.IsDelay()) {
        if (editors_.AskDelay) {
            if (const std::optional<uint32_t> ms = editors_.AskDelay(action.DelayMs()))
                action = MacroAction::Delay(*ms);
        }
    } else if (action.Bytes[0] >= kFirstMouseAction && action.Bytes[0] <= kLastMouseAction) {
        return;
    } else if (editors_.AskKey) {
        // Only this action changes; its partner press or release stays.
        if (const std::optional<uint8_t> code = editors_.AskKey(action.Bytes[0]))
            action.Bytes[0] = *code;
    }
    InvalidateAll();
}

void CMacroManagerDlg::DeleteSelectedAction() {
    MacroRecord* macro = CurrentMacro();
    if (macro == nullptr || actions_.SelectedRow() < 0)
        return;
    actions_.SelectRow(DeleteAction(*macro, actions_.SelectedRow()));
    ScrollActions(actionList_ != nullptr ? actionList_->FirstVisibleRow() : 0);
}

// --- play mode ------------------------------------------------------------------------

void CMacroManagerDlg::SetPlayMode(uint8_t mode) {
    if (MacroRecord* macro = CurrentMacro())
        macro->MacroKeyLoopType = mode;
    ShowPlayMode();
    InvalidateAll();
}

void CMacroManagerDlg::ShowPlayMode() {
    uint32_t& bits = Ui().Selection.RadioGroupBits;
    const std::optional<RadioGroupBit> group = RadioGroupOf(kManagerModeOnceId);
    if (group)
        bits &= ~group->GroupMask;
    MacroRecord* macro = CurrentMacro();
    if (macro != nullptr) {
        const uint8_t mode = macro->MacroKeyLoopType;
        if (mode == 1 || mode == 2 || mode == 4) {
            if (const std::optional<RadioGroupBit> own = RadioGroupOf(ModeButton(mode)))
                bits |= own->Bit;
        }
    }
    if (repeatEdit_ == nullptr)
        return;
    if (macro != nullptr && macro->MacroKeyLoopType == 2) {
        repeatEdit_->show();
        repeatEdit_->setEnabled(!recording_);
        repeatEdit_->setText(QString::number(macro->MacroKeyLoopNum));
        repeatEdit_->selectAll();
    } else {
        repeatEdit_->hide();
    }
}

bool CMacroManagerDlg::RepeatEditShown() const {
    return repeatEdit_ != nullptr && !repeatEdit_->isHidden();
}

void CMacroManagerDlg::OnRepeatTextChanged() {
    MacroRecord* macro = CurrentMacro();
    if (macro == nullptr || macro->MacroKeyLoopType != 2 || settingRepeatText_)
        return;
    // The digits up to the first other character.
    const QString text = repeatEdit_->text();
    uint32_t v = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        v = std::min<uint32_t>(v * 10 + uint32_t(c.unicode() - u'0'), 1000);
    }
    const char* replacement = v >= 256 ? "255" : v == 0 ? "1" : nullptr;
    if (replacement != nullptr) {
        v = v >= 256 ? 255 : 1;
        settingRepeatText_ = true;
        repeatEdit_->setText(QString::fromLatin1(replacement));
        repeatEdit_->selectAll();
        settingRepeatText_ = false;
    }
    macro->MacroKeyLoopNum = uint8_t(v);
}

bool CMacroManagerDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == repeatEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const MacroRecord* macro = CurrentMacro();
        const QString typed = key->text();
        const bool character = !typed.isEmpty() && typed.at(0).isPrint();
        if (macro != nullptr && macro->MacroKeyLoopType == 2 && character &&
            key->key() != Qt::Key_Backspace && !(typed.at(0) >= u'0' && typed.at(0) <= u'9'))
            Attention(kMessageDigitsOnly);
    }
    return CDlgBase::eventFilter(watched, event);
}

// --- tree -------------------------------------------------------------------------------

void CMacroManagerDlg::RefreshSelection() {
    const MacroItem* item = library_.ItemAt(library_.SelectedLocation);
    MacroRecord* macro =
        item != nullptr && item->IsUsed() && !item->IsFolder() ? item->Macro.get() : nullptr;
    if (macro != actions_.Macro()) {
        actions_.SetMacro(macro);
        if (actionList_ != nullptr)
            actionList_->SetFirstVisibleRow(0);
    }
    ScrollActions(actionList_ != nullptr ? actionList_->FirstVisibleRow() : 0);
    ScrollTree(tree_ != nullptr ? tree_->FirstVisibleRow() : 0);
    ShowPlayMode();
    InvalidateAll();
}

void CMacroManagerDlg::NewItem(bool folder) {
    const std::optional<std::u16string> name =
        editors_.AskNewName ? editors_.AskNewName(folder) : std::nullopt;
    if (!name)
        return;
    if (name->empty()) {
        Attention(kMessageNameEmpty);
        return;
    }
    const MacroItemLocation before = library_.SelectedLocation;
    const AddResult result = folder ? library_.AddFolder(*name) : library_.AddMacro(*name);
    if (result == AddResult::NameExists) {
        Attention(kMessageNameExists);
        return;
    }
    if (result != AddResult::Added)
        return;
    // Open the folder it went into so the new item shows.
    const MacroItem* parent = library_.ItemAt(before);
    if (parent != nullptr && parent->IsFolder())
        library_.MutableItemAt(before)->MacroItemFolderIsOpen = 1;
    RevealTreeSelection();
    RefreshSelection();
}

void CMacroManagerDlg::RenameItem() {
    const MacroItemLocation loc = library_.SelectedLocation;
    const MacroItem* item = library_.ItemAt(loc);
    if (item == nullptr || !item->IsUsed() || !editors_.AskRename)
        return;
    const std::optional<std::u16string> name = editors_.AskRename(item->MacroItemName);
    if (!name)
        return;
    if (name->empty()) {
        Attention(kMessageNameEmpty);
        return;
    }
    if (library_.NameTakenAmongSiblings(*name, loc)) {
        Attention(kMessageNameExists);
        return;
    }
    library_.MutableItemAt(loc)->MacroItemName = *name;
    InvalidateAll();
}

bool CMacroManagerDlg::ItemInUse(const MacroItemLocation& loc) const {
    if (host_.CurrentProfile == nullptr)
        return false;
    for (const KeyRecord& key : host_.CurrentProfile->Keys) {
        if (key.Value[0] == kMacroCategory && library_.SubtreeUsesKey(key.MacroKeyIndex, loc))
            return true;
    }
    return false;
}

void CMacroManagerDlg::DeleteItem() {
    const MacroItemLocation loc = library_.SelectedLocation;
    const MacroItem* item = library_.ItemAt(loc);
    if (item == nullptr || !item->IsUsed()) {
        Attention(kMessageSelectItem);
        return;
    }
    CAttentionDlg confirm(Ui(), language_,
                          QString::fromStdU16String(language_.Text(kAttentionTitleEntry)),
                          QString::fromStdU16String(language_.Text(kMessageConfirmDelete)), this);
    if (Run(confirm) != QDialog::Accepted)
        return;
    if (ItemInUse(loc)) {
        Attention(kMessageItemInUse);
        return;
    }
    library_.DeleteItem(loc);
    library_.SelectedLocation = MacroItemLocation::None();
    RefreshSelection();
}

void CMacroManagerDlg::RunCommand(TreeCommand command) {
    switch (command) {
        case TreeCommand::NewMacro:
            NewItem(false);
            break;
        case TreeCommand::NewFolder:
            NewItem(true);
            break;
        case TreeCommand::Rename:
            RenameItem();
            break;
        case TreeCommand::Delete:
            DeleteItem();
            break;
        case TreeCommand::ExportMacro:
        case TreeCommand::ImportMacro:
        case TreeCommand::ImportCollection:
        case TreeCommand::ExportCollection:
            if (editors_.Transfer)
                editors_.Transfer(command);
            // An import may have added items anywhere.
            RevealTreeSelection();
            RefreshSelection();
            break;
    }
}

// --- popups -----------------------------------------------------------------------------

void CMacroManagerDlg::OpenContextMenu(Point at) {
    const MacroItem* item = library_.ItemAt(library_.SelectedLocation);
    const bool used = item != nullptr && item->IsUsed();
    PopupWindow* menu = MakeTreeMenu(Ui(), language_, used, used && !item->IsFolder());
    OpenPopup(kMenuSlot, menu, ToScreen(*this, Rect{at.x, at.y, at.x + 1, at.y + 1}),
              kManagerMenuChoice, kManagerTreeId);
}

void CMacroManagerDlg::OpenInsertList() {
    if (insert_ == nullptr)
        return;
    const Rect r = insert_->GetRect();
    PopupWindow* list = MakeInsertList(Ui(), language_);
    if (OpenPopup(kInsertSlot, list, ToScreen(*this, Rect{r.left, r.bottom, r.right, r.bottom + 1}),
                  kManagerInsertChoice, kManagerInsertId))
        insert_->SetActive(true);
}

}  // namespace velmaro
