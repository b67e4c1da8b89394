// The lists the button-function menu opens beside itself: DPI functions,
// DPI lock steps, multimedia, office and Windows commands. Each shows its
// fixed list with captions from the language table and reports a choice as
// (its choice message, data, address of the result) with the function's
// display name and three bytes, ready to be stored on the button.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/button_functions.h"
#include "ui/list_popup.h"

namespace velmaro {

// Kinds (they pick the deactivation message) and the choice messages the
// main window gives each list.
inline constexpr int kDpiPopupKind = 2;
inline constexpr int kMultimediaPopupKind = 3;
inline constexpr int kDpiLockPopupKind = 10;
inline constexpr int kWindowsManagePopupKind = 11;
inline constexpr int kOfficePopupKind = 12;
inline constexpr uint32_t kDpiListChoiceMessage = 0x411;
inline constexpr uint32_t kMultimediaListChoiceMessage = 0x414;
inline constexpr uint32_t kDpiLockListChoiceMessage = 0x483;
inline constexpr uint32_t kWindowsListChoiceMessage = 0x486;
inline constexpr uint32_t kOfficeListChoiceMessage = 0x489;

// A list of button functions; item ids are the entry numbers 1..n.
class CFunctionListPopup : public CListPopup {
  public:
    // The choice an item reports, by its id; none for an id that is not there.
    const ButtonChoice* ChoiceOf(int id) const;

  protected:
    CFunctionListPopup(UiContext& ui, int kind, const LanguageTable& language,
                       const PopupItemImages& images);

    // Adds entry number size + 1 with its caption and the choice it reports.
    void AddFunction(std::u16string caption, ButtonChoice choice);
    // Adds a fixed list; captions are the functions' names.
    template <size_t N>
    void AddFixedList(const std::array<FixedFunction, N>& list) {
        for (const FixedFunction& entry : list) {
            ButtonChoice choice = FixedChoice(language_, entry);
            std::u16string caption = choice.Name;
            AddFunction(std::move(caption), std::move(choice));
        }
    }
    void FillResult(const PopupItem& item, PopupResult& result) const override;

    const LanguageTable& Language() const { return language_; }

  private:
    const LanguageTable& language_;
    std::vector<ButtonChoice> choices_;
};

// DPI +, DPI -, DPI cycle.
class CDPIPopup : public CFunctionListPopup {
  public:
    CDPIPopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images);

  protected:
    void InitItems() override;
};

// DPI lock at 200..1200 DPI: captions are the DPI values, the reported name
// is the DPI lock text, "-" and the value.
class CDPILockPopup : public CFunctionListPopup {
  public:
    CDPILockPopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images);

  protected:
    void InitItems() override;
};

class CMultimediaPopup : public CFunctionListPopup {
  public:
    CMultimediaPopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images);

  protected:
    void InitItems() override;
};

class COfficePopup : public CFunctionListPopup {
  public:
    COfficePopup(UiContext& ui, const LanguageTable& language, const PopupItemImages& images);

  protected:
    void InitItems() override;
};

class CWindowsManagePopup : public CFunctionListPopup {
  public:
    CWindowsManagePopup(UiContext& ui, const LanguageTable& language,
                        const PopupItemImages& images);

  protected:
    void InitItems() override;
};

}  // namespace velmaro
