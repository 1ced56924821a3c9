#pragma once
// The settings window (frmConfig, "設定"), opened from the edge of town: the
// music file of each scene, the picture of each monster the party has
// killed, and the display and input options. It edits working copies; OK
// puts them in force and writes KVR.ini, キャンセル drops them. A new file
// for a scene is heard the next time that scene plays, and the spell names
// change at the next start.
#include <array>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/FieldLabel.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/OptionButton.h"
#include "ui/ScreenContext.h"
#include "ui/TextBox.h"
#include "ui/Window.h"

namespace kv {

class FileOpenWindow;

class SettingsWindow : public Window {
  public:
    SettingsWindow(ScreenContext& context, FileOpenWindow& chooser);

    Label lblTitle{"lblTitle"};
    // Music.
    FieldLabel lblBGM{"lblBGM"};
    ListEx cboBGM{"cboBGM"};  // the scene rows, one per stored scene
    FieldLabel lblFile{"lblFile"};
    TextBox txtFile{"txtFile"};
    Button cmdBGMFile{"cmdBGMFile"};
    Button cmdNothingBGM{"cmdNothingBGM"};
    // Monster pictures.
    Label lblMonster{"lblMonster"};
    FieldLabel lblPicture{"lblPicture"};
    ListEx lst{"lst"};
    FieldLabel lblName{"lblName"};
    TextBox txtName{"txtName"};
    Button cmdFile{"cmdFile"};
    Button Command1{"Command1"};
    // Options.
    CheckBox chkDraw{"chkDraw"};
    CheckBox chkFindMessage{"chkFindMessage"};
    CheckBox chkBattleHelp{"chkBattleHelp"};
    Control fraSpellSelect{"fraSpellSelect"};
    std::array<OptionButton, 3> optSpellSelect;
    CheckBox chkSpellOld{"chkSpellOld"};
    CheckBox chkTrapSelect{"chkTrapSelect"};
    // How fast the rules' messages go by: one group of three.
    Label lblMessageSpeed{"lblMessageSpeed"};
    Control fraMessageSpeed{"fraMessageSpeed"};
    std::array<OptionButton, 3> optMessageSpeed;
    Button cmdOK{"cmdOK"};
    Button cmdCancel{"cmdCancel"};

    // Fills the window from the settings in force and shows it modally.
    void Run();

  private:
    void Lay();
    void LayMessageSpeed(int y);
    void Wire();
    void Load();
    int SelectedScene() const;    // 1..19, or 0 with no row
    int SelectedMonster() const;  // a row of pictures_, or -1
    void ShowSceneFile();
    void ShowPictureFile();
    void ChooseMusic();
    void ChoosePicture();
    // The selected row's picture, and every row of the same name.
    void SetPicture(const std::string& file);
    // The first file name the settings file's encoding cannot hold, or "".
    std::string Unwritable() const;
    void Confirm();
    // Alt with a key several controls share moves the focus round them.
    void CycleAccessKey(int& keyCode, int shift);

    ScreenContext& context_;
    FileOpenWindow& chooser_;
    std::array<std::string, StoredSceneCount + 1> music_;  // scenes 1..19
    std::vector<PictureSetting> pictures_;                 // one per monster row
    bool showing_ = false;  // a text box is being filled, not typed in
};

// Opens the settings window over the main window.
void OpenSettingsWindow(ScreenContext& context, FileOpenWindow& chooser);

}  // namespace kv
