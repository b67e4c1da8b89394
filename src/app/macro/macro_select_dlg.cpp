#include "app/macro/macro_select_dlg.h"

#include <QPainter>
#include <algorithm>

#include "ui/attention_dlg.h"
#include "ui/edit_show_list.h"
#include "ui/image_button.h"
#include "ui/static_text.h"
#include "ui/v_scroll_bar.h"

namespace velmaro {

namespace {
constexpr ColorRef kTreeBackdrop = 0x949494;
constexpr ColorRef kAreaColor = 0x1B1B1B;
constexpr uint16_t kAttentionTitleEntry = 150;
constexpr uint16_t kMessageMacroTooLong = 320;
constexpr uint16_t kTooLongSuffix = 321;
}  // namespace

CMacroSelectDlg::CMacroSelectDlg(UiContext& ui, const LanguageTable& language,
                                 MacroLibrary& library, CDlgBase* owner, AttentionFn attention)
    : CDlgBase(ui, owner),
      language_(language),
      library_(library),
      owner_(owner),
      attention_(std::move(attention)),
      source_(library) {
    source_.SetTooLongSuffix(QString::fromStdU16String(language.Text(kTooLongSuffix)));
    SetWindowSize(Px(kWidth), Px(kHeight));
    OnMessage(kMacroSelectCloseId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            EndDialog(QDialog::Rejected);
        return intptr_t(0);
    });
    OnMessage(kMacroSelectOkId, [this](uint32_t, uintptr_t, intptr_t l) {
        if (l == NotifyClick)
            OnOk();
        return intptr_t(0);
    });
    // A press or double click may open or close a folder: the rows change.
    OnMessage(kMacroSelectTreeId, [this](uint32_t, uintptr_t, intptr_t) {
        ScrollTo(tree_ != nullptr ? tree_->FirstVisibleRow() : 0);
        InvalidateAll();
        return intptr_t(0);
    });
    OnMessage(kMacroSelectScrollId, [this](uint32_t, uintptr_t w, intptr_t l) {
        OnScroll(w, l);
        return intptr_t(0);
    });
}

bool CMacroSelectDlg::OnInitDialog() {
    source_.CloseAllFolders();
    library_.SelectedLocation = MacroItemLocation::None();
    CDlgBase::OnInitDialog();
    ScrollTo(0);
    return true;
}

void CMacroSelectDlg::InitUI(int, int, int, int) {
    UiContext& ui = Ui();
    MakeControl<CStaticText>(0, kMacroSelectTitleId, ui.ScaledRect(24, 35, 124, 52),
                             QString::fromStdU16String(language_.Text(191)), ColorRef(0xB4B4B4));
    auto* close = MakeControl<CImageButton>(0, kMacroSelectCloseId, ui.ScaledRect(505, 3, 520, 18),
                                            QString());
    close->SetImages(ui.SkinFile("exit_nr.png"), ui.SkinFile("exit_ov.png"));
    auto* ok = MakeControl<CImageButton>(0, kMacroSelectOkId, ui.ScaledRect(232, 333, 297, 356),
                                         QString::fromStdU16String(language_.Text(4)));
    ok->SetImages(ui.SkinFile("button2_nr.png"), ui.SkinFile("button2_ov.png"));
    tree_ = MakeControl<CEditShowList>(0, ui.ScaledRect(25, 54, 488, 323), QString(), &source_);
    tree_->SetFolderImages(ui.SkinFile("foldr_open.png"), ui.SkinFile("foldr_close.png"));
    scroll_ = MakeControl<CVScrollBar>(0, kMacroSelectScrollId, ui.ScaledRect(489, 53, 507, 324),
                                       QString());
}

void CMacroSelectDlg::DrawWindow(QPainter& dc, const Rect& updateRect) {
    FillBackground(dc, updateRect);
    DrawFrameBitmap(dc, "Frame_Macro_Manager.bmp");
    // The frame is drawn for the macro manager's two panels; one plain area
    // covers them here.
    const Rect area = Ui().ScaledRect(12, 28, 518, 330);
    dc.fillRect(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top),
                QColor(kAreaColor));
    const Rect r = Ui().ScaledRect(24, 53, 489, 324);
    dc.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), QColor(kTreeBackdrop));
    DrawControls(dc, updateRect);
}

void CMacroSelectDlg::OnOk() {
    const MacroItem* item = library_.ItemAt(library_.SelectedLocation);
    if (item == nullptr || !item->IsUsed() || item->IsFolder()) {
        if (attention_) {
            attention_(kMessageSelectMacroFirst);
        } else {
            CAttentionDlg dialog(
                Ui(), language_, QString::fromStdU16String(language_.Text(kAttentionTitleEntry)),
                QString::fromStdU16String(language_.Text(kMessageSelectMacroFirst)), this);
            dialog.DoModal();
        }
        return;
    }
    // A macro the mouse cannot play never goes on a button; the user may
    // choose another one.
    const uint16_t refusal = item->IsFolder() || !item->Macro || item->Macro->FitsMouse()
                                 ? uint16_t{0}
                                 : kMessageMacroTooLong;
    if (refusal != 0) {
        if (attention_) {
            attention_(refusal);
        } else {
            CAttentionDlg dialog(
                Ui(), language_, QString::fromStdU16String(language_.Text(kAttentionTitleEntry)),
                QString::fromStdU16String(language_.Text(refusal)), this, AttentionLayout::Long);
            dialog.DoModal();
        }
        return;
    }
    if (owner_ != nullptr)
        owner_->SendMessage(kMacroSelectedMessage, 0, 0);
    EndDialog(QDialog::Accepted);
}

void CMacroSelectDlg::ScrollTo(int firstRow) {
    if (tree_ == nullptr)
        return;
    const int rows = source_.RowCount();
    const int page = std::max(1, tree_->VisibleRowCount());
    const int first = std::clamp(firstRow, 0, std::max(0, rows - page));
    tree_->SetFirstVisibleRow(first);
    if (scroll_ != nullptr)
        scroll_->SetScrollInfo(first, page, rows);
    InvalidateAll();
}

void CMacroSelectDlg::OnScroll(uintptr_t part, intptr_t code) {
    if (tree_ == nullptr || scroll_ == nullptr)
        return;
    const int first = tree_->FirstVisibleRow();
    const int page = std::max(1, tree_->VisibleRowCount());
    if (code == NotifyDrag) {
        ScrollTo(scroll_->GetPos());
        return;
    }
    if (code != NotifyDown)
        return;
    switch (int(part)) {
        case ScrollLineUp:
            ScrollTo(first - 1);
            break;
        case ScrollLineDown:
            ScrollTo(first + 1);
            break;
        case ScrollPageUp:
            ScrollTo(first - page);
            break;
        case ScrollPageDown:
            ScrollTo(first + page);
            break;
        default:
            break;
    }
}

bool CMacroSelectDlg::OnMouseWheel(int notches, Point p) {
    if (tree_ == nullptr || !tree_->GetRect().Contains(p))
        return false;
    ScrollTo(tree_->FirstVisibleRow() - notches);
    return true;
}

}  // namespace velmaro
