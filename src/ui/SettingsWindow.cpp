#include "ui/SettingsWindow.h"

#include <algorithm>

#include "core/Cp932.h"
#include "platform/Keys.h"
#include "ui/FileOpenWindow.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int FormWidth = 624;
constexpr int FormHeight = 464;
constexpr int Margin = 10;
constexpr int TitleHeight = 22;
constexpr int LineHeight = 20;
constexpr int ToggleHeight = 19;
constexpr int ListHeight = 150;
constexpr int BoxHeight = 24;
constexpr int ButtonWidth = 96;
constexpr int ButtonHeight = 24;
constexpr int FontSize = 14;

constexpr std::array<std::string_view, 3> SpellSelectCaptions{
    "呪文を手入力にする(&E)",
    "呪文を選択式にする　タイプ１(&1)",
    "呪文を選択式にする　タイプ２(&2)",
};

void StyleText(Control& control) {
    control.BackColor = WindowBack;
    control.ForeColor = WindowText;
    control.FontSize = FontSize;
}

void StyleButton(Button& button, std::string_view caption) {
    button.SetCaption(caption);
    button.FontSize = FontSize;
}

// The control a key of this one leads to: a label hands the focus on.
Control& StandIn(Control& control) {
    auto* label = dynamic_cast<FieldLabel*>(&control);
    return label != nullptr && label->Buddy != nullptr ? *label->Buddy : control;
}

void CollectKeyed(Control& control, int key, std::vector<Control*>& out) {
    for (Control* child : control.Children()) {
        if (!child->IsUsable()) continue;
        if (child->AccessKey() == key) out.push_back(child);
        CollectKeyed(*child, key, out);
    }
}

}  // namespace

SettingsWindow::SettingsWindow(ScreenContext& context, FileOpenWindow& chooser)
    : Window(context.Windows), context_(context), chooser_(chooser) {
    Name = "frmConfig";
    Visible = false;
    BackColor = WindowBack;
    KeyPreview = true;
    SetCaption("設定");
    CentreOnCanvas(FormWidth, FormHeight);
    for (size_t i = 0; i < optSpellSelect.size(); ++i) {
        optSpellSelect[i].Name = "optSpellSelect(" + std::to_string(i) + ")";
    }
    for (size_t i = 0; i < optMessageSpeed.size(); ++i) {
        optMessageSpeed[i].Name = "optMessageSpeed(" + std::to_string(i) + ")";
    }
    Lay();
    Wire();
}

void SettingsWindow::Lay() {
    const int half = (Width - 3 * Margin) / 2;
    const int right = 2 * Margin + half;

    lblTitle.BackColor = Rgb(24, 40, 120);
    lblTitle.ForeColor = WindowText;
    lblTitle.FontSize = FontSize;
    lblTitle.SetCaption(" " + Caption());
    lblTitle.Move(0, 0, Width, TitleHeight);
    Add(lblTitle);

    // Music on the left, pictures on the right, each: a list, the file of
    // its row, and two buttons.
    int y = TitleHeight + 8;
    StyleText(lblBGM);
    lblBGM.SetCaption("ＢＧＭの選択(&B)");
    lblBGM.Buddy = &cboBGM;
    lblBGM.Move(Margin, y, half, LineHeight);
    StyleText(lblMonster);
    lblMonster.SetCaption("モンスター");
    lblMonster.Move(right, y, half / 2, LineHeight);
    StyleText(lblPicture);
    lblPicture.SetCaption("画像(&P)");
    lblPicture.Buddy = &lst;
    lblPicture.Move(right + half / 2, y, half / 2, LineHeight);
    y += LineHeight;
    StyleWindowList(cboBGM, FontSize);
    cboBGM.Move(Margin, y, half, ListHeight);
    StyleWindowList(lst, FontSize);
    lst.Move(right, y, half, ListHeight);
    y += ListHeight + 6;
    StyleText(lblFile);
    lblFile.SetCaption("ファイル名(&F)");
    lblFile.Buddy = &txtFile;
    lblFile.Move(Margin, y, half, LineHeight);
    StyleText(lblName);
    lblName.SetCaption("ファイル名(&M)");
    lblName.Buddy = &txtName;
    lblName.Move(right, y, half, LineHeight);
    y += LineHeight;
    for (TextBox* box : {&txtFile, &txtName}) {
        box->FontSize = FontSize;
        box->MaxLength = static_cast<int>(MaxValueLength);
    }
    // A scene's file changes only through 参照 and ＢＧＭ無し: the box shows
    // it and takes no typing, so nothing typed there is silently dropped.
    txtFile.Locked = true;
    txtFile.Move(Margin, y, half, BoxHeight);
    txtName.Move(right, y, half, BoxHeight);
    y += BoxHeight + 6;
    StyleButton(cmdBGMFile, "参照(&B)");
    cmdBGMFile.Move(Margin, y, ButtonWidth, ButtonHeight);
    StyleButton(cmdNothingBGM, "ＢＧＭ無し");
    cmdNothingBGM.Move(Margin + ButtonWidth + 8, y, ButtonWidth, ButtonHeight);
    StyleButton(cmdFile, "参照(&R)");
    cmdFile.Move(right, y, ButtonWidth, ButtonHeight);
    StyleButton(Command1, "画像無し");
    Command1.Move(right + ButtonWidth + 8, y, ButtonWidth, ButtonHeight);
    y += ButtonHeight + 10;

    // The options, the long captions across the whole width.
    const int whole = Width - 2 * Margin;
    chkDraw.SetCaption("面画にする(&W)");
    chkDraw.Move(Margin, y, half, ToggleHeight);
    chkTrapSelect.SetCaption("宝箱のワナを選択式にする(&T)");
    chkTrapSelect.Move(right, y, half, ToggleHeight);
    y += ToggleHeight;
    chkFindMessage.SetCaption("「何かを探す」コマンドで「なにもみつからなかった」を表示する(&S)");
    chkFindMessage.Move(Margin, y, whole, ToggleHeight);
    y += ToggleHeight;
    chkBattleHelp.SetCaption("戦闘中のヘルプウィンドを表示する(&H)");
    chkBattleHelp.Move(Margin, y, whole, ToggleHeight);
    y += ToggleHeight;
    chkSpellOld.SetCaption("呪文の名前を変更する(&Z)   (再起動が必要）");
    chkSpellOld.Move(Margin, y, whole, ToggleHeight);
    y += ToggleHeight + 4;
    // The option buttons are one group: they share this frame.
    fraSpellSelect.BackColor = WindowBack;
    fraSpellSelect.Move(Margin, y, whole, 2 * ToggleHeight);
    for (size_t i = 0; i < optSpellSelect.size(); ++i) {
        OptionButton& option = optSpellSelect[i];
        option.SetCaption(SpellSelectCaptions[i]);
        const int column = i == 1 ? 1 : 0;
        const int row = i == 2 ? 1 : 0;
        option.Move(column * (half + Margin), row * ToggleHeight, half, ToggleHeight);
    }
    for (CheckBox* box :
         {&chkDraw, &chkFindMessage, &chkBattleHelp, &chkSpellOld, &chkTrapSelect}) {
        StyleText(*box);
    }
    for (OptionButton& option : optSpellSelect) StyleText(option);
    y += 2 * ToggleHeight + 2;
    LayMessageSpeed(y);

    StyleButton(cmdOK, "OK");
    cmdOK.Default = true;
    cmdOK.Move(Width - 2 * (Margin + ButtonWidth), Height - Margin - ButtonHeight, ButtonWidth,
               ButtonHeight);
    StyleButton(cmdCancel, "キャンセル");
    cmdCancel.Cancel = true;
    cmdCancel.Move(Width - Margin - ButtonWidth, Height - Margin - ButtonHeight, ButtonWidth,
                   ButtonHeight);

    // Added in the order Tab walks them: music, pictures, the options as
    // their table lists them, then OK and キャンセル.
    for (Control* control : std::initializer_list<Control*>{
             &lblBGM,          &cboBGM,         &lblFile,     &txtFile,       &cmdBGMFile,
             &cmdNothingBGM,   &lblMonster,     &lblPicture,  &lst,           &lblName,
             &txtName,         &cmdFile,        &Command1,    &chkDraw,       &chkFindMessage,
             &chkBattleHelp,   &fraSpellSelect, &chkSpellOld, &chkTrapSelect, &lblMessageSpeed,
             &fraMessageSpeed, &cmdOK,          &cmdCancel}) {
        if (control->CanFocus()) control->TabStop = true;
        Add(*control);
    }
    for (OptionButton& option : optSpellSelect) {
        option.TabStop = true;
        fraSpellSelect.Add(option);
    }
}

void SettingsWindow::LayMessageSpeed(int y) {
    constexpr int LabelWidth = 120;
    constexpr int OptionWidth = 110;
    StyleText(lblMessageSpeed);
    lblMessageSpeed.SetCaption("メッセージ速度");
    lblMessageSpeed.Move(Margin, y, LabelWidth, ToggleHeight);
    fraMessageSpeed.BackColor = WindowBack;
    fraMessageSpeed.Move(Margin + LabelWidth, y, 3 * OptionWidth, ToggleHeight);
    for (size_t i = 0; i < optMessageSpeed.size(); ++i) {
        OptionButton& option = optMessageSpeed[i];
        StyleText(option);
        option.SetCaption(MessageSpeeds[i].Caption);
        option.Move(static_cast<int>(i) * OptionWidth, 0, OptionWidth, ToggleHeight);
        option.TabStop = true;
        fraMessageSpeed.Add(option);
    }
}

void SettingsWindow::Wire() {
    OnKeyDown = [this](int& keyCode, int shift) { CycleAccessKey(keyCode, shift); };

    cboBGM.OnClick = [this] { ShowSceneFile(); };
    cmdBGMFile.OnClick = [this] { ChooseMusic(); };
    cmdNothingBGM.OnClick = [this] {
        if (SelectedScene() > 0) music_[static_cast<size_t>(SelectedScene())].clear();
        txtFile.SetText("");
    };

    lst.OnClick = [this] { ShowPictureFile(); };
    txtName.OnChange = [this] {
        if (!showing_ && SelectedMonster() >= 0) SetPicture(txtName.Text());
    };
    cmdFile.OnClick = [this] { ChoosePicture(); };
    Command1.OnClick = [this] {
        if (SelectedMonster() < 0) return;
        SetPicture("");
        showing_ = true;
        txtName.SetText("");
        showing_ = false;
    };

    cmdOK.OnClick = [this] { Confirm(); };
    cmdCancel.OnClick = [this] { Hide(); };
}

int SettingsWindow::SelectedScene() const {
    const int row = cboBGM.ListIndex();
    if (row < 0 || row >= cboBGM.ListCount()) return 0;
    return cboBGM.ItemData(row);
}

int SettingsWindow::SelectedMonster() const {
    const int row = lst.ListIndex();
    return row >= 0 && row < static_cast<int>(pictures_.size()) ? row : -1;
}

void SettingsWindow::ShowSceneFile() {
    const int scene = SelectedScene();
    txtFile.SetText(scene > 0 ? music_[static_cast<size_t>(scene)] : "");
}

void SettingsWindow::ShowPictureFile() {
    const int row = SelectedMonster();
    showing_ = true;
    txtName.SetText(row >= 0 ? pictures_[static_cast<size_t>(row)].File : "");
    showing_ = false;
}

void SettingsWindow::ChooseMusic() {
    const std::string file = ChooseMusicFile(chooser_, context_.TheGame.DataFolder);
    if (file.empty() || SelectedScene() == 0) return;
    music_[static_cast<size_t>(SelectedScene())] = file;
    ShowSceneFile();
}

void SettingsWindow::ChoosePicture() {
    const std::string file = ChoosePictureFile(chooser_, context_.TheGame.DataFolder);
    if (file.empty() || SelectedMonster() < 0) return;
    SetPicture(file);
    ShowPictureFile();
}

void SettingsWindow::SetPicture(const std::string& file) {
    // Rows of one name share one picture: the file holds one value per name,
    // and the later row would otherwise undo an edit made on an earlier one.
    const std::string name = pictures_[static_cast<size_t>(SelectedMonster())].Name;
    for (PictureSetting& picture : pictures_) {
        if (picture.Name == name) picture.File = file;
    }
}

void SettingsWindow::Load() {
    const Game& game = context_.TheGame;
    const Settings& settings = game.Config;
    for (int scene = 1; scene <= StoredSceneCount; ++scene) {
        music_[static_cast<size_t>(scene)] = settings.SceneMusic[static_cast<size_t>(scene)];
    }
    std::vector<std::string> sceneRows;
    cboBGM.SetRedraw(false);
    cboBGM.Clear();
    for (int scene = 1; scene <= StoredSceneCount; ++scene) {
        const std::string_view row = SceneNames[static_cast<size_t>(scene - 1)].Row;
        cboBGM.AddItem(row);
        cboBGM.SetItemData(cboBGM.NewIndex(), scene);
        sceneRows.emplace_back(row);
    }
    cboBGM.SetRedraw(true);
    cboBGM.SetListIndex(0);

    chkDraw.SetValue(settings.ViewMode);
    chkFindMessage.SetValue(settings.ShowSearchFailure);
    chkBattleHelp.SetValue(settings.ShowBattleHelp);
    chkSpellOld.SetValue(settings.UseAltSpellNames);
    chkTrapSelect.SetValue(settings.TrapByList);
    for (size_t i = 0; i < optSpellSelect.size(); ++i) {
        if (settings.SpellEntryMode == static_cast<int>(i)) optSpellSelect[i].SetValue(true);
    }
    for (size_t i = 0; i < optMessageSpeed.size(); ++i) {
        if (MessageSpeeds[i].Speed == settings.Messages) optMessageSpeed[i].SetValue(true);
    }

    // Only monsters the party has killed can be given a picture here; the
    // file is read once for all of them.
    const SettingsFile file = SettingsFile::Load(SettingsPath(game));
    pictures_.clear();
    std::vector<std::string> names;
    lst.SetRedraw(false);
    lst.Clear();
    for (size_t i = 0; i < game.Monsters.size() && i < game.MonsterKillCount.size(); ++i) {
        const std::string& name = game.Monsters[i].Name;
        if (game.MonsterKillCount[i] < 1 || name.empty()) continue;
        pictures_.push_back({name, file.Read(PictureSection, name)});
        lst.AddItem(name);
        names.push_back(name);
    }
    lst.SetRedraw(true);
    lst.SetListIndex(pictures_.empty() ? -1 : 0);
    if (pictures_.empty()) ShowPictureFile();

    Manager().Log().List(cboBGM.Name, Caption(), sceneRows, cboBGM.ListIndex());
    Manager().Log().List(lst.Name, lblMonster.Caption(), names, lst.ListIndex());
    cboBGM.SetFocus();
}

std::string SettingsWindow::Unwritable() const {
    const SettingsFile file = SettingsFile::Load(SettingsPath(context_.TheGame));
    if (file.Encoding() != TextEncoding::Cp932) return {};
    const auto fits = [](const std::string& text) {
        return Cp932ToUtf8(Utf8ToCp932(text)) == text;
    };
    for (const std::string& music : music_) {
        if (!fits(music)) return music;
    }
    for (const PictureSetting& picture : pictures_) {
        if (!fits(picture.File)) return picture.File;
    }
    return {};
}

void SettingsWindow::Confirm() {
    // A file name the settings file cannot spell would come back as another
    // name: the player renames it or chooses again.
    if (const std::string name = Unwritable(); !name.empty()) {
        context_.ThePlayer.Message("このファイル名には KVR.ini に書けない文字があります。\n" +
                                   name);
        return;
    }
    Game& game = context_.TheGame;
    Settings& settings = game.Config;
    for (int scene = 1; scene <= StoredSceneCount; ++scene) {
        settings.SceneMusic[static_cast<size_t>(scene)] = music_[static_cast<size_t>(scene)];
    }
    settings.ViewMode = chkDraw.Value();
    settings.ShowSearchFailure = chkFindMessage.Value();
    settings.ShowBattleHelp = chkBattleHelp.Value();
    settings.UseAltSpellNames = chkSpellOld.Value();
    for (size_t i = 0; i < optSpellSelect.size(); ++i) {
        if (optSpellSelect[i].Value()) {
            settings.SpellEntryMode = static_cast<int32_t>(i);
            break;
        }
    }
    settings.TrapByList = chkTrapSelect.Value();
    for (size_t i = 0; i < optMessageSpeed.size(); ++i) {
        if (optMessageSpeed[i].Value()) settings.Messages = MessageSpeeds[i].Speed;
    }

    std::string error;
    const bool saved = SaveSettings(game, pictures_, error);
    Manager().Log().Write(
        JsonLine().Add("t", "settings").Add("file", SettingsPath(game).string()).Add("ok", saved));
    Hide();
    if (!saved) {
        context_.ThePlayer.Message(
            "設定を保存できませんでした。\n前の設定ファイルはそのまま残っています。\n"
            "変えた設定は次に起動するまで有効です。\n" +
            error);
    }
}

void SettingsWindow::CycleAccessKey(int& keyCode, int shift) {
    if ((shift & Key::AltMask) == 0 || (shift & Key::CtrlMask) != 0) return;
    std::vector<Control*> keyed;
    CollectKeyed(*this, keyCode, keyed);
    if (keyed.size() < 2) return;  // one control acts on its key as usual
    size_t next = 0;
    for (size_t i = 0; i < keyed.size(); ++i) {
        if (&StandIn(*keyed[i]) == Focused()) next = (i + 1) % keyed.size();
    }
    StandIn(*keyed[next]).SetFocus();
    keyCode = 0;
}

void SettingsWindow::Run() {
    Load();
    ShowModal();
}

void OpenSettingsWindow(ScreenContext& context, FileOpenWindow& chooser) {
    SettingsWindow window(context, chooser);
    window.Run();
}

}  // namespace kv
