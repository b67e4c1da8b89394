// The manager's two lists: their scroll bars, the mouse wheel, and keeping
// a new tree item or an inserted action in view.
#include "app/macro/macro_manager_dlg.h"

#include <algorithm>

#include "ui/edit_show_list.h"
#include "ui/image_show_list.h"
#include "ui/v_scroll_bar.h"

namespace velmaro {

void CMacroManagerDlg::RevealAction(int index) {
    if (actionList_ == nullptr)
        return;
    const int page = std::max(1, actionList_->VisibleRowCount());
    int first = actionList_->FirstVisibleRow();
    if (index < first)
        first = index;
    else if (index >= first + page)
        first = index - page + 1;
    ScrollActions(first);
}

void CMacroManagerDlg::ShowLastActions() {
    if (actionList_ == nullptr)
        return;
    const int rows = actions_.RowCount();
    const int page = std::max(1, actionList_->VisibleRowCount());
    int first = actionList_->FirstVisibleRow();
    if (rows > first + page)
        first = rows - page;
    ScrollActions(first);
}

void CMacroManagerDlg::ScrollTree(int first) {
    if (tree_ == nullptr)
        return;
    const int rows = treeRows_.RowCount();
    const int page = std::max(1, tree_->VisibleRowCount());
    first = std::clamp(first, 0, std::max(0, rows - page));
    tree_->SetFirstVisibleRow(first);
    if (treeScroll_ != nullptr)
        treeScroll_->SetScrollInfo(first, page, rows);
    InvalidateRect(tree_->GetRect());
    if (treeScroll_ != nullptr)
        InvalidateRect(treeScroll_->GetRect());
}

void CMacroManagerDlg::ScrollActions(int first) {
    if (actionList_ == nullptr)
        return;
    const int rows = actions_.RowCount();
    const int page = std::max(1, actionList_->VisibleRowCount());
    first = std::clamp(first, 0, std::max(0, rows - page));
    actionList_->SetFirstVisibleRow(first);
    if (actionScroll_ != nullptr)
        actionScroll_->SetScrollInfo(first, page, rows);
    InvalidateRect(actionList_->GetRect());
    if (actionScroll_ != nullptr)
        InvalidateRect(actionScroll_->GetRect());
}

void CMacroManagerDlg::OnScroll(CVScrollBar* bar, bool tree, uintptr_t part, intptr_t code) {
    CShowListBase* list = tree ? static_cast<CShowListBase*>(tree_) : actionList_;
    if (bar == nullptr || list == nullptr)
        return;
    auto scroll = [&](int first) { tree ? ScrollTree(first) : ScrollActions(first); };
    const int first = list->FirstVisibleRow();
    const int page = std::max(1, list->VisibleRowCount());
    if (code == NotifyDrag) {
        scroll(bar->GetPos());
        return;
    }
    if (code != NotifyDown)
        return;
    switch (int(part)) {
        case ScrollLineUp:
            scroll(first - 1);
            break;
        case ScrollLineDown:
            scroll(first + 1);
            break;
        case ScrollPageUp:
            scroll(first - page);
            break;
        case ScrollPageDown:
            scroll(first + page);
            break;
        default:
            break;
    }
}

bool CMacroManagerDlg::OnMouseWheel(int notches, Point p) {
    if (tree_ != nullptr && !tree_->Disabled() && tree_->GetRect().Contains(p)) {
        ScrollTree(tree_->FirstVisibleRow() - notches);
        return true;
    }
    // The action list scrolls while recording too, to look back at what was typed.
    if (actionList_ != nullptr && (recording_ || !actionList_->Disabled()) &&
        actionList_->GetRect().Contains(p)) {
        ScrollActions(actionList_->FirstVisibleRow() - notches);
        return true;
    }
    return false;
}

void CMacroManagerDlg::RevealTreeSelection() {
    if (tree_ == nullptr)
        return;
    const int selected = treeRows_.SelectedRow();
    const int rows = treeRows_.RowCount();
    const int page = std::max(1, tree_->VisibleRowCount());
    int first = tree_->FirstVisibleRow();
    if (selected >= 0 && selected >= first + page) {
        first = selected - page + 1;
    } else if (selected < 0 && rows <= page) {
        first = 0;
    } else if (rows - first < page) {
        first = rows - page;
    }
    ScrollTree(std::max(0, first));
}

}  // namespace velmaro
