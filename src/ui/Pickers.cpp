#include "ui/Pickers.h"

#include <algorithm>

#include "core/Game.h"
#include "ui/CharacterItems.h"
#include "ui/Dialogs.h"

namespace kv {

namespace {

constexpr std::string_view NoItems = "アイテムを持っていません";

}  // namespace

Pickers::Pickers(WindowManager& manager, Dialogs& dialogs, const Game& game)
    : frmSelectBox(manager, game), dialogs_(dialogs), game_(game) {}

void Pickers::Fill(const std::vector<std::string>& texts, const std::vector<int32_t>& values) {
    ListEx& list = frmSelectBox.lst;
    list.Clear();
    for (size_t i = 0; i < texts.size(); ++i) {
        list.AddItem(texts[i]);
        list.SetItemData(list.NewIndex(), i < values.size() ? values[i] : 0);
    }
    list.SetListIndex(list.ListCount() > 0 ? 0 : -1);
}

int Pickers::ChooseMember(int mode, std::string_view prompt) {
    std::vector<std::string> names;
    std::vector<int32_t> slots;
    const int count =
        std::clamp<int>(game_.PartyCount, 0, static_cast<int>(game_.PartyList.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        const int slot = game_.PartyList[static_cast<size_t>(i)];
        if (slot < 0 || static_cast<size_t>(slot) >= game_.Roster.size()) continue;
        names.push_back(game_.Roster[static_cast<size_t>(slot)].Name);
        slots.push_back(slot);
    }
    Fill(names, slots);
    return frmSelectBox.Run(prompt, mode == 1);
}

int Pickers::ChooseItem(int charIndex) {
    const std::vector<ItemRow> items = CharacterItemRows(game_, charIndex, false);
    if (items.empty()) {
        dialogs_.ShowDialog(NoItems, DialogMessage);
        frmSelectBox.SelectedValue = -1;
        return -1;
    }
    std::vector<std::string> texts;
    std::vector<int32_t> slots;
    for (const ItemRow& item : items) {
        texts.push_back(item.Text);
        slots.push_back(item.Slot);
    }
    Fill(texts, slots);
    return frmSelectBox.Run("", false);
}

int Pickers::ChooseFromList(const std::vector<std::string>& texts,
                            const std::vector<int32_t>& values, std::string_view prompt,
                            int startRow) {
    std::vector<std::string> shown;
    std::vector<int32_t> data;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        shown.push_back(texts[i]);
        data.push_back(i < values.size() ? values[i] : 0);
    }
    Fill(shown, data);
    // A start row past the end is ignored by the list and the first row stays.
    if (startRow >= 0) frmSelectBox.lst.SetListIndex(startRow);
    return frmSelectBox.Run(prompt, false);
}

int Pickers::ChooseOption(std::string_view prompt,
                          std::initializer_list<std::string_view> options) {
    return ChooseOption(prompt, std::vector<std::string>(options.begin(), options.end()));
}

int Pickers::ChooseOption(std::string_view prompt, const std::vector<std::string>& options) {
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < options.size(); ++i) numbers.push_back(static_cast<int32_t>(i + 1));
    Fill(options, numbers);
    return frmSelectBox.Run(prompt, false);
}

}  // namespace kv
