#include "ui/Dialogs.h"

#include <memory>
#include <utility>

#include "platform/Keys.h"
#include "ui/Timer.h"
#include "ui/WindowManager.h"

namespace kv {

Dialogs::Dialogs(WindowManager& manager, std::function<void()> saveGame,
                 std::function<bool()> battleOnScreen)
    : SaveGame(std::move(saveGame)),
      BattleOnScreen(std::move(battleOnScreen)),
      dlgInpBox(manager, "dlgInpBox"),
      dlgInpBox2(manager, "dlgInpBox2"),
      manager_(manager) {
    Wire(dlgInpBox);
    Wire(dlgInpBox2);
}

void Dialogs::Wire(DialogWindow& box) {
    box.OnKeyDown = [this, &box](int& keyCode, int) { KeyDown(box, keyCode); };
    // A click anywhere on a message or an input closes it; the text box is
    // left to place its caret. A question waits for one of its two labels.
    auto clicked = [&box] {
        if (box.Kind != DialogYesNo) box.Hide();
    };
    box.OnClick = clicked;
    box.fraBack.OnClick = clicked;
    box.lblMsg.OnClick = clicked;
    box.lblYes.OnClick = [this, &box] {
        if (box.Kind == DialogYesNo) Answer(box, -1);
    };
    box.lblNo.OnClick = [this, &box] {
        if (box.Kind == DialogYesNo) Answer(box, 0);
    };
}

void Dialogs::KeyDown(DialogWindow& box, int& keyCode) {
    // The player can save at any prompt, whatever else the key would do;
    // once for each press: a held Ctrl's repeats save nothing.
    if (keyCode == Key::Control) {
        if (SaveGame && !manager_.KeyRepeating()) SaveGame();
        keyCode = 0;
        return;
    }
    switch (box.Kind) {
        case DialogYesNo:
            if (keyCode == Key::Letter('Y') || keyCode == Key::Return) {
                Answer(box, -1);
            } else if (keyCode == Key::Letter('N') || keyCode == Key::Escape ||
                       keyCode == Key::Back) {
                Answer(box, 0);
            }
            keyCode = 0;
            break;
        case DialogInput:
            if (keyCode == Key::Return) {
                box.Hide();
                keyCode = 0;
            } else if (keyCode == Key::Escape) {
                box.txtMsg.SetText("");
                box.Hide();
                keyCode = 0;
            }
            break;  // everything else edits the text
        default:
            if (keyCode == Key::Space || keyCode == Key::Return || keyCode == Key::Escape ||
                keyCode == Key::Back || keyCode == Key::Tab) {
                box.Hide();
            }
            keyCode = 0;
            break;
    }
}

void Dialogs::Answer(DialogWindow& box, int result) {
    DialogResult = result;
    box.Hide();
}

void Dialogs::ShowPacedMessage(std::string_view text, std::string_view title, int pauseMs) {
    if (pauseMs < 0) {
        ShowDialog(text, DialogMessage, "", title);
        return;
    }
    DialogWindow& box = Open(text, DialogMessage, "", title);
    if (pauseMs == 0) {
        box.Show();
        manager_.Redraw();
        box.Hide();
        return;
    }
    // The pause runs on the window manager's clock, so a recorded session
    // replays with each message closing at the same moment.
    Timer pause("tmrMessage");
    pause.OnTimer = [&box, &pause] {
        pause.SetEnabled(false);
        box.Hide();
    };
    pause.SetInterval(pauseMs);
    pause.SetEnabled(true);
    pause.Attach(manager_);
    box.ShowModal();
}

DialogWindow& Dialogs::FreeWindow(bool battle) {
    DialogWindow& preferred = battle ? dlgInpBox2 : dlgInpBox;
    if (!preferred.IsOpen()) return preferred;
    DialogWindow& other = battle ? dlgInpBox : dlgInpBox2;
    if (!other.IsOpen()) return other;
    for (const std::unique_ptr<DialogWindow>& box : nested_) {
        if (!box->IsOpen()) return *box;
    }
    nested_.push_back(std::make_unique<DialogWindow>(
        manager_, "dlgInpBoxNested" + std::to_string(nested_.size() + 1)));
    Wire(*nested_.back());
    return *nested_.back();
}

DialogWindow& Dialogs::Open(std::string_view text, DialogKind kind, std::string_view defaultText,
                            std::string_view title) {
    if (BeforeShow) BeforeShow();
    const bool battle = BattleOnScreen && BattleOnScreen();
    DialogWindow& box = FreeWindow(battle);

    box.lblTitle.SetCaption(title);
    box.lblMsg.SetCaption(text);
    box.txtMsg.SetText("");
    box.Arrange(kind);
    if (kind == DialogInput) {
        box.txtMsg.SetText(defaultText);
        box.txtMsg.SelectAll();
        box.FocusControl(&box.txtMsg);
    } else {
        box.FocusControl(nullptr);
    }
    // A question closed without an answer (the run ending under it) must
    // read as "no", never as a yes left over from the last question.
    if (kind == DialogYesNo) DialogResult = 0;
    if (battle) {
        box.PlaceAtTop(BattleTop);
    } else {
        box.PlaceCentred();
    }

    manager_.Log().Dialog(static_cast<int>(kind), text, title);
    return box;
}

std::string Dialogs::ShowDialog(std::string_view text, DialogKind kind,
                                std::string_view defaultText, std::string_view title) {
    // A kind the game does not have is shown as a plain message.
    if (kind != DialogInput && kind != DialogYesNo) kind = DialogMessage;
    DialogWindow& box = Open(text, kind, defaultText, title);
    box.ShowModal();

    if (kind == DialogInput) {
        std::string typed = box.txtMsg.Text();
        box.txtMsg.SetText("");
        return typed;
    }
    return std::to_string(DialogResult);
}

}  // namespace kv
